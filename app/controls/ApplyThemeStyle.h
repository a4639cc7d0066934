#pragma once
// Layouts carry one set of styles per theme under "themeStyle":
//   <themeStyle><style theme="default"><class name="..." .../></style>...
// ApplyThemeStyle loads the set of the current theme into `pool`, or into
// the style pool of the current UI definition when `pool` is NULL. Returns
// -1 when the element has no child elements, else 0 (also when no set
// matched).
#include "dui/res.mgr/SStylePool.h"
#include "xml/xmldom.h"

namespace DUI {

int ApplyThemeStyle(xmldom::xml_node themeStyle, SStylePool* pool);

} // namespace DUI
