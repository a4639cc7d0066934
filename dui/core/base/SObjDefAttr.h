#pragma once
// Default attributes per window class of one UI definition ("objattr"). When
// loaded, each class's element is completed with the defaults of its base
// classes, the nearest class winning, so a new window needs one lookup.
#include "dui/core/base/IObjRef.h"
#include "dui/core/base/SCmnMap.h"
#include "dui/core/base/TObjRefImpl.h"
#include "xml/xmldom.h"

namespace DUI {

class SObjectFactoryMgr;

class SObjDefAttr : public SCmnMap<xmldom::xml_node, SStringW>, public TObjRefImpl2<IObjRef, SObjDefAttr>
{
public:
    // The registry names the base classes; it must outlive this table.
    explicit SObjDefAttr(const SObjectFactoryMgr& registry);

    BOOL Init(xmldom::xml_node element);
    xmldom::xml_node GetDefAttribute(LPCWSTR classTag) const;

private:
    void BuildClassAttribute(xmldom::xml_node element, const SStringW& classTag);

    const SObjectFactoryMgr& m_registry;
    xmldom::xml_document m_doc;
};

} // namespace DUI
