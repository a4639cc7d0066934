#pragma once
// A host window that runs modally: DoModal disables the owner, shows the
// dialog and runs the dialog's own message loop until EndDialog gives a
// result code, then hides and destroys the dialog and returns the code.
#include "dui/core/IMsgLoopFactory.h"
#include "dui/core/SHostWnd.h"

namespace DUI {

class SHostDialog : public SHostWnd
{
    DUI_CLASS_NAME(SHostDialog, SHostWnd, L"hostdlg", Window_Kind)
public:
    // The result code of a dialog that has not ended; DoModal returns it
    // when the loop was ended by WM_QUIT.
    static constexpr INT_PTR kRunning = static_cast<INT_PTR>(0xCCCCCCCCu);

    explicit SHostDialog(LPCWSTR layout = nullptr);
    ~SHostDialog() override;

    virtual INT_PTR DoModal(HWND owner = nullptr);
    // Only the first call counts.
    virtual void EndDialog(INT_PTR code);
    void OnOK() { EndDialog(IDOK); }
    void OnCancel() { EndDialog(IDCANCEL); }
    void OnCloseCmd() { EndDialog(IDCLOSE); }
    INT_PTR GetResultCode() const { return m_code; }

    SMessageLoop* GetMsgLoop() override { return m_loop; }
    // Commands of the windows with ids 1, 2 and 8 end the dialog.
    BOOL HandleEvent(EventArgs* e) override;
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId) override;

private:
    void HideDialog();
    // Escape and Return that no window took press the Cancel or OK window.
    void OnDialogKeyDown(WPARAM key, LPARAM lp);

    INT_PTR m_code = kRunning;
    SRefPtr<IMsgLoopFactory> m_loopFactory;
    SMessageLoop* m_loop = nullptr;
};

} // namespace DUI
