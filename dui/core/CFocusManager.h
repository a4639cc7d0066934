#pragma once
// The keyboard focus of one host: which window has it, Tab and arrow-key
// navigation, keeping it while the host is inactive, and the host's
// accelerator registry. Keys reach it before the focused window sees them.
// UI thread only.
#include <vector>

#include "dui/core/CAccelerator.h"
#include "dui/core/IAcceleratorMgr.h"
#include "dui/core/base/SCmnMap.h"
#include "dui/core/SWindowMgr.h"

namespace DUI {

class SWindow;

class CFocusManager : public IAcceleratorMgr
{
public:
    // Why the focus last changed; the new window gets it as WM_SETFOCUS's
    // lParam.
    enum FocusChangeReason : int
    {
        kReasonProgram = 0,
        kReasonKeyboard = 1,
        kReasonRestored = 2,
    };
    // The stored SWND of an inactive host that had nothing focused.
    static constexpr SWND kStoredNone = 0xFFFFFFFF;

    explicit CFocusManager(SWindow* root) : m_root(root) {}
    CFocusManager(const CFocusManager&) = delete;
    CFocusManager& operator=(const CFocusManager&) = delete;
    virtual ~CFocusManager() = default;

    SWND GetFocusedSwnd() const { return m_focused; }
    // A disabled, unfocusable or missing target leaves no window focused.
    // While the host is inactive the request is only kept for RestoreFocus.
    void SetFocusedSwnd(SWND swnd, int reason = kReasonProgram);
    void ClearFocus() { SetFocusedSwnd(0); }
    // The host lost activation or the native focus; then regained it.
    void StoreFocus();
    void RestoreFocus();
    SWND GetStoredSwnd() const { return m_stored; }
    BOOL IsChangingFocus() const { return m_changing; }
    int GetFocusChangeReason() const { return m_reason; }

    // Tab navigation: the next (or previous) focusable window, wrapping.
    void AdvanceFocus(BOOL reverse);
    // TRUE when the key was used here: navigation or an accelerator.
    BOOL OnKeyDown(UINT vKey);
    // TRUE when a registered target handled the combination.
    BOOL ProcessAccelerator(const CAccelerator& acc);

    void RegisterAccelerator(const CAccelerator& acc, IAcceleratorTarget* target) override;
    void UnregisterAccelerator(const CAccelerator& acc, IAcceleratorTarget* target) override;
    void UnregisterAccelerators(IAcceleratorTarget* target) override;

private:
    void ValidateFocusedSwnd();
    void MoveInGroup(SWindow* focused, BOOL back);
    // The modifiers held right now, from the thread's key state.
    static CAccelerator CurrentAccelerator(UINT vKey);

    SWND m_focused = 0;
    SWND m_stored = 0;
    BOOL m_changing = FALSE;
    int m_reason = kReasonProgram;
    SWindow* m_root = nullptr;
    // Packed accelerator -> targets, newest registration first.
    SCmnMap<std::vector<IAcceleratorTarget*>, DWORD> m_accelerators;
};

} // namespace DUI
