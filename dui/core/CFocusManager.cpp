#include "dui/core/CFocusManager.h"

#include <algorithm>

#include "dui/core/FocusSearch.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/core/SWindow.h"

namespace DUI {

namespace {

SWindow* WindowOf(SWND swnd)
{
    SWindowMgr* windows = SWindowMgr::GetInstance();
    return windows ? windows->GetWindow(swnd) : nullptr;
}

BOOL CanHoldFocus(const SWindow* w)
{
    return !w->IsDisabled(TRUE) && w->IsFocusable();
}

// Restores the changing flag however the change ends.
class ChangingScope
{
public:
    explicit ChangingScope(BOOL& flag) : m_flag(flag), m_outer(flag) { m_flag = TRUE; }
    ~ChangingScope() { m_flag = m_outer; }
    ChangingScope(const ChangingScope&) = delete;
    ChangingScope& operator=(const ChangingScope&) = delete;

private:
    BOOL& m_flag;
    BOOL m_outer;
};

} // namespace

// While the host is inactive a request is only recorded. A request for no
// focus is recorded as "nothing", never as 0, which would mean "active".
void CFocusManager::SetFocusedSwnd(SWND swnd, int reason)
{
    if (swnd == m_focused) {
        if (swnd == 0 && m_stored != 0)
            m_stored = kStoredNone;
        return;
    }
    if (m_stored != 0) {
        m_stored = swnd ? swnd : kStoredNone;
        return;
    }
    ChangingScope changing(m_changing);
    m_reason = reason;
    const SWND old = m_focused;
    m_focused = 0;
    if (SWindow* oldWindow = WindowOf(old))
        oldWindow->DeliverSwndMessage(WM_KILLFOCUS, swnd);
    // The kill-focus handler may have moved the focus itself (that change
    // stands) or destroyed the new window (looked up only now).
    if (m_focused != 0 || m_stored != 0)
        return;
    SWindow* window = WindowOf(swnd);
    if (!window || !CanHoldFocus(window) || window->GetRoot() != m_root)
        return;
    // Focused before it hears of it: its handler sees IsFocused, and may
    // move the focus on.
    m_focused = swnd;
    window->DeliverSwndMessage(WM_SETFOCUS, 0, reason);
}

// Deactivation and the loss of the native focus both arrive here; only the
// first stores, or the second would store "nothing".
void CFocusManager::StoreFocus()
{
    if (m_stored != 0)
        return;
    ValidateFocusedSwnd();
    m_stored = m_focused;
    m_focused = 0;
    if (SWindow* window = WindowOf(m_stored)) {
        ChangingScope changing(m_changing);
        window->DeliverSwndMessage(WM_KILLFOCUS, 0, 0);
    } else {
        m_stored = kStoredNone;
    }
}

void CFocusManager::RestoreFocus()
{
    const SWND stored = m_stored;
    m_stored = 0;
    SWindow* window = stored != kStoredNone ? WindowOf(stored) : nullptr;
    if (!window || !window->IsVisible(TRUE) || !CanHoldFocus(window) || window->GetRoot() != m_root)
        return;
    if (m_focused != 0)
        return;
    ChangingScope changing(m_changing);
    m_reason = kReasonRestored;
    m_focused = stored;
    window->DeliverSwndMessage(WM_SETFOCUS, 0, kReasonRestored);
}

void CFocusManager::ValidateFocusedSwnd()
{
    SWindow* window = WindowOf(m_focused);
    if (!window || window->GetRoot() != m_root)
        m_focused = 0;
}

void CFocusManager::AdvanceFocus(BOOL reverse)
{
    ValidateFocusedSwnd();
    FocusSearch search(m_root, TRUE);
    if (SWindow* next = search.FindNextFocusable(WindowOf(m_focused), reverse))
        SetFocusedSwnd(next->GetSwnd(), kReasonKeyboard);
}

BOOL CFocusManager::OnKeyDown(UINT vKey)
{
    const BOOL ctrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (vKey == VK_TAB && !ctrl) {
        ValidateFocusedSwnd();
        SWindow* focused = WindowOf(m_focused);
        if (!focused || !(focused->OnGetDlgCode() & SC_WANTTAB)) {
            AdvanceFocus((::GetKeyState(VK_SHIFT) & 0x8000) != 0);
            return TRUE;
        }
    }
    if (vKey >= VK_LEFT && vKey <= VK_DOWN) {
        SWindow* focused = WindowOf(m_focused);
        if (focused && focused->IsGroupedWithSiblings()) {
            MoveInGroup(focused, vKey == VK_LEFT || vKey == VK_UP);
            return TRUE;
        }
    }
    return ProcessAccelerator(CurrentAccelerator(vKey));
}

// The next grouped sibling that can take the focus, wrapping at the ends of
// the parent's children.
void CFocusManager::MoveInGroup(SWindow* focused, BOOL back)
{
    const UINT step = back ? GSW_PREVSIBLING : GSW_NEXTSIBLING;
    auto canTake = [](const SWindow* w) {
        return w->IsGroupedWithSiblings() && w->IsVisible(TRUE) && CanHoldFocus(w);
    };
    for (SWindow* w = focused->GetRelatedWindow(step); w; w = w->GetRelatedWindow(step)) {
        if (canTake(w)) {
            SetFocusedSwnd(w->GetSwnd(), kReasonKeyboard);
            return;
        }
    }
    SWindow* parent = focused->GetParent();
    if (!parent)
        return;
    SWindow* w = parent->GetRelatedWindow(back ? GSW_LASTCHILD : GSW_FIRSTCHILD);
    for (; w && w != focused; w = w->GetRelatedWindow(step)) {
        if (canTake(w)) {
            SetFocusedSwnd(w->GetSwnd(), kReasonKeyboard);
            return;
        }
    }
}

CAccelerator CFocusManager::CurrentAccelerator(UINT vKey)
{
    auto down = [](int key) { return (::GetKeyState(key) & 0x8000) != 0; };
    return CAccelerator(vKey, down(VK_CONTROL), down(VK_MENU), down(VK_SHIFT));
}

// The targets are asked from a copy, so that one may unregister itself or
// others; a target unregistered meanwhile is not asked any more.
BOOL CFocusManager::ProcessAccelerator(const CAccelerator& acc)
{
    const std::vector<IAcceleratorTarget*>* registered = m_accelerators.Lookup(acc.GetAcc());
    if (!registered || registered->empty())
        return FALSE;
    const std::vector<IAcceleratorTarget*> targets = *registered;
    for (IAcceleratorTarget* target : targets) {
        const std::vector<IAcceleratorTarget*>* now = m_accelerators.Lookup(acc.GetAcc());
        if (!now || std::find(now->begin(), now->end(), target) == now->end())
            continue;
        if (target->OnAcceleratorPressed(acc))
            return TRUE;
    }
    return FALSE;
}

void CFocusManager::RegisterAccelerator(const CAccelerator& acc, IAcceleratorTarget* target)
{
    if (!target)
        return;
    std::vector<IAcceleratorTarget*>* targets = m_accelerators.Lookup(acc.GetAcc());
    if (!targets) {
        m_accelerators.SetAt(acc.GetAcc(), {target});
        return;
    }
    targets->insert(targets->begin(), target);
}

void CFocusManager::UnregisterAccelerator(const CAccelerator& acc, IAcceleratorTarget* target)
{
    std::vector<IAcceleratorTarget*>* targets = m_accelerators.Lookup(acc.GetAcc());
    if (!targets)
        return;
    auto it = std::find(targets->begin(), targets->end(), target);
    if (it != targets->end())
        targets->erase(it);
    if (targets->empty())
        m_accelerators.RemoveKey(acc.GetAcc());
}

void CFocusManager::UnregisterAccelerators(IAcceleratorTarget* target)
{
    std::vector<DWORD> keys;
    for (auto pos = m_accelerators.GetStartPosition(); pos; pos = m_accelerators.GetNext(pos))
        keys.push_back(pos->m_key);
    for (DWORD key : keys)
        UnregisterAccelerator(CAccelerator(key), target);
}

} // namespace DUI
