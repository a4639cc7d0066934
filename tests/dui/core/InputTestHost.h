#pragma once
// Input tests: a host whose focus is a real focus manager, whose capture
// refuses disabled and dead windows as a host does, and a small router that
// sends mouse messages where a host would (capture, else the window under
// the point, with hover and leave on changes). Windows that record every
// message and event they get, in one shared log.
#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "FakeSwndContainer.h"
#include "WindowTestEnv.h"
#include "dui/core/CFocusManager.h"

namespace wndtest {

using namespace DUI;

inline std::vector<std::wstring>& InputLog()
{
    static std::vector<std::wstring> log;
    return log;
}

inline std::wstring MessageName(UINT msg)
{
    static const std::map<UINT, std::wstring> names = {
        {WM_LBUTTONDOWN, L"ldown"},     {WM_LBUTTONUP, L"lup"},         {WM_RBUTTONDOWN, L"rdown"},
        {WM_RBUTTONUP, L"rup"},         {WM_MOUSEMOVE, L"move"},        {WM_MOUSEHOVER, L"hover"},
        {WM_MOUSELEAVE, L"leave"},      {WM_SETFOCUS, L"setfocus"},     {WM_KILLFOCUS, L"killfocus"},
        {WM_MOUSEWHEEL, L"wheel"},      {WM_KEYDOWN, L"keydown"},       {WM_TIMER, L"timer"},
        {WM_ACTIVATEAPP, L"activateapp"}, {0x1938, L"tick"},
    };
    auto it = names.find(msg);
    return it == names.end() ? std::wstring() : it->second;
}

// Logs "name:message" for the messages above, and "name:event" for the
// events of the input map; a test may add a reaction to any message.
class RecWnd : public SWindow
{
public:
    explicit RecWnd(const wchar_t* name, BOOL focusable = FALSE)
    {
        SetName(name);
        if (focusable)
            SetAttribute(L"focusable", L"1", FALSE);
        for (int id : {EventLButtonDown::EventID, EventLButtonUp::EventID, EventCmd::EventID,
                       EventCtxMenu::EventID, EventSetFocus::EventID, EventKillFocus::EventID,
                       EventSwndMouseHover::EventID, EventSwndMouseLeave::EventID}) {
            GetEventSet()->SubscribeEvent(id, StdFunctionSlot([this](EventArgs* e) {
                InputLog().push_back(std::wstring(GetName()) + L":" + e->GetName());
                return false;
            }));
        }
    }

    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override
    {
        const std::wstring name = MessageName(msg);
        if (!name.empty())
            InputLog().push_back(std::wstring(GetName()) + L":" + name);
        auto react = reactions.find(msg);
        if (react != reactions.end()) {
            auto fn = react->second;  // the reaction may destroy this window
            fn(wp, lp);
        }
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    }
    UINT OnGetDlgCode() const override { return dlgCode; }
    BOOL IsGroupedWithSiblings() const override { return grouped; }
    SWindow* GetCheckedSiblingInGroup() override
    {
        for (SWindow* w = GetParent() ? GetParent()->GetRelatedWindow(GSW_FIRSTCHILD) : nullptr; w;
             w = w->GetRelatedWindow(GSW_NEXTSIBLING)) {
            if (w->IsGroupedWithSiblings() && w->IsChecked())
                return w;
        }
        return nullptr;
    }

    std::map<UINT, std::function<void(WPARAM, LPARAM)>> reactions;
    UINT dlgCode = 0;
    BOOL grouped = FALSE;
};

inline LPARAM PointParam(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

class InputHost : public FakeSwndContainer
{
public:
    explicit InputHost(SWindow* root) : root(root), focus(root) { root->SetContainer(this); }

    SWND SetCapture(SWND swnd) override
    {
        SWindow* w = SWindowMgr::GetInstance()->GetWindow(swnd);
        if (!w || w->IsDisabled(TRUE))
            return 0;
        const SWND old = capture;
        capture = swnd;
        return old;
    }
    void SetFocus(SWND swnd) override { focus.SetFocusedSwnd(swnd); }
    SWND GetFocus() const override { return focus.GetFocusedSwnd(); }
    SWND GetHover() const override { return hover; }
    IAcceleratorMgr* GetAcceleratorMgr() override { return &focus; }
    void UpdateTooltip() override { ++tooltipUpdates; }
    BOOL RegisterTrackMouseEvent(SWND swnd) override
    {
        tracked.push_back(swnd);
        return TRUE;
    }
    BOOL UnregisterTrackMouseEvent(SWND swnd) override
    {
        std::erase(tracked, swnd);
        return TRUE;
    }

    // Where a host sends a mouse message: the capture, else the window under
    // the point; a move changes the hover window first.
    void Mouse(UINT msg, int x, int y)
    {
        const POINT pt = {x, y};
        SWindowMgr* windows = SWindowMgr::GetInstance();
        if (msg == WM_MOUSEMOVE && !windows->GetWindow(capture)) {
            const SWND under = root->HitTestSwnd(pt);
            if (under != hover) {
                if (SWindow* old = windows->GetWindow(hover))
                    old->DeliverSwndMessage(WM_MOUSELEAVE);
                hover = under;
                if (SWindow* now = windows->GetWindow(hover))
                    now->DeliverSwndMessage(WM_MOUSEHOVER, 0, PointParam(x, y));
            }
        } else if (msg == WM_MOUSEMOVE) {
            SWindow* held = windows->GetWindow(capture);
            const SWND inside = held->ContainsPoint(pt, FALSE) ? capture : 0;
            if (inside != hover) {
                if (SWindow* old = windows->GetWindow(hover))
                    old->DeliverSwndMessage(WM_MOUSELEAVE);
                hover = inside;
                if (inside)
                    held->DeliverSwndMessage(WM_MOUSEHOVER, 0, PointParam(x, y));
            }
        }
        SWindow* target = windows->GetWindow(capture);
        if (!target)
            target = windows->GetWindow(root->HitTestSwnd(pt));
        if (target && !target->IsDisabled(TRUE))
            target->DeliverSwndMessage(msg, 0, PointParam(x, y));
    }

    void Click(int x, int y)
    {
        Mouse(WM_MOUSEMOVE, x, y);
        Mouse(WM_LBUTTONDOWN, x, y);
        Mouse(WM_LBUTTONUP, x, y);
    }

    SWindow* root;
    CFocusManager focus;
    SWND hover = 0;
    int tooltipUpdates = 0;
    std::vector<SWND> tracked;
};

// Holds Ctrl, Shift and Alt as the test says, in this thread's key state,
// and lets them go again.
class HeldKeys
{
public:
    HeldKeys(BOOL ctrl, BOOL shift, BOOL alt)
    {
        ::GetKeyboardState(m_saved);
        BYTE keys[256];
        ::GetKeyboardState(keys);
        Set(keys, VK_CONTROL, ctrl);
        Set(keys, VK_SHIFT, shift);
        Set(keys, VK_MENU, alt);
        ::SetKeyboardState(keys);
    }
    ~HeldKeys() { ::SetKeyboardState(m_saved); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    static void Set(BYTE* keys, int vKey, BOOL down) { keys[vKey] = down ? 0x80 : 0; }
    BYTE m_saved[256] = {};
};

} // namespace wndtest
