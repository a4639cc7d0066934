#pragma once
// What the common tooltip and the bubble tooltip share: a tooltip window
// built from a layout whose text window is "txt_tip". Mouse moves over the
// tool start the show timer (the tip shows once the mouse rests), the tip
// hides after a while, on a button or when the mouse leaves the tool.
// The kinds differ in where the tip goes.
#include "app/controls/SDlgBaseWnd.h"
#include "dui/core/IToolTip.h"
#include "dui/core/STipTimer.h"

namespace DUI {

class STooltipWnd : public IToolTip, public SDlgBaseWnd
{
public:
    static constexpr UINT_PTR kShowTimer = STipTimer::kShowTimer;
    static constexpr UINT_PTR kHideTimer = STipTimer::kHideTimer;
    static constexpr DWORD kStyle = WS_POPUP | WS_CLIPCHILDREN | 0x3;
    static constexpr DWORD kExStyle = WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

    // Makes the tip's window, initialised and hidden; FALSE when it cannot be made.
    BOOL CreateHidden();

    BOOL PreTranslateMessage(MSG* msg) override;
    void UpdateTip(const SwndToolTipKey& id, const RECT& rc, LPCWSTR text, int scale) override;
    void ClearTip() override;
    void RelayEvent(const MSG* msg) override;
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId) override;

    int GetShowDelay() const { return m_timer.ShowDelay(); }
    int GetHideDelay() const { return m_timer.HideDelay(); }
    const SStringW& GetTipText() const { return m_text; }
    const RECT& GetToolRect() const { return m_toolRect; }

protected:
    STooltipWnd(LPCWSTR layout, int showDelay);

    // The text as the tip shows it.
    virtual SStringW TextToShow(LPCWSTR text) const { return text ? text : L""; }
    virtual void OnToolChanged(SWND) {}
    // Where the still hidden tip waits while the mouse moves over the tool.
    virtual POINT WaitingPlace(const MSG& move) = 0;
    // Where the tip of `size` shows.
    virtual RECT ShowingPlace(SIZE size) = 0;

    void Show();
    void Hide();
    // Set once CreateHidden has made the window.
    bool IsMade() const { return m_made; }

private:
    void OnTipTimer(UINT_PTR id);
    bool HasToolRect() const;

    STipTimer m_timer;
    SStringW m_text;
    RECT m_toolRect = {};
    SWND m_tipKey = 0;
    SWindow* m_textWnd = nullptr;
    bool m_made = false;
};

} // namespace DUI
