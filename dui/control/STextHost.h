#pragma once
// The host object a rich edit gives the system's text services: it answers
// the engine's callbacks from the control's fields and the framework's
// services, and holds the engine.
#include <winsock2.h>
#include <windows.h>
#include <richedit.h>
#include <textserv.h>

#include "dui/core/base/TComObject.h"

namespace DUI {

class SRichEdit;

class STextHost : public TComObject<ITextHost>
{
public:
    explicit STextHost(SRichEdit* edit);
    ~STextHost() override;

    // Makes the engine through the helper's entry point; FALSE when there is
    // none, it fails or the result is not ITextServices.
    BOOL Init();
    ITextServices* GetTextService() const { return m_services; }
    BOOL IsActive() const { return m_active != 0; }
    void SetActive(BOOL active) { m_active = active ? 1 : 0; }
    POINT GetCaretPos() const { return m_caretPos; }

    // ITextHost
    HDC TxGetDC() override;
    INT TxReleaseDC(HDC hdc) override;
    WINBOOL TxShowScrollBar(INT bar, WINBOOL show) override;
    WINBOOL TxEnableScrollBar(INT bars, INT arrows) override;
    WINBOOL TxSetScrollRange(INT bar, LONG minPos, INT maxPos, WINBOOL redraw) override;
    WINBOOL TxSetScrollPos(INT bar, INT pos, WINBOOL redraw) override;
    void TxInvalidateRect(LPCRECT rc, WINBOOL mode) override;
    void TxViewChange(WINBOOL update) override;
    WINBOOL TxCreateCaret(HBITMAP bitmap, INT width, INT height) override;
    WINBOOL TxShowCaret(WINBOOL show) override;
    WINBOOL TxSetCaretPos(INT x, INT y) override;
    WINBOOL TxSetTimer(UINT id, UINT timeout) override;
    void TxKillTimer(UINT id) override;
    void TxScrollWindowEx(INT dx, INT dy, LPCRECT scroll, LPCRECT clip, HRGN update, LPRECT updateRect,
                          UINT flags) override;
    void TxSetCapture(WINBOOL capture) override;
    void TxSetFocus() override;
    void TxSetCursor(HCURSOR cursor, WINBOOL text) override;
    WINBOOL TxScreenToClient(LPPOINT pt) override;
    WINBOOL TxClientToScreen(LPPOINT pt) override;
    HRESULT TxActivate(LONG* oldState) override;
    HRESULT TxDeactivate(LONG newState) override;
    HRESULT TxGetClientRect(LPRECT rc) override;
    HRESULT TxGetViewInset(LPRECT rc) override;
    HRESULT TxGetCharFormat(const CHARFORMATW** cf) override;
    HRESULT TxGetParaFormat(const PARAFORMAT** pf) override;
    COLORREF TxGetSysColor(int index) override;
    HRESULT TxGetBackStyle(TXTBACKSTYLE* style) override;
    HRESULT TxGetMaxLength(DWORD* length) override;
    HRESULT TxGetScrollBars(DWORD* bits) override;
    HRESULT TxGetPasswordChar(TCHAR* ch) override;
    HRESULT TxGetAcceleratorPos(LONG* pos) override;
    HRESULT TxGetExtent(LPSIZEL extent) override;
    HRESULT OnTxCharFormatChange(const CHARFORMATW* cf) override;
    HRESULT OnTxParaFormatChange(const PARAFORMAT* pf) override;
    HRESULT TxGetPropertyBits(DWORD mask, DWORD* bits) override;
    HRESULT TxNotify(DWORD code, void* data) override;
    HIMC TxImmGetContext() override;
    void TxImmReleaseContext(HIMC imc) override;
    HRESULT TxGetSelectionBarWidth(LONG* width) override;

    static const IID kIID_ITextHost;
    static const IID kIID_ITextServices;

private:
    HWND HostHwnd() const;

    LONG m_active = 0;
    ITextServices* m_services = nullptr;
    SRichEdit* m_edit = nullptr;
    POINT m_caretPos = {};
};

} // namespace DUI
