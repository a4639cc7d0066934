#pragma once
// HTML text (valid UTF-8) into the engine's document tree, through
// libxml2's tolerant HTML parser.
#include "components/node/DomNode.h"

#include <memory>
#include <string>
#include <vector>

namespace node {

// Parses a whole page into `doc`'s root.
void ParseHtmlPage(const std::string& utf8, DomDocument& doc);

// Parses a fragment (innerHTML) into new nodes of `doc`, not yet attached.
std::vector<std::unique_ptr<DomNode>> ParseHtmlFragment(const std::string& utf8, DomDocument& doc);

} // namespace node
