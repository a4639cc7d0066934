// SRichEdit: the message map, focus, keyboard, mouse, timers and scrolling.
#include "dui/control/SRichEdit.h"

#include <imm.h>
#include "dui/control/STextHost.h"
#include "dui/core/SApplication.h"
#include "dui/core/base/SHandle.h"
#include "dui/core/base/SMsgPoint.h"
#include "dui/core/STimer2.h"

namespace DUI {

namespace {

BOOL IsCtrlDown()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

BOOL IsShiftDown()
{
    return (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

} // namespace

BOOL SRichEdit::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    result = 0;
    switch (msg) {
    case WM_NCCALCSIZE:
        SPanel::OnSwndMessage(msg, wp, lp, result);
        OnNcCalcSize();
        result = 0;
        return TRUE;
    case WM_TIMER:
    case UM_SWND_TIMER:
        return OnTimerMessage(msg, wp, result);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_MOUSEWHEEL:
        return OnMouseMessage(msg, wp, lp, result);
    case WM_RBUTTONDOWN:
        OnContextMenu(PointFromLParam(lp));
        return TRUE;
    case WM_RBUTTONUP:
        // The menu event went out on the press; the plain window would send
        // a second one on the release.
        return TRUE;
    case WM_KEYDOWN:
        if (OnKeyDown(wp, lp, result))
            return TRUE;
        m_keyWithheld = !SPanel::OnSwndMessage(msg, wp, lp, result);
        return !m_keyWithheld;
    case WM_CHAR:
        return OnChar(wp, result);
    case WM_PASTE:
        if (HasStyle(kStyleNumber))
            return OnPaste(result);
        return OnPasteWithinLimit(result);
    case WM_ENABLE:
        SPanel::OnSwndMessage(msg, wp, lp, result);
        OnEnableChanged(!IsDisabled(TRUE));
        return TRUE;
    case WM_SHOWWINDOW:
        SPanel::OnSwndMessage(msg, wp, lp, result);
        OnShowChanged();
        return TRUE;
    case WM_SETTEXT:
        return OnSetTextMessage(lp, result);
    case WM_SETFONT:
        OnSetFontMessage(reinterpret_cast<HFONT>(wp));
        return TRUE;
    default:
        return OnEditMessage(msg, wp, lp, result);
    }
}

// The EM_ messages the control answers itself rather than the engine.
BOOL SRichEdit::OnEditMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case EM_SETREADONLY:
        result = SUCCEEDED(SetAttribute(L"readonly", wp ? L"1" : L"0", FALSE));
        return TRUE;
    case EM_EXLIMITTEXT:
        result = OnExLimitText(lp);
        return TRUE;
    case EM_SETCHARFORMAT:
        result = OnSetCharFormat(wp, lp);
        return TRUE;
    case EM_SETPARAFORMAT:
        result = OnSetParaFormat(lp);
        return TRUE;
    default:
        return SPanel::OnSwndMessage(msg, wp, lp, result);
    }
}

// A hidden edit gives the cursor back: the host is asked to set it anew.
void SRichEdit::OnShowChanged()
{
    if (IsVisible(TRUE))
        return;
    if (ISwndContainer* container = GetContainer()) {
        HWND host = container->GetHostHwnd();
        ::PostMessageW(host, WM_SETCURSOR, reinterpret_cast<WPARAM>(host), HTCLIENT);
    }
}

void SRichEdit::OnSetFontMessage(HFONT hfont)
{
    SApplication* app = SApplication::GetInstance();
    IPaintFactory* factory = app ? app->GetPaintFactory() : nullptr;
    LOGFONTW lf = {};
    SRefPtr<IFont> font;
    if (factory && hfont && ::GetObjectW(hfont, sizeof(lf), &lf))
        factory->CreateFont(&lf, font.Put());
    if (font && InitDefaultCharFormat(m_cfDef, font.Get()))
        NotifyPropertyBits(TXTBIT_CHARFORMATCHANGE, TXTBIT_CHARFORMATCHANGE);
}

// A key the edit left unhandled (cancelled by a subscriber, or Return that
// the edit does not take) stays unhandled for the host but is kept from the
// engine: Wine's text services break the line on the key itself, and a
// cancelled key must not act.
LRESULT SRichEdit::OnUnhandledMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_KEYDOWN && m_keyWithheld) {
        m_keyWithheld = FALSE;
        return 0;
    }
    if (!GetTextServices())
        return 0;
    if (msg == EM_GETRECT) {
        if (lp)
            FillClientRect(reinterpret_cast<RECT*>(lp));
        return 0;
    }
    return TxSendMessage(msg, wp, lp);
}

void SRichEdit::OnSetFocus(SWND oldFocus)
{
    SPanel::OnSetFocus(oldFocus);
    KeepImeOff(TRUE);
    if (!m_textHost || !IsVisible(TRUE) || IsDisabled(TRUE))
        return;
    m_textHost->SetActive(TRUE);
    GetTextServices()->OnTxUIActivate();
    TxSendMessage(WM_SETFOCUS);
    if (HasOption(Opt_AutoSel))
        SetSel(MAKELONG(0, 0xFFFF), TRUE);
}

void SRichEdit::OnKillFocus(SWND newFocus)
{
    SPanel::OnKillFocus(newFocus);
    KeepImeOff(FALSE);
    if (!m_textHost)
        return;
    m_textHost->SetActive(FALSE);
    GetTextServices()->OnTxUIDeactivate();
    TxSendMessage(WM_KILLFOCUS);
    m_textHost->TxShowCaret(FALSE);
}

// Passwords and numbers take no composed text: the host's input context is
// detached while such a control has the focus.
void SRichEdit::KeepImeOff(BOOL focused)
{
    if (!HasStyle(ES_PASSWORD) && !HasStyle(kStyleNumber) && !m_imeDisabled)
        return;
    ISwndContainer* container = GetContainer();
    HWND host = container ? container->GetHostHwnd() : nullptr;
    if (!host)
        return;
    if (focused) {
        HIMC previous = ::ImmAssociateContext(host, nullptr);
        if (!m_savedImc)
            m_savedImc = previous;
    } else if (m_savedImc) {
        ::ImmAssociateContext(host, m_savedImc);
        m_savedImc = nullptr;
    }
}

// FALSE leaves the key to the maps below and at last to the engine through
// OnUnhandledMessage.
BOOL SRichEdit::OnKeyDown(WPARAM wp, LPARAM lp, LRESULT& result)
{
    EventKeyDown e(this);
    e.nChar = static_cast<UINT>(wp);
    e.nFlags = HIWORD(lp);
    FireEvent(e);
    if (e.bCancel || (wp == VK_RETURN && !HasStyle(ES_WANTRETURN) && !IsCtrlDown()))
        return FALSE;
    if (HasStyle(kStyleNumber)) {
        if (wp == 'V' && IsCtrlDown())
            return TRUE;
        // Shift+Insert is the other paste key: it goes through the checked
        // paste of a number edit instead of straight into the engine.
        if (wp == VK_INSERT && IsShiftDown() && !IsCtrlDown()) {
            DeliverSwndMessage(WM_PASTE);
            return TRUE;
        }
    }
    result = TxSendMessage(WM_KEYDOWN, wp, lp);
    return TRUE;
}

BOOL SRichEdit::OnChar(WPARAM wp, LRESULT& result)
{
    const WCHAR ch = static_cast<WCHAR>(wp);
    BOOL pass = TRUE;
    if (ch == L'\t')
        pass = HasOption(Opt_WantTab) || IsCtrlDown();
    else if (ch == L'\n' || ch == L'\r')
        pass = IsCtrlDown() || HasStyle(ES_WANTRETURN);
    else if (HasStyle(kStyleNumber))
        pass = PassesNumberRule(ch);
    if (pass) {
        const SwndMsg* cur = GetCurMsg();
        result = TxSendMessage(WM_CHAR, wp, cur ? cur->lParam : 0);
    }
    return TRUE;
}

// Control characters (Backspace, Ctrl+A) insert nothing: they stay editing
// keys in a number edit.
BOOL SRichEdit::PassesNumberRule(WCHAR ch) const
{
    if (ch < L' ')
        return TRUE;
    if (ch >= L'0' && ch <= L'9')
        return TRUE;
    const LRESULT length = TxSendMessage(WM_GETTEXTLENGTH);
    if (ch == L'-')
        return length == 0;
    if (ch == L'.')
        return length > 0 && GetWindowText().Find(L'.') < 0;
    return FALSE;
}

BOOL SRichEdit::OnMouseMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
        SetCapture();
        if (!IsFocused()) {
            SetFocus();
            if (HasOption(Opt_AutoSel))
                return TRUE;
        }
        result = TxSendMessage(msg, wp, lp);
        return TRUE;
    case WM_LBUTTONUP:
        result = TxSendMessage(msg, wp, lp);
        ReleaseCapture();
        return TRUE;
    case WM_MOUSEWHEEL:
        if (HasStyle(ES_MULTILINE) && IsFocused()) {
            HRESULT hr = S_OK;
            TxSendMessage(msg, wp, lp, &hr);
            result = hr == S_OK ? 1 : 0;
        } else {
            result = SWindow::OnMouseWheel(wp, lp);
        }
        return TRUE;
    default:
        result = TxSendMessage(msg, wp, lp);
        return TRUE;
    }
}

BOOL SRichEdit::OnTimerMessage(UINT msg, WPARAM wp, LRESULT& result)
{
    if (msg == UM_SWND_TIMER) {
        result = TxSendMessage(WM_TIMER, wp, 0);
        return TRUE;
    }
    if (static_cast<char>(wp) == kRedrawTimer) {
        InvalidateClient();
        KillTimer(kRedrawTimer);
        return TRUE;
    }
    return SPanel::OnSwndMessage(msg, wp, 0, result);
}

BOOL SRichEdit::OnScroll(BOOL vertical, UINT code, int pos)
{
    if (HasOption(Opt_Scrolling))
        return FALSE;
    SetOption(Opt_Scrolling, TRUE);
    SPanel::OnScroll(vertical, code, pos);
    const LRESULT engineResult =
        TxSendMessage(vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, static_cast<WORD>(pos)), 0);
    LONG enginePos = 0;
    if (ITextServices* services = GetTextServices()) {
        if (vertical)
            services->TxGetVScroll(nullptr, nullptr, &enginePos, nullptr, nullptr);
        else
            services->TxGetHScroll(nullptr, nullptr, &enginePos, nullptr, nullptr);
        if (enginePos != GetScrollPos(vertical))
            SyncScrollPos(vertical, enginePos, TRUE);
    }
    SetOption(Opt_Scrolling, FALSE);
    if (code == SB_THUMBTRACK)
        UpdateThrottled();
    return engineResult == 0;
}

// The panel's SetScrollPos would come back through OnScroll, which the
// guard refuses while the engine is being scrolled: the bar would stay out
// of step with the engine's view.
void SRichEdit::SyncScrollPos(BOOL vertical, int pos, BOOL redraw)
{
    SCROLLINFO& si = InfoOf(vertical);
    if (si.nPos != pos) {
        si.nPos = pos;
        const RECT bar = GetScrollBarRect(vertical);
        InvalidateRect(&bar);
    }
    if (redraw)
        InvalidateClient();
}

BOOL SRichEdit::OnSetCursor(POINT pt)
{
    const RECT client = GetClientRect();
    if (!::PtInRect(&client, pt))
        return FALSE;
    ITextServices* services = GetTextServices();
    ISwndContainer* container = GetContainer();
    if (!services || !container)
        return FALSE;
    SWindowDC dc(container->GetHostHwnd());
    services->OnTxSetCursor(DVASPECT_CONTENT, -1, nullptr, nullptr, dc, nullptr, &client, pt.x, pt.y);
    return TRUE;
}

UINT SRichEdit::OnGetDlgCode() const
{
    UINT code = DLGC_WANTARROWS | DLGC_HASSETSEL;
    if (HasOption(Opt_WantTab))
        code |= DLGC_WANTTAB;
    if (HasStyle(ES_WANTRETURN))
        code |= DLGC_WANTALLKEYS;
    return code;
}

void SRichEdit::OnEnableChanged(BOOL enabled)
{
    const SwndStyle& style = GetStyle();
    if (enabled) {
        const COLORREF normal = style.m_crText[0];
        SetDefaultTextColor(normal == SPaintState::kNoColor ? 0 : normal);
    } else if (style.m_crText[3] != SPaintState::kNoColor) {
        SetDefaultTextColor(style.m_crText[3]);
    }
}

void SRichEdit::SetSel(DWORD packed, BOOL noScroll)
{
    TxSendMessage(EM_SETSEL, LOWORD(packed), HIWORD(packed));
    if (!noScroll)
        TxSendMessage(EM_SCROLLCARET);
}

} // namespace DUI
