#include "app/controls/SCtrlEditEx.h"

#include "dui/core/CAccelerator.h"
#include "dui/core/SMessageLoop.h"
#include "dui/core/base/SMsgPoint.h"
#include "dui/core/base/SAttrTable.h"

namespace DUI {

SCtrlEditEx::SCtrlEditEx()
{
    GetEventSet()->AddEvent(SEvtEditStateChanged::EventID, SEvtEditStateChanged::EventName());
}

// A loop outlives the focus of the edits it asks; an edit that never lost
// its focus through its tree must not stay in it.
SCtrlEditEx::~SCtrlEditEx()
{
    WatchClicks(FALSE);
}

struct SCtrlEditEx::AttrRows
{
    using Row = SAttrRow<SCtrlEditEx>;

    static HRESULT Accel(SCtrlEditEx& edit, const SStringW& value, BOOL)
    {
        edit.SetAccel(value);
        return S_OK;
    }
    // The style keeps the disabled text's colour.
    static HRESULT DisabledColor(SCtrlEditEx& edit, const SStringW& value, BOOL loading)
    {
        return edit.GetStyle().SetAttribute(L"colorTextDisable", value, loading);
    }

    static constexpr Row kRows[] = {
        {L"accel", &Accel, AttrEffect::None},
        {L"colorTextDisable", &DisabledColor, AttrEffect::Redraw},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SCtrlEditEx::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading, [&] {
        // The cue text keeps its place when the text box aligns its paragraphs.
        if (name.CompareNoCase(L"align") == 0)
            GetStyle().SetAttribute(name, value, loading);
        return SEdit::SetAttribute(name, value, loading);
    });
}

IAcceleratorMgr* SCtrlEditEx::Accelerators() const
{
    ISwndContainer* container = GetContainer();
    return container ? container->GetAcceleratorMgr() : nullptr;
}

void SCtrlEditEx::SetAccel(const SStringW& text)
{
    IAcceleratorMgr* accelerators = Accelerators();
    if (m_accel && accelerators)
        accelerators->UnregisterAccelerator(CAccelerator(m_accel), this);
    m_accel = CAccelerator::ParseHotkeyText(text);
    if (m_accel && accelerators && m_focused)
        accelerators->RegisterAccelerator(CAccelerator(m_accel), this);
}

BOOL SCtrlEditEx::OnAcceleratorPressed(const CAccelerator&)
{
    if (IsFocused())
        KillFocus();
    return TRUE;
}

BOOL SCtrlEditEx::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_LBUTTONDOWN && IsOutside(*msg))
        KillFocus();
    return FALSE;
}

// Both sides in screen coordinates: the click may reach another native
// window of the thread than the edit's host.
BOOL SCtrlEditEx::IsOutside(const MSG& msg) const
{
    ISwndContainer* container = GetContainer();
    if (!container || !msg.hwnd)
        return FALSE;
    POINT click = PointFromLParam(msg.lParam);
    ::ClientToScreen(msg.hwnd, &click);
    RECT box = GetWindowRect();
    container->MapRectToHost(&box);
    ::MapWindowPoints(container->GetHostHwnd(), nullptr, reinterpret_cast<POINT*>(&box), 2);
    return !::PtInRect(&box, click);
}

void SCtrlEditEx::OnPaint(IPaintSurface* rt)
{
    if (!IsDisabled(TRUE)) {
        SEdit::OnPaint(rt);
        return;
    }
    const COLORREF cue = GetCueColor();
    const DWORD alpha = (cue >> 24) * kDisabledCueTenths / 10;
    SetCueColor((cue & 0x00FFFFFF) | (alpha << 24));
    SEdit::OnPaint(rt);
    SetCueColor(cue);
}

void SCtrlEditEx::OnSetFocus(SWND oldFocus)
{
    SEdit::OnSetFocus(oldFocus);
    OnEditStateChanged(TRUE);
}

void SCtrlEditEx::OnKillFocus(SWND newFocus)
{
    SEdit::OnKillFocus(newFocus);
    OnEditStateChanged(FALSE);
}

void SCtrlEditEx::OnEditStateChanged(BOOL focused)
{
    m_focused = focused;
    SetCheck(focused);
    WatchClicks(focused);
    SEvtEditStateChanged e(this);
    e.iState = focused ? 1 : 0;
    FireEvent(e);
    IAcceleratorMgr* accelerators = Accelerators();
    if (!m_accel || !accelerators)
        return;
    // A subscriber may have closed the window: a dead edit registers nothing.
    if (!focused)
        accelerators->UnregisterAccelerator(CAccelerator(m_accel), this);
    else if (!IsDestroyed() && m_focused)
        accelerators->RegisterAccelerator(CAccelerator(m_accel), this);
}

void SCtrlEditEx::WatchClicks(BOOL watch)
{
    if (!watch) {
        if (m_watchedLoop)
            m_watchedLoop->RemoveMessageFilter(this);
        m_watchedLoop = nullptr;
        return;
    }
    ISwndContainer* container = GetContainer();
    SMessageLoop* loop = container ? container->GetMsgLoop() : nullptr;
    if (loop == m_watchedLoop)
        return;
    WatchClicks(FALSE);
    if (loop && loop->AddMessageFilter(this))
        m_watchedLoop = loop;
}

// The edit leaves its host's loop before the rich edit lets its engine go.
void SCtrlEditEx::OnDestroy()
{
    WatchClicks(FALSE);
    SEdit::OnDestroy();
    WatchClicks(FALSE);
}

} // namespace DUI
