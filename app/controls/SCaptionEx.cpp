#include "app/controls/SCaptionEx.h"

#include "dui/core/base/SMsgPoint.h"

namespace DUI {

BOOL SCaptionEx::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        if (OnDragMessage(msg, PointFromLParam(lp))) {
            result = 0;
            return TRUE;
        }
        break;
    default:
        break;
    }
    return SCaption::OnSwndMessage(msg, wp, lp, result);
}

BOOL SCaptionEx::OnDragMessage(UINT msg, POINT pt)
{
    if (m_dragMode == DragMode_Caption)
        return FALSE;
    if (m_dragMode != DragMode_Self)
        return TRUE;
    switch (msg) {
    case WM_LBUTTONDOWN:
        m_lastPoint = pt;
        m_dragging = 1;
        // Held so that a release outside the window still ends the drag.
        SetCapture();
        break;
    case WM_MOUSEMOVE:
        if (m_dragging)
            DragBy(pt);
        break;
    case WM_LBUTTONUP:
        m_dragging = 0;
        if (GetCapture() == GetSwnd())
            ReleaseCapture();
        break;
    default:
        break;
    }
    return TRUE;
}

void SCaptionEx::DragBy(POINT pt)
{
    RECT rc = GetWindowRect();
    ::OffsetRect(&rc, pt.x - m_lastPoint.x, pt.y - m_lastPoint.y);
    Move(&rc);
    m_lastPoint = pt;
}

} // namespace DUI
