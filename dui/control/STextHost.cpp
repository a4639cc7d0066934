#include "dui/control/STextHost.h"

#include "dui/control/SRichEdit.h"
#include "dui/core/base/DuiLog.h"
#include "dui/core/STextServiceHelper.h"

#include <imm.h>

namespace DUI {

// Defined here: the program loads riched20.dll at run time and links no
// import library that would carry them.
const IID STextHost::kIID_ITextHost = {0xC5BDD8D0, 0xD26E, 0x11CE, {0xA8, 0x9E, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};
const IID STextHost::kIID_ITextServices = {0x8D33F740, 0xCF58, 0x11CE, {0xA8, 0x9D, 0x00, 0xAA, 0x00, 0x6C, 0xAD, 0xC5}};

namespace {

int BarMaskOf(INT bar)
{
    switch (bar) {
    case SB_HORZ: return SPanel::Bar_Horz;
    case SB_VERT: return SPanel::Bar_Vert;
    case SB_BOTH: return SPanel::Bar_Horz | SPanel::Bar_Vert;
    default: return 0;
    }
}

} // namespace

// The engine adopts the host it is given: the count starts at 0.
STextHost::STextHost(SRichEdit* edit) : TComObject<ITextHost>(kIID_ITextHost, 0), m_edit(edit) {}

STextHost::~STextHost()
{
    if (m_services)
        m_services->Release();
}

BOOL STextHost::Init()
{
    STextServiceHelper* helper = STextServiceHelper::GetInstance();
    auto create = helper ? reinterpret_cast<PCreateTextServices>(reinterpret_cast<void*>(helper->GetCreateTextServices())) : nullptr;
    if (!create)
        return FALSE;
    IUnknown* object = nullptr;
    if (FAILED(create(nullptr, this, &object)) || !object)
        return FALSE;
    const HRESULT hr = object->QueryInterface(kIID_ITextServices, reinterpret_cast<void**>(&m_services));
    object->Release();
    if (FAILED(hr))
        m_services = nullptr;
    return m_services != nullptr;
}

HWND STextHost::HostHwnd() const
{
    ISwndContainer* container = m_edit->GetContainer();
    return container ? container->GetHostHwnd() : nullptr;
}

HDC STextHost::TxGetDC()
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, static_cast<HDC>(nullptr), [&]() -> HDC {
        return ::GetDC(nullptr);
    });
}

INT STextHost::TxReleaseDC(HDC hdc)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, 0, [&]() -> INT {
        return ::ReleaseDC(nullptr, hdc);
    });
}

WINBOOL STextHost::TxShowScrollBar(INT bar, WINBOOL show)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, FALSE, [&]() -> WINBOOL {
        return m_edit->ShowScrollBar(BarMaskOf(bar), show);
    });
}

WINBOOL STextHost::TxEnableScrollBar(INT bars, INT arrows)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, FALSE, [&]() -> WINBOOL {
        return m_edit->EnableScrollBar(BarMaskOf(bars), arrows == ESB_ENABLE_BOTH);
    });
}

WINBOOL STextHost::TxSetScrollRange(INT bar, LONG minPos, INT maxPos, WINBOOL redraw)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, FALSE, [&]() -> WINBOOL {
        return m_edit->SetScrollRange(bar != SB_HORZ, minPos, maxPos, redraw);
    });
}

// The engine reports where it scrolled itself.
WINBOOL STextHost::TxSetScrollPos(INT bar, INT pos, WINBOOL redraw)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, FALSE, [&]() -> WINBOOL {
        if (!m_edit->HasOption(SRichEdit::Opt_Scrolling))
            m_edit->SyncScrollPos(bar != SB_HORZ, pos, redraw);
        return TRUE;
    });
}

void STextHost::TxInvalidateRect(LPCRECT rc, WINBOOL)
{
    CallGuarded(__FILE__, __LINE__, __func__, [&] {
        if (rc)
            m_edit->InvalidateRect(rc);
        else
            m_edit->InvalidateClient();
    });
}

void STextHost::TxViewChange(WINBOOL update)
{
    CallGuarded(__FILE__, __LINE__, __func__, [&] {
        if (update)
            m_edit->InvalidateRect(nullptr);
    });
}

WINBOOL STextHost::TxCreateCaret(HBITMAP bitmap, INT width, INT height)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, FALSE, [&]() -> WINBOOL {
        return m_edit->CreateCaret(bitmap, width, height);
    });
}

WINBOOL STextHost::TxShowCaret(WINBOOL show)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, FALSE, [&]() -> WINBOOL {
        if (show && !m_active)
            return FALSE;
        ISwndContainer* container = m_edit->GetContainer();
        return container ? container->ShowCaret(show) : FALSE;
    });
}

WINBOOL STextHost::TxSetCaretPos(INT x, INT y)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, FALSE, [&]() -> WINBOOL {
        m_caretPos = POINT{x, y};
        ISwndContainer* container = m_edit->GetContainer();
        return container ? container->SetCaretPos(x, y) : FALSE;
    });
}

WINBOOL STextHost::TxSetTimer(UINT id, UINT timeout)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, FALSE, [&]() -> WINBOOL {
        return m_edit->SetTimerEx(id, timeout);
    });
}

void STextHost::TxKillTimer(UINT id)
{
    CallGuarded(__FILE__, __LINE__, __func__, [&] {
        m_edit->KillTimerEx(id);
    });
}

void STextHost::TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT)
{
    CallGuarded(__FILE__, __LINE__, __func__, [&] {
        m_edit->InvalidateClient();
    });
}

void STextHost::TxSetCapture(WINBOOL capture)
{
    CallGuarded(__FILE__, __LINE__, __func__, [&] {
        if (capture)
            m_edit->SetCapture();
        else
            m_edit->ReleaseCapture();
    });
}

void STextHost::TxSetFocus()
{
    CallGuarded(__FILE__, __LINE__, __func__, [&] {
        m_edit->SetFocus();
    });
}

void STextHost::TxSetCursor(HCURSOR cursor, WINBOOL)
{
    CallGuarded(__FILE__, __LINE__, __func__, [&] {
        ::SetCursor(cursor);
    });
}

WINBOOL STextHost::TxScreenToClient(LPPOINT pt)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, FALSE, [&]() -> WINBOOL {
        return ::ScreenToClient(HostHwnd(), pt);
    });
}

WINBOOL STextHost::TxClientToScreen(LPPOINT pt)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, FALSE, [&]() -> WINBOOL {
        return ::ClientToScreen(HostHwnd(), pt);
    });
}

HRESULT STextHost::TxActivate(LONG* oldState)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        if (oldState)
            *oldState = m_active;
        m_active = 1;
        return S_OK;
    });
}

HRESULT STextHost::TxDeactivate(LONG)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        m_active = 0;
        return S_OK;
    });
}

HRESULT STextHost::TxGetClientRect(LPRECT rc)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        m_edit->FillClientRect(rc);
        return S_OK;
    });
}

HRESULT STextHost::TxGetViewInset(LPRECT rc)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        *rc = m_edit->m_viewInset;
        return S_OK;
    });
}

HRESULT STextHost::TxGetCharFormat(const CHARFORMATW** cf)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        *cf = reinterpret_cast<const CHARFORMATW*>(&m_edit->m_cfDef);
        return S_OK;
    });
}

HRESULT STextHost::TxGetParaFormat(const PARAFORMAT** pf)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        *pf = reinterpret_cast<const PARAFORMAT*>(&m_edit->m_pfDef);
        return S_OK;
    });
}

COLORREF STextHost::TxGetSysColor(int index)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, static_cast<COLORREF>(0), [&]() -> COLORREF {
        return ::GetSysColor(index);
    });
}

HRESULT STextHost::TxGetBackStyle(TXTBACKSTYLE* style)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        *style = TXTBACK_TRANSPARENT;
        return S_OK;
    });
}

HRESULT STextHost::TxGetMaxLength(DWORD* length)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        *length = static_cast<DWORD>(m_edit->m_textLimit);
        return S_OK;
    });
}

HRESULT STextHost::TxGetScrollBars(DWORD* bits)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        *bits = m_edit->m_editStyle & (WS_VSCROLL | WS_HSCROLL | ES_AUTOVSCROLL | ES_AUTOHSCROLL | SRichEdit::kStyleNumber);
        return S_OK;
    });
}

HRESULT STextHost::TxGetPasswordChar(TCHAR* ch)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        *ch = m_edit->m_passwordChar;
        return S_OK;
    });
}

HRESULT STextHost::TxGetAcceleratorPos(LONG* pos)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        *pos = m_edit->m_accelPos;
        return S_OK;
    });
}

HRESULT STextHost::TxGetExtent(LPSIZEL extent)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        *extent = m_edit->m_extent;
        return S_OK;
    });
}

HRESULT STextHost::OnTxCharFormatChange(const CHARFORMATW*)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        return S_OK;
    });
}

HRESULT STextHost::OnTxParaFormatChange(const PARAFORMAT*)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        return S_OK;
    });
}

HRESULT STextHost::TxGetPropertyBits(DWORD mask, DWORD* bits)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        const DWORD style = m_edit->m_editStyle;
        const DWORD options = m_edit->m_options;
        DWORD all = 0;
        if (options & SRichEdit::Opt_Rich) all |= TXTBIT_RICHTEXT;
        if (style & ES_MULTILINE) all |= TXTBIT_MULTILINE;
        if (style & ES_READONLY) all |= TXTBIT_READONLY;
        if (style & ES_PASSWORD) all |= TXTBIT_USEPASSWORD;
        if (!(style & ES_NOHIDESEL)) all |= TXTBIT_HIDESELECTION;
        if (options & SRichEdit::Opt_SaveSel) all |= TXTBIT_SAVESELECTION;
        if (options & SRichEdit::Opt_AutoWordSel) all |= TXTBIT_AUTOWORDSEL;
        if (options & SRichEdit::Opt_Vertical) all |= TXTBIT_VERTICAL;
        if (options & SRichEdit::Opt_WordWrap) all |= TXTBIT_WORDWRAP;
        if (options & SRichEdit::Opt_AllowBeep) all |= TXTBIT_ALLOWBEEP;
        *bits = all & mask;
        return S_OK;
    });
}

HRESULT STextHost::TxNotify(DWORD code, void* data)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        return m_edit->OnTxNotify(code, data);
    });
}

HIMC STextHost::TxImmGetContext()
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, static_cast<HIMC>(nullptr), [&]() -> HIMC {
        return ::ImmGetContext(HostHwnd());
    });
}

void STextHost::TxImmReleaseContext(HIMC imc)
{
    CallGuarded(__FILE__, __LINE__, __func__, [&] {
        ::ImmReleaseContext(HostHwnd(), imc);
    });
}

HRESULT STextHost::TxGetSelectionBarWidth(LONG* width)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        *width = 0;
        return S_OK;
    });
}

} // namespace DUI
