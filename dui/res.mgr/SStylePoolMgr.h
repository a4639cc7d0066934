#pragma once
// The stacks of style and template pools of everything alive; a host
// window's private pools shadow the application's while it lives.
#include "dui/core/base/SSingleton2.h"
#include "dui/res.mgr/SPoolStack.h"
#include "dui/res.mgr/SStylePool.h"

namespace DUI {

class SStylePoolMgr : public SSingleton2<SStylePoolMgr>, public SPoolStack<SStylePool>
{
public:
    xmldom::xml_node GetStyle(const SStringW& name) const;
};

class STemplatePoolMgr : public SSingleton2<STemplatePoolMgr>, public SPoolStack<STemplatePool>
{
public:
    SStringW GetTemplateString(const SStringW& name) const;
};

} // namespace DUI
