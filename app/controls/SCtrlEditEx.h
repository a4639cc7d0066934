#pragma once
// "edit2": the edit of a single settings value. It reports the start and
// the end of editing ("on_richedit_edit_end" with 1 and 0), ends editing
// when the user clicks elsewhere in the window or presses its accelerator,
// shows its focus as its checked state and dims its cue text when disabled.
#include "app/controls/SEvtEditStateChanged.h"
#include "dui/control/SEdit.h"
#include "dui/core/IAcceleratorMgr.h"
#include "dui/core/IMessageFilter.h"

namespace DUI {

class SMessageLoop;

class SCtrlEditEx : public SEdit, public IAcceleratorTarget, public IMessageFilter
{
    DUI_CLASS_NAME(SCtrlEditEx, SEdit, L"edit2", Window_Kind)
public:
    // The share of the cue colour's opacity that a disabled edit shows, in tenths.
    static constexpr int kDisabledCueTenths = 7;

    SCtrlEditEx();
    ~SCtrlEditEx() override;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    BOOL OnAcceleratorPressed(const CAccelerator& acc) override;
    // Watches the clicks that pass through the host's loop; never takes one.
    BOOL PreTranslateMessage(MSG* msg) override;

    DWORD GetAccel() const { return m_accel; }
    BOOL IsEditing() const { return m_focused; }

protected:
    void OnPaint(IPaintSurface* rt) override;
    void OnSetFocus(SWND oldFocus) override;
    void OnKillFocus(SWND newFocus) override;
    void OnDestroy() override;

private:
    struct AttrRows;

    void SetAccel(const SStringW& text);
    void OnEditStateChanged(BOOL focused);
    void WatchClicks(BOOL watch);
    BOOL IsOutside(const MSG& msg) const;
    IAcceleratorMgr* Accelerators() const;

    BOOL m_focused = FALSE;
    DWORD m_accel = 0;
    // The loop that asks this edit about its messages while it has the focus.
    SMessageLoop* m_watchedLoop = nullptr;
};

} // namespace DUI
