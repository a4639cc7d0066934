#include "dui/res.mgr/SStylePoolMgr.h"

namespace DUI {

xmldom::xml_node SStylePoolMgr::GetStyle(const SStringW& name) const
{
    xmldom::xml_node found;
    AskNewestFirst([&](SStylePool* p) { return static_cast<bool>(found = p->GetStyle(name)); });
    return found;
}

SStringW STemplatePoolMgr::GetTemplateString(const SStringW& name) const
{
    SStringW found;
    AskNewestFirst([&](STemplatePool* p) { return !(found = p->GetTemplateString(name)).IsEmpty(); });
    return found;
}

} // namespace DUI
