#pragma once
// The area of a layout by which the user moves the top-level window that
// hosts it: a press runs the system's move loop on the host window, a double
// click maximises or restores it. It draws only what every window draws.
#include "dui/core/SWindow.h"

namespace DUI {

class SCaption : public SWindow
{
    DUI_CLASS_NAME(SCaption, SWindow, L"caption", Window_Kind)
public:
    SCaption() = default;
    ~SCaption() override = default;

    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

    // A press over a maximised host that a later move may turn into a move.
    BOOL IsDragPending() const { return m_dragPending != 0; }

    // Only a workstation system of major version 6 lets a maximised window
    // be dragged off by its caption; asked anew at every call.
    static BOOL IsMaximizedMoveSystem();

protected:
    void OnLButtonDown(UINT flags, POINT pt) override;
    void OnLButtonUp(UINT flags, POINT pt) override;
    virtual void OnLButtonDblClk(UINT flags, POINT pt);
    virtual void OnMouseMove(UINT flags, POINT pt);

private:
    // The top-level window holding the caption; NULL outside a host.
    HWND HostHwnd() const;
    static DWORD StyleOf(HWND host);

    int m_dragPending = 0;
};

} // namespace DUI
