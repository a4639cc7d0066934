#include "app/controls/ApplyThemeStyle.h"

#include <cwchar>

#include "app/core/CurrentThemeName.h"
#include "dui/res.mgr/SUiDefInfo.h"

namespace DUI {

namespace {

bool HasElementChild(xmldom::xml_node node)
{
    for (xmldom::xml_node c = node.first_child(); c; c = c.next_sibling()) {
        if (c.type() == xmldom::node_element)
            return true;
    }
    return false;
}

SStylePool* UiDefStylePool()
{
    SUiDef* uidef = SUiDef::GetInstance();
    IUiDefInfo* def = uidef ? uidef->GetUiDef() : nullptr;
    return def ? def->GetStylePool() : nullptr;
}

} // namespace

int ApplyThemeStyle(xmldom::xml_node themeStyle, SStylePool* pool)
{
    if (!HasElementChild(themeStyle))
        return -1;
    const std::wstring& theme = CurrentThemeName();
    for (xmldom::xml_node c = themeStyle.first_child(); c; c = c.next_sibling()) {
        // The element name is matched exactly, the theme too: "Default" is
        // another theme than "default".
        if (c.type() != xmldom::node_element || std::wcscmp(c.name(), L"style") != 0)
            continue;
        if (theme != c.attribute(L"theme", false).as_string(L""))
            continue;
        if (SStylePool* target = pool ? pool : UiDefStylePool())
            target->Init(c);
        break;
    }
    return 0;
}

} // namespace DUI
