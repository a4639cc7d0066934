#include "dui/control/SPopupMenu.h"

#include <memory>

#include "dui/control/MenuXml.h"
#include "dui/control/SMenuAttr.h"
#include "dui/control/SMenuItemData.h"
#include "dui/control/SMenuODWnd.h"
#include "dui/core/base/DuiLog.h"
#include "dui/core/SApplication.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

namespace {

BOOL BoolAttribute(xmldom::xml_node element, LPCWSTR name)
{
    xmldom::xml_attribute a = element.attribute(name);
    return a ? ParseMenuBool(SStringW(a.value())) : FALSE;
}

BOOL HasElementChild(xmldom::xml_node element)
{
    for (xmldom::xml_node c = element.first_child(); c; c = c.next_sibling()) {
        if (c.type() == xmldom::node_element)
            return TRUE;
    }
    return FALSE;
}

void AttachAttr(HMENU menu, SMenuAttr* attr)
{
    MENUINFO info = {sizeof(info)};
    info.fMask = MIM_MENUDATA;
    info.dwMenuData = reinterpret_cast<ULONG_PTR>(attr);
    if (::SetMenuInfo(menu, &info))
        attr->AddRef();
}

// The character after the first "&", lower case; 0 when there is none.
wchar_t KeyOf(const SStringW& caption)
{
    const int amp = caption.Find(L'&');
    if (amp < 0 || amp + 1 >= caption.GetLength())
        return 0;
    return static_cast<wchar_t>(::towlower(caption[amp + 1]));
}

std::unique_ptr<SMenuItemData> NewItemData(xmldom::xml_node element, SMenuAttr* attr)
{
    auto data = std::make_unique<SMenuItemData>();
    data->icon = ParseMenuInt(SStringW(element.attribute(L"icon").as_string(L"-1")), -1);
    data->userData = static_cast<ULONG_PTR>(static_cast<unsigned>(ParseMenuInt(SStringW(element.attribute(L"userData").value()))));
    SStringW caption(element.text().get());
    caption.TrimBlanks();
    if (caption.IsEmpty())
        caption = element.attribute(L"text").value();
    caption = ResolveNamedString(caption);
    if (SApplication* app = SApplication::GetInstance())
        caption = app->TranslateText(caption, attr->GetTrCtx());
    data->text = caption;
    data->key = KeyOf(caption);
    return data;
}

} // namespace

SPopupMenu::~SPopupMenu()
{
    LetGoOfAttached();
}

void SPopupMenu::LetGoOfAttached()
{
    if (m_attached)
        m_menu.Release();
}

void SPopupMenu::Attach(HMENU menu)
{
    LetGoOfAttached();
    m_menu.Reset(menu);
    m_attached = TRUE;
}

void SPopupMenu::OwnedMenuTraits::Close(HMENU menu)
{
    if (::IsMenu(menu)) {
        FreeMenuTree(menu);
        ::DestroyMenu(menu);
    }
}

SMenuAttr* SPopupMenu::GetMenuAttr(HMENU menu)
{
    MENUINFO info = {sizeof(info)};
    info.fMask = MIM_MENUDATA;
    if (!menu || !::GetMenuInfo(menu, &info))
        return nullptr;
    return reinterpret_cast<SMenuAttr*>(info.dwMenuData);
}

BOOL SPopupMenu::LoadMenu(xmldom::xml_node element)
{
    if (!element)
        return FALSE;
    HMENU menu = ::CreatePopupMenu();
    if (!menu) {
        DUI_LOG_WARNING("dui", "SPopupMenu::LoadMenu", L"CreatePopupMenu failed (%lu)", ::GetLastError());
        return FALSE;
    }
    LetGoOfAttached();
    m_menu.Reset(menu);
    m_attached = FALSE;
    auto attr = SRefPtr<SMenuAttr>::Adopt(new SMenuAttr());
    attr->ApplyXmlNode(element);
    AttachAttr(menu, attr.Get());
    ::SetMenuContextHelpId(menu, static_cast<DWORD>(element.attribute(L"contextHelpId").as_int(0)));
    AppendChildren(menu, element, attr.Get(), 0);
    return TRUE;
}

void SPopupMenu::AppendChildren(HMENU menu, xmldom::xml_node element, SMenuAttr* attr, int depth)
{
    for (xmldom::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        if (child.type() != xmldom::node_element)
            continue;
        if (_wcsicmp(child.name(), L"sep") == 0)
            ::AppendMenuW(menu, MF_SEPARATOR | MF_OWNERDRAW, 0, nullptr);
        else if (_wcsicmp(child.name(), L"item") == 0)
            AppendItem(menu, child, attr, depth);
    }
}

void SPopupMenu::AppendItem(HMENU menu, xmldom::xml_node element, SMenuAttr* attr, int depth)
{
    std::unique_ptr<SMenuItemData> data = NewItemData(element, attr);
    const UINT grayed = BoolAttribute(element, L"disable") ? MF_GRAYED : 0;
    if (!HasElementChild(element) && !BoolAttribute(element, L"popup")) {
        UINT flags = MF_OWNERDRAW | grayed;
        if (BoolAttribute(element, L"check"))
            flags |= MF_CHECKED;
        if (BoolAttribute(element, L"radio"))
            flags |= MFT_RADIOCHECK | MF_CHECKED;
        const UINT id = static_cast<UINT>(element.attribute(L"id").as_int(0));
        if (::AppendMenuW(menu, flags, id, reinterpret_cast<LPCWSTR>(data.get())))
            data.release();
        return;
    }
    if (depth + 1 >= kMaxMenuDepth) {
        DUI_LOG_WARNING("dui", "SPopupMenu::LoadMenu", L"sub-menus nested deeper than %d levels are left out",
                        kMaxMenuDepth);
        return;
    }
    SHandle<OwnedMenuTraits> sub(::CreatePopupMenu());
    if (!sub)
        return;
    AttachAttr(sub, attr);
    ::SetMenuContextHelpId(sub, static_cast<DWORD>(element.attribute(L"contextHelpId").as_int(0)));
    if (!::AppendMenuW(menu, MF_POPUP | MF_OWNERDRAW | grayed, reinterpret_cast<UINT_PTR>(sub.Get()),
                       reinterpret_cast<LPCWSTR>(data.get())))
        return;
    data.release();
    AppendChildren(sub.Release(), element, attr, depth + 1);
}

UINT SPopupMenu::TrackPopupMenu(UINT flags, int x, int y, HWND owner, const RECT* exclude, int scale)
{
    if (!m_menu)
        return 0;
    SMenuAttr* attr = GetMenuAttr(m_menu);
    if (attr)
        attr->SetScale(scale);
    SMenuODWnd drawer(owner, attr);
    if (!drawer.Create())
        return 0;
    if (owner && ::IsWindow(owner) && ::IsWindowEnabled(owner))
        ::SetForegroundWindow(owner);
    // The extended call, as the plain one ignores its rectangle.
    TPMPARAMS params = {sizeof(params)};
    if (exclude)
        params.rcExclude = *exclude;
    const UINT command = static_cast<UINT>(::TrackPopupMenuEx(m_menu, flags | TPM_RETURNCMD, x, y, drawer.GetHwnd(),
                                                              exclude ? &params : nullptr));
    ::DestroyWindow(drawer.GetHwnd());
    if (command && !(flags & TPM_RETURNCMD) && owner && ::IsWindow(owner))
        ::SendMessageW(owner, WM_COMMAND, command, 0);
    return command;
}

void SPopupMenu::DestroyMenu()
{
    m_menu.Reset();
}

void SPopupMenu::FreeMenuTree(HMENU menu)
{
    // Only menus built here hold records of this kind.
    if (!GetMenuAttr(menu))
        return;
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW mii = {sizeof(mii)};
        mii.fMask = MIIM_DATA | MIIM_SUBMENU | MIIM_FTYPE;
        if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii))
            continue;
        if (mii.hSubMenu)
            FreeMenuTree(mii.hSubMenu);
        if (!(mii.fType & MFT_SEPARATOR) && mii.dwItemData) {
            delete reinterpret_cast<SMenuItemData*>(mii.dwItemData);
            MENUITEMINFOW clear = {sizeof(clear)};
            clear.fMask = MIIM_DATA;
            ::SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &clear);
        }
    }
    if (SMenuAttr* attr = GetMenuAttr(menu)) {
        MENUINFO info = {sizeof(info)};
        info.fMask = MIM_MENUDATA;
        ::SetMenuInfo(menu, &info);
        attr->Release();
    }
}

} // namespace DUI
