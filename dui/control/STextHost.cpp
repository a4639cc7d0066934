#include "dui/control/STextHost.h"

#include "dui/control/SRichEdit.h"
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

STextHost::STextHost(SRichEdit* edit) : m_edit(edit) {}

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

HRESULT STextHost::QueryInterface(REFIID riid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, kIID_ITextHost)) {
        *object = static_cast<ITextHost*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STextHost::AddRef()
{
    return ++m_refs;
}

ULONG STextHost::Release()
{
    const ULONG left = --m_refs;
    if (left == 0)
        delete this;
    return left;
}

HDC STextHost::TxGetDC()
{
    return ::GetDC(nullptr);
}

INT STextHost::TxReleaseDC(HDC hdc)
{
    return ::ReleaseDC(nullptr, hdc);
}

WINBOOL STextHost::TxShowScrollBar(INT bar, WINBOOL show)
{
    return m_edit->ShowScrollBar(BarMaskOf(bar), show);
}

WINBOOL STextHost::TxEnableScrollBar(INT bars, INT arrows)
{
    return m_edit->EnableScrollBar(BarMaskOf(bars), arrows == ESB_ENABLE_BOTH);
}

WINBOOL STextHost::TxSetScrollRange(INT bar, LONG minPos, INT maxPos, WINBOOL redraw)
{
    return m_edit->SetScrollRange(bar != SB_HORZ, minPos, maxPos, redraw);
}

// The engine reports where it scrolled itself.
WINBOOL STextHost::TxSetScrollPos(INT bar, INT pos, WINBOOL redraw)
{
    if (!m_edit->HasOption(SRichEdit::Opt_Scrolling))
        m_edit->SyncScrollPos(bar != SB_HORZ, pos, redraw);
    return TRUE;
}

void STextHost::TxInvalidateRect(LPCRECT rc, WINBOOL)
{
    if (rc)
        m_edit->InvalidateRect(rc);
    else
        m_edit->InvalidateClient();
}

void STextHost::TxViewChange(WINBOOL update)
{
    if (update)
        m_edit->InvalidateRect(nullptr);
}

WINBOOL STextHost::TxCreateCaret(HBITMAP bitmap, INT width, INT height)
{
    return m_edit->CreateCaret(bitmap, width, height);
}

WINBOOL STextHost::TxShowCaret(WINBOOL show)
{
    if (show && !m_active)
        return FALSE;
    ISwndContainer* container = m_edit->GetContainer();
    return container ? container->ShowCaret(show) : FALSE;
}

WINBOOL STextHost::TxSetCaretPos(INT x, INT y)
{
    m_caretPos = POINT{x, y};
    ISwndContainer* container = m_edit->GetContainer();
    return container ? container->SetCaretPos(x, y) : FALSE;
}

WINBOOL STextHost::TxSetTimer(UINT id, UINT timeout)
{
    return m_edit->SetTimerEx(id, timeout);
}

void STextHost::TxKillTimer(UINT id)
{
    m_edit->KillTimerEx(id);
}

void STextHost::TxScrollWindowEx(INT, INT, LPCRECT, LPCRECT, HRGN, LPRECT, UINT)
{
    m_edit->InvalidateClient();
}

void STextHost::TxSetCapture(WINBOOL capture)
{
    if (capture)
        m_edit->SetCapture();
    else
        m_edit->ReleaseCapture();
}

void STextHost::TxSetFocus()
{
    m_edit->SetFocus();
}

void STextHost::TxSetCursor(HCURSOR cursor, WINBOOL)
{
    ::SetCursor(cursor);
}

WINBOOL STextHost::TxScreenToClient(LPPOINT pt)
{
    return ::ScreenToClient(HostHwnd(), pt);
}

WINBOOL STextHost::TxClientToScreen(LPPOINT pt)
{
    return ::ClientToScreen(HostHwnd(), pt);
}

HRESULT STextHost::TxActivate(LONG* oldState)
{
    if (oldState)
        *oldState = m_active;
    m_active = 1;
    return S_OK;
}

HRESULT STextHost::TxDeactivate(LONG)
{
    m_active = 0;
    return S_OK;
}

HRESULT STextHost::TxGetClientRect(LPRECT rc)
{
    m_edit->FillClientRect(rc);
    return S_OK;
}

HRESULT STextHost::TxGetViewInset(LPRECT rc)
{
    *rc = m_edit->m_viewInset;
    return S_OK;
}

HRESULT STextHost::TxGetCharFormat(const CHARFORMATW** cf)
{
    *cf = reinterpret_cast<const CHARFORMATW*>(&m_edit->m_cfDef);
    return S_OK;
}

HRESULT STextHost::TxGetParaFormat(const PARAFORMAT** pf)
{
    *pf = reinterpret_cast<const PARAFORMAT*>(&m_edit->m_pfDef);
    return S_OK;
}

COLORREF STextHost::TxGetSysColor(int index)
{
    return ::GetSysColor(index);
}

HRESULT STextHost::TxGetBackStyle(TXTBACKSTYLE* style)
{
    *style = TXTBACK_TRANSPARENT;
    return S_OK;
}

HRESULT STextHost::TxGetMaxLength(DWORD* length)
{
    *length = static_cast<DWORD>(m_edit->m_textLimit);
    return S_OK;
}

HRESULT STextHost::TxGetScrollBars(DWORD* bits)
{
    *bits = m_edit->m_editStyle & (WS_VSCROLL | WS_HSCROLL | ES_AUTOVSCROLL | ES_AUTOHSCROLL | SRichEdit::kStyleNumber);
    return S_OK;
}

HRESULT STextHost::TxGetPasswordChar(TCHAR* ch)
{
    *ch = m_edit->m_passwordChar;
    return S_OK;
}

HRESULT STextHost::TxGetAcceleratorPos(LONG* pos)
{
    *pos = m_edit->m_accelPos;
    return S_OK;
}

HRESULT STextHost::TxGetExtent(LPSIZEL extent)
{
    *extent = m_edit->m_extent;
    return S_OK;
}

HRESULT STextHost::OnTxCharFormatChange(const CHARFORMATW*)
{
    return S_OK;
}

HRESULT STextHost::OnTxParaFormatChange(const PARAFORMAT*)
{
    return S_OK;
}

HRESULT STextHost::TxGetPropertyBits(DWORD mask, DWORD* bits)
{
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
}

HRESULT STextHost::TxNotify(DWORD code, void* data)
{
    return m_edit->OnTxNotify(code, data);
}

HIMC STextHost::TxImmGetContext()
{
    return ::ImmGetContext(HostHwnd());
}

void STextHost::TxImmReleaseContext(HIMC imc)
{
    ::ImmReleaseContext(HostHwnd(), imc);
}

HRESULT STextHost::TxGetSelectionBarWidth(LONG* width)
{
    *width = 0;
    return S_OK;
}

} // namespace DUI
