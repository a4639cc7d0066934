#pragma once
// The common tooltip: a framed text that shows below the cursor 300 ms
// after the mouse last moved over the tool, kept inside the monitor. Once
// made by CreateHidden, the object deletes itself when its window is
// destroyed.
#include "app/controls/STooltipWnd.h"

namespace DUI {

class STooltipCmn : public STooltipWnd
{
public:
    static constexpr int kShowDelay = 300;
    // The tip waits this far below the cursor.
    static constexpr int kCursorGap = 24;

    explicit STooltipCmn(LPCWSTR layout);

    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId) override;
    void OnFinalMessage(HWND hwnd) override;

    // `window` moved inside the monitor: first back from its right edge,
    // then up from its bottom.
    static RECT KeptInside(const RECT& window, const RECT& monitor);

protected:
    POINT WaitingPlace(const MSG& move) override;
    RECT ShowingPlace(SIZE size) override;
};

} // namespace DUI
