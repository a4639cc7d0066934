// SMenuEx: building, showing and hiding the menu, the events of its items
// and its keyboard navigation. The menu loop is in SMenuExLoop.cpp.
#include "dui/control/SMenuEx.h"

#include <cwctype>
#include <vector>

#include "dui/control/MenuPlacement.h"
#include "dui/control/MenuXml.h"
#include "dui/control/SMenuExItem.h"
#include "dui/control/SMenuExRoot.h"
#include "dui/control/SMenuExRunData.h"
#include "dui/core/base/DuiLog.h"
#include "dui/core/SApplication.h"

namespace DUI {

namespace {

constexpr UINT_PTR kSubMenuTimer = 100;
constexpr UINT kSubMenuDelay = 500;
constexpr DWORD kMenuExStyle = WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
// Limits the root is measured with.
constexpr int kMeasureLimit = 10000;

BOOL IsSelectable(const SWindow* item)
{
    return item && !(item->GetState() & WndState_Disable) && item->IsVisible(TRUE);
}

} // namespace

SMenuEx::SMenuEx(SMenuExItem* parentItem) : SHostWnd(nullptr), m_parentItem(parentItem) {}

SMenuEx::~SMenuEx()
{
    if (SMenuExRunData* run = SMenuExRunData::GetCurrent())
        run->RemoveMenu(this);
    // The window goes while this class's handlers still exist.
    if (GetHwnd() && ::IsWindow(GetHwnd())) {
        AddRef();
        ::DestroyWindow(GetHwnd());
    }
}

BOOL SMenuEx::LoadMenu(LPCWSTR resource, HWND owner)
{
    SApplication* app = SApplication::GetInstance();
    if (!resource || !app || GetHwnd())
        return FALSE;
    SStringWList parts;
    ParseResId(resource, parts);
    const SStringW type = parts.GetCount() == 2 ? parts[0] : SStringW(L"SMENUEX");
    const SStringW name = parts.GetCount() == 2 ? parts[1] : SStringW(resource);
    xmldom::xml_document doc;
    if (!app->LoadXml(doc, name, type)) {
        DUI_LOG_WARNING("dui", "SMenuEx::LoadMenu", L"menu \"%s\" not loaded", resource);
        return FALSE;
    }
    return LoadMenu(FirstMenuElement(doc), owner);
}

BOOL SMenuEx::LoadMenu(xmldom::xml_node element, HWND owner)
{
    if (GetHwnd() || !element)
        return FALSE;
    if (_wcsicmp(element.name(), L"menuRoot") != 0 && _wcsicmp(element.name(), L"menuItem") != 0)
        return FALSE;
    m_owner = owner;
    if (!CreateEx(owner, WS_POPUP, kMenuExStyle, 0, 0, 0, 0))
        return FALSE;
    xmldom::xml_document hostDoc;
    xmldom::xml_node host = hostDoc.append_child(L"DUI");
    host.append_attribute(L"translucent").set_value(L"1");
    if (!m_parentItem) {
        if (xmldom::xml_attribute trCtx = element.attribute(L"trCtx"))
            host.append_attribute(L"trCtx").set_value(trCtx.value());
    }
    // A fixed size: the menu sets its window's size each time it is shown.
    SHostWnd::ApplyXmlNode(host, 1, 1);
    m_root = new SMenuExRoot(this);
    InsertChild(m_root);
    m_root->ApplyXmlNode(element);
    return TRUE;
}

SMenuExItem* SMenuEx::GetCurrentItem() const
{
    SWindowMgr* mgr = SWindowMgr::GetInstance();
    return m_currentItem && mgr ? dynamic_cast<SMenuExItem*>(mgr->GetWindow(m_currentItem)) : nullptr;
}

SMenuEx* SMenuEx::GetOpenSubMenu() const
{
    SMenuExRunData* run = SMenuExRunData::GetCurrent();
    SMenuEx* next = run ? run->MenuAfter(this) : nullptr;
    if (next && next->m_parentItem && next->m_parentItem->GetMenu() == this)
        return next;
    return nullptr;
}

SStringW SMenuEx::GetTrCtx() const
{
    return m_parentItem ? m_parentItem->GetTrCtx() : SHostWnd::GetTrCtx();
}

int SMenuEx::GetScale() const
{
    SMenuExRunData* run = SMenuExRunData::GetCurrent();
    return run ? run->GetScale() : 100;
}

void SMenuEx::SendInitPopup()
{
    if (m_popupInitialised)
        return;
    m_popupInitialised = TRUE;
    SMenuExRunData* run = SMenuExRunData::GetCurrent();
    HWND owner = run && run->GetOwner() ? run->GetOwner() : m_owner;
    if (owner && ::IsWindow(owner))
        ::SendMessageW(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(this), IndexOfParentItem());
}

int SMenuEx::IndexOfParentItem() const
{
    if (!m_parentItem || !m_parentItem->GetParent())
        return 0;
    int index = 0;
    for (SWindow* w = m_parentItem->GetParent()->GetNthChild(1); w && w != m_parentItem;
         w = w->GetRelatedWindow(GSW_NEXTSIBLING))
        ++index;
    return index;
}

void SMenuEx::ShowMenu(UINT flags, int x, int y)
{
    if (!GetHwnd() || !m_root)
        return;
    SendInitPopup();
    BroadcastMessage(UM_SETSCALE, GetScale());
    const SIZE size = m_root->MeasureDesiredSize(kMeasureLimit, kMeasureLimit);
    const RECT rc = {0, 0, size.cx, size.cy};
    m_root->Move(&rc);

    MenuPlacementRequest request;
    request.pt = POINT{x, y};
    request.size = size;
    request.flags = flags;
    MONITORINFO monitor = {sizeof(monitor)};
    ::GetMonitorInfoW(::MonitorFromWindow(GetHwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    request.monitor = monitor.rcMonitor;
    request.subMenu = m_parentItem != nullptr;
    if (m_parentItem) {
        request.offset = m_root->GetSubMenuOffset();
        const RECT parent = m_parentItem->GetMenu()->GetNativeWindowRect();
        request.parentWidth = parent.right - parent.left;
    }
    const POINT pt = PlacePopupMenu(request);
    ::SetWindowPos(GetHwnd(), HWND_TOPMOST, pt.x, pt.y, size.cx, size.cy, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    SMenuExRunData* run = SMenuExRunData::GetCurrent();
    if (run && !run->IsMenuOpen(this))
        run->AddMenu(this);
}

void SMenuEx::HideMenu(BOOL byKey)
{
    if (!GetHwnd() || !::IsWindowVisible(GetHwnd()))
        return;
    if (SMenuEx* sub = GetOpenSubMenu())
        sub->HideMenu(FALSE);
    ::ShowWindow(GetHwnd(), SW_HIDE);
    // A hover that began before the menu closed opens nothing.
    CSimpleWnd::KillTimer(kSubMenuTimer);
    m_hoverItem = 0;
    SelectItem(nullptr);
    if (::GetCapture() == GetHwnd())
        ::ReleaseCapture();
    if (SMenuExRunData* run = SMenuExRunData::GetCurrent())
        run->RemoveMenu(this);
    if (byKey || !m_parentItem)
        return;
    m_parentItem->SetCheck(FALSE);
    SMenuEx* parent = m_parentItem->GetMenu();
    if (parent && parent->m_currentItem == m_parentItem->GetSwnd())
        parent->m_currentItem = 0;
}

void SMenuEx::OpenSubMenu(SMenuExItem* item, BOOL selectFirst)
{
    SMenuEx* sub = item ? item->GetSubMenu() : nullptr;
    if (!sub || !sub->GetHwnd())
        return;
    CSimpleWnd::KillTimer(kSubMenuTimer);
    m_hoverItem = 0;
    SMenuEx* open = GetOpenSubMenu();
    if (open && open != sub)
        open->HideMenu(FALSE);
    SelectItem(item);
    if (open != sub) {
        ::SetWindowLongPtrW(sub->GetHwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(GetHwnd()));
        POINT pt = {m_root->GetWindowRect().right, item->GetWindowRect().top};
        ::ClientToScreen(GetHwnd(), &pt);
        sub->ShowMenu(0, pt.x, pt.y);
    }
    if (selectFirst)
        sub->SelectItem(sub->FirstEnabledItem());
}

void SMenuEx::SelectItem(SMenuExItem* item)
{
    SMenuExItem* old = GetCurrentItem();
    if (old && old != item)
        old->SetCheck(FALSE);
    m_currentItem = item ? item->GetSwnd() : 0;
    if (item)
        item->SetCheck(TRUE);
}

SMenuExItem* SMenuEx::FirstEnabledItem() const
{
    for (SWindow* w = m_root ? m_root->GetNthChild(1) : nullptr; w; w = w->GetRelatedWindow(GSW_NEXTSIBLING)) {
        auto* item = dynamic_cast<SMenuExItem*>(w);
        if (item && IsSelectable(item))
            return item;
    }
    return nullptr;
}

BOOL SMenuEx::HandleEvent(EventArgs* e)
{
    SMenuExRunData* run = SMenuExRunData::GetCurrent();
    auto* item = e && e->sender ? dynamic_cast<SMenuExItem*>(e->sender) : nullptr;
    if (!item) {
        if (e && run && run->GetOwner() && ::IsWindow(run->GetOwner()))
            return static_cast<BOOL>(::SendMessageW(run->GetOwner(), UM_MENUEX_EVENT, 0, reinterpret_cast<LPARAM>(e)));
        return FALSE;
    }
    switch (e->GetID()) {
    case EventSwndMouseHover::EventID:
        if (item->GetSubMenu()) {
            CSimpleWnd::SetTimer(kSubMenuTimer, kSubMenuDelay);
            m_hoverItem = item->GetSwnd();
        }
        if (SMenuEx* open = GetOpenSubMenu())
            open->HideMenu(FALSE);
        return FALSE;
    case EventSwndMouseLeave::EventID:
        if (item->GetSubMenu()) {
            CSimpleWnd::KillTimer(kSubMenuTimer);
            m_hoverItem = 0;
        }
        return FALSE;
    case EventCmd::EventID:
        if (item->GetSubMenu()) {
            OpenSubMenu(item, FALSE);
            return TRUE;
        }
        if (item->GetID() != 0 && run) {
            run->Exit(item->GetID());
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

BOOL SMenuEx::ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId)
{
    if (mapId == 0) {
        if (msg == WM_MOUSEACTIVATE) {
            result = MA_NOACTIVATE;
            return TRUE;
        }
        if (msg == WM_TIMER && wp == kSubMenuTimer) {
            SWindowMgr* mgr = SWindowMgr::GetInstance();
            OpenSubMenu(mgr ? dynamic_cast<SMenuExItem*>(mgr->GetWindow(m_hoverItem)) : nullptr, FALSE);
            CSimpleWnd::KillTimer(kSubMenuTimer);
            result = 0;
            return TRUE;
        }
        if (msg == WM_KEYDOWN && OnKeyDown(static_cast<UINT>(wp))) {
            result = 0;
            return TRUE;
        }
    }
    return SHostWnd::ProcessWindowMessage(hwnd, msg, wp, lp, result, mapId);
}

void SMenuEx::OnNativeDestroy()
{
    if (SMenuExRunData* run = SMenuExRunData::GetCurrent())
        run->RemoveMenu(this);
    m_root = nullptr;
    SHostWnd::OnNativeDestroy();
}

BOOL SMenuEx::OnKeyDown(UINT vk)
{
    SMenuExRunData* run = SMenuExRunData::GetCurrent();
    SMenuExItem* current = GetCurrentItem();
    switch (vk) {
    case VK_RETURN:
        if (current)
            current->FireCommand();
        return TRUE;
    case VK_ESCAPE:
    case VK_LEFT:
        if (m_parentItem)
            HideMenu(TRUE);
        else if (run)
            run->Exit(0);
        return TRUE;
    case VK_UP:
        MoveSelection(-1);
        return TRUE;
    case VK_DOWN:
        MoveSelection(1);
        return TRUE;
    case VK_RIGHT:
        if (current && current->GetSubMenu())
            OpenSubMenu(current, TRUE);
        return TRUE;
    default:
        break;
    }
    const wchar_t key = static_cast<wchar_t>(::MapVirtualKeyW(vk, MAPVK_VK_TO_CHAR) & 0xFFFF);
    if (!key || !std::iswprint(key))
        return FALSE;
    ChooseByKey(key);
    return TRUE;
}

void SMenuEx::MoveSelection(int step)
{
    std::vector<SMenuExItem*> items;
    for (SWindow* w = m_root ? m_root->GetNthChild(1) : nullptr; w; w = w->GetRelatedWindow(GSW_NEXTSIBLING)) {
        if (auto* item = dynamic_cast<SMenuExItem*>(w))
            items.push_back(item);
    }
    const int count = static_cast<int>(items.size());
    SMenuExItem* current = GetCurrentItem();
    int index = step > 0 ? -1 : count;
    for (int i = 0; i < count; ++i) {
        if (items[i] == current)
            index = i;
    }
    for (int tries = 0; tries < count; ++tries) {
        index = (index + step + count) % count;
        if (IsSelectable(items[index])) {
            SelectItem(items[index]);
            return;
        }
    }
    SelectItem(nullptr);
}

BOOL SMenuEx::ChooseByKey(wchar_t key)
{
    const wchar_t wanted = static_cast<wchar_t>(std::towlower(key));
    for (SWindow* w = m_root ? m_root->GetNthChild(1) : nullptr; w; w = w->GetRelatedWindow(GSW_NEXTSIBLING)) {
        auto* item = dynamic_cast<SMenuExItem*>(w);
        // A disabled item stays out of reach of its key as of the mouse.
        if (item && item->GetHotKey() && static_cast<wchar_t>(std::towlower(item->GetHotKey())) == wanted &&
            IsSelectable(item)) {
            item->FireCommand();
            return TRUE;
        }
    }
    return FALSE;
}

void SMenuEx::EndMenu(int command)
{
    SMenuExRunData* run = SMenuExRunData::GetCurrent();
    if (!run)
        return;
    run->Exit(command);
    // Wakes the loop; without an owner the message goes to the thread.
    ::PostMessageW(run->GetOwner(), WM_NULL, 0, 0);
}

} // namespace DUI
