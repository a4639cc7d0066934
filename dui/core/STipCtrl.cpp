#include "dui/core/STipCtrl.h"

#include "dui/core/base/SSelectObject.h"
#include "dui/core/base/SMsgPoint.h"

namespace DUI {

namespace {

constexpr DWORD kPopupStyle = 0x80000003;   // WS_POPUP and the two low bits
constexpr DWORD kPopupExStyle = WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
constexpr int kBaseFontHeight = -12;

bool IsMouseButtonMessage(UINT msg)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return true;
    default:
        return false;
    }
}

} // namespace

BOOL STipCtrl::Create()
{
    if (!CreateWindow(L"dui tooltip", kPopupStyle, kPopupExStyle, 0, 0, 0, 0, nullptr, nullptr))
        return FALSE;
    m_selfDelete = true;
    MakeFont(100);
    m_fontScale = 0;   // the first tip records its host's scale
    return TRUE;
}

void STipCtrl::MakeFont(int scale)
{
    LOGFONTW lf = {};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lf.lfHeight = scale * kBaseFontHeight / 100;
    wcscpy_s(lf.lfFaceName, L"宋体");
    m_font.Reset(::CreateFontIndirectW(&lf));
    m_fontScale = scale;
}

BOOL STipCtrl::PreTranslateMessage(MSG* msg)
{
    if (GetHwnd() && msg)
        RelayEvent(msg);
    return FALSE;
}

void STipCtrl::UpdateTip(const SwndToolTipKey& id, const RECT& rc, LPCWSTR text, int scale)
{
    if (id == m_id)
        return;
    m_id = id;
    m_rcTip = rc;
    m_text = text ? text : L"";
    if (scale != m_fontScale)
        MakeFont(scale);
    m_text.Replace(L"\\n", L"\n");
    if (::IsWindowVisible(GetHwnd()))
        Show();
}

void STipCtrl::ClearTip()
{
    m_id = SwndToolTipKey{};
    Hide();
}

void STipCtrl::RelayEvent(const MSG* msg)
{
    if (IsMouseButtonMessage(msg->message)) {
        HideAndStop();
        return;
    }
    if (msg->message != WM_MOUSEMOVE)
        return;
    POINT pt = PointFromLParam(msg->lParam);
    if (!::PtInRect(&m_rcTip, pt)) {
        HideAndStop();
        return;
    }
    if (::IsWindowVisible(GetHwnd()) || m_text.IsEmpty())
        return;
    m_timer.RestartShow(GetHwnd());
    ::ClientToScreen(msg->hwnd, &pt);
    ::SetWindowPos(GetHwnd(), nullptr, pt.x, pt.y + kCursorGap, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
}

void STipCtrl::OnTimer(UINT_PTR id)
{
    switch (m_timer.OnTimer(GetHwnd(), id)) {
    case STipTimer::Step::Show: Show(); break;
    case STipTimer::Step::Hide: HideAndStop(); break;
    case STipTimer::Step::None: break;
    }
}

SIZE STipCtrl::MeasureText()
{
    SWindowDC screen(nullptr);
    SSelectObject font(screen, m_font.Get());
    RECT rc = {0, 0, kWrapWidth, 1000};
    ::DrawTextW(screen, m_text, -1, &rc, DT_CALCRECT | DT_WORDBREAK);
    return SIZE{rc.right - rc.left, rc.bottom - rc.top};
}

void STipCtrl::Show()
{
    if (m_text.IsEmpty())
        return;
    const SIZE text = MeasureText();
    const RECT now = GetWindowRect();
    RECT rc = {now.left, now.top, now.left + text.cx + kPadding, now.top + text.cy + kPadding};
    MONITORINFO mi = {sizeof(mi)};
    ::GetMonitorInfoW(::MonitorFromRect(&now, MONITOR_DEFAULTTONEAREST), &mi);
    if (rc.right > mi.rcMonitor.right)
        ::OffsetRect(&rc, mi.rcMonitor.right - rc.right, 0);
    if (rc.bottom > mi.rcMonitor.bottom)
        ::OffsetRect(&rc, 0, mi.rcMonitor.bottom - rc.bottom);
    ::SetWindowPos(GetHwnd(), HWND_TOPMOST, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                   SWP_NOOWNERZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

void STipCtrl::Hide()
{
    ::ShowWindow(GetHwnd(), SW_HIDE);
    m_rcTip = RECT{};
    m_text.Empty();
}

void STipCtrl::HideAndStop()
{
    Hide();
    m_timer.StopHide(GetHwnd());
}

void STipCtrl::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(GetHwnd(), &ps);
    {
        RECT rc = GetClientRect();
        SGdiObject<HBRUSH> brush(::CreateSolidBrush(::GetSysColor(COLOR_INFOBK)));
        SSelectObject pickBrush(dc, brush.Get());
        ::Rectangle(dc, rc.left, rc.top, rc.right, rc.bottom);   // the default pen frames it
        ::InflateRect(&rc, -kPadding / 2, -kPadding / 2);
        ::SetBkMode(dc, TRANSPARENT);
        SSelectObject pickFont(dc, m_font.Get());
        ::DrawTextW(dc, m_text, -1, &rc, DT_WORDBREAK);
    }
    ::EndPaint(GetHwnd(), &ps);
}

BOOL STipCtrl::ProcessWindowMessage(HWND, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD)
{
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        result = 0;
        return TRUE;
    case WM_TIMER:
        OnTimer(wp);
        result = 0;
        return TRUE;
    default: {
        BOOL handled = FALSE;
        result = ReflectNotifications(msg, wp, lp, handled);
        // A control that answers a colour message with no brush leaves it to the system.
        if (handled && result == 0 && msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC)
            handled = FALSE;
        return handled;
    }
    }
}

void STipCtrl::OnFinalMessage(HWND hwnd)
{
    CSimpleWnd::OnFinalMessage(hwnd);
    if (m_selfDelete)
        delete this;
}

} // namespace DUI
