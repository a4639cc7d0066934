#pragma once
// The bubble tooltip a module part registers for its own windows: a dark
// bubble with an arrow, centred above the tool as soon as the mouse moves
// over it. A "\n" (backslash, n) in its text breaks the line.
#include "app/controls/STooltipWnd.h"

namespace DUI {

class STooltip : public STooltipWnd
{
public:
    // The bubble's bottom stays this far above the tool.
    static constexpr int kToolGap = 2;

    explicit STooltip(LPCWSTR layout = L"LAYOUT:dlg_tooltip");

    HWND GetAnchorWindow() const { return m_anchor; }
    // The bubble of `size` over a tool at `tool` (screen coordinates).
    static RECT BubbleOver(const RECT& tool, SIZE size);

protected:
    SStringW TextToShow(LPCWSTR text) const override;
    void OnToolChanged(SWND tool) override;
    POINT WaitingPlace(const MSG& move) override;
    RECT ShowingPlace(SIZE size) override;

private:
    RECT ToolOnScreen() const;

    HWND m_anchor = nullptr;
};

} // namespace DUI
