#include "dui/res.mgr/SSkinPoolMgr.h"

#include "dui/core/base/SObjectFactoryMgr.h"

namespace DUI {

namespace {

const wchar_t* const kSystemSkins[] = {
    L"_skin.sys.checkbox", L"_skin.sys.radio", L"_skin.sys.focuscheckbox", L"_skin.sys.focusradio",
    L"_skin.sys.btn.normal", L"_skin.sys.scrollbar", L"_skin.sys.border", L"_skin.sys.dropbtn",
    L"_skin.sys.tree.toggle", L"_skin.sys.tree.checkbox", L"_skin.sys.tree.lines", L"_skin.sys.tab.page",
    L"_skin.sys.header", L"_skin.sys.split.vert", L"_skin.sys.split.horz", L"_skin.sys.prog.bkgnd",
    L"_skin.sys.prog.bar", L"_skin.sys.vert.prog.bkgnd", L"_skin.sys.vert.prog.bar", L"_skin.sys.slider.thumb",
    L"_skin.sys.btn.close", L"_skin.sys.btn.minimize", L"_skin.sys.btn.maxmize", L"_skin.sys.btn.restore",
    L"_skin.sys.menu.check", L"_skin.sys.menu.sep", L"_skin.sys.menu.arrow", L"_skin.sys.menu.border",
    L"_skin.sys.menu.skin", L"_skin.sys.icons", L"_skin.sys.wnd.bkgnd", L"_skin.sys.btn.prev",
    L"_skin.sys.btn.next", L"_skin.sys.spin.down", L"_skin.sys.spin.up",
};

} // namespace

SSkinPoolMgr::SSkinPoolMgr(SObjectFactoryMgr* registry)
    : m_registry(registry), m_builtin(SRefPtr<SSkinPool>::Adopt(new SSkinPool()))
{
    PushPool(m_builtin.Get());
}

SSkinPoolMgr::~SSkinPoolMgr()
{
    RemoveAll();
}

ISkinObj* SSkinPoolMgr::GetSkin(const SStringW& name, int scale)
{
    ISkinObj* found = nullptr;
    AskNewestFirst([&](SSkinPool* p) { return (found = p->GetSkin(name, scale)) != nullptr; });
    return found;
}

ISkinObj* SSkinPoolMgr::GetSystemSkin(int index, int scale)
{
    if (index < 0 || index >= static_cast<int>(sizeof(kSystemSkins) / sizeof(kSystemSkins[0]))) return nullptr;
    return m_builtin->GetSkin(SStringW(kSystemSkins[index]), scale);
}

SSkinPool* SSkinPoolMgr::PopSkinPool(SSkinPool* pool)
{
    if (pool == m_builtin.Get()) return nullptr;
    return PopPool(pool);
}

ISkinObj* SSkinPoolMgr::NewSkinByTag(LPCWSTR tag) const
{
    return m_registry ? m_registry->NewSkinByTag(tag) : nullptr;
}

} // namespace DUI
