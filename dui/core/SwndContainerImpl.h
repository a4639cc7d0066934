#pragma once
// The part of a host that is the same for every kind of host: the root of the
// window tree, the keeper of capture, hover and keyboard focus, and the router
// that turns the host's native input messages into messages for the right
// window. Capture, hover and focus are SWNDs, looked up at every use, so a
// window destroyed by any handler simply stops being found. What needs the
// native window (HWND, painting, caret, tooltip, message loop) is the host's.
#include "dui/core/CFocusManager.h"
#include "dui/core/ISwndContainer.h"
#include "dui/core/SDropTargetDispatcher.h"
#include "dui/core/base/SLinkedList.h"
#include "dui/core/SWindow.h"

namespace DUI {

class SwndContainerImpl : public ISwndContainer, public SWindow
{
    DUI_CLASS_NAME(SwndContainerImpl, SWindow, L"SwndContainerImpl", Window_Kind)
public:
    SwndContainerImpl();
    ~SwndContainerImpl() override;

    void OnTimelineTick() override;
    BOOL RegisterDragDrop(SWND swnd, IDropTarget* target) override;
    BOOL RevokeDragDrop(SWND swnd) override;
    SWND GetCapture() const override { return m_capture; }
    BOOL ReleaseCapture() override;
    // Refused (0, capture unchanged) for a missing or disabled window.
    SWND SetCapture(SWND swnd) override;
    void SetFocus(SWND swnd) override;
    SWND GetHover() const override { return m_hover; }
    SWND GetFocus() const override { return m_focusMgr.GetFocusedSwnd(); }
    IAcceleratorMgr* GetAcceleratorMgr() override { return &m_focusMgr; }
    BOOL RegisterTimelineHandler(ITimelineHandler* handler) override;
    BOOL UnregisterTimelineHandler(ITimelineHandler* handler) override;
    BOOL RegisterTrackMouseEvent(SWND swnd) override;
    BOOL UnregisterTrackMouseEvent(SWND swnd) override;
    void MarkZorderDirty() override { m_zorderDirty = TRUE; }
    void UpdateZorder() override;
    // Sets the root's handled flag: cleared when no window took the message.
    LRESULT RouteHostMessage(UINT msg, WPARAM wp, LPARAM lp) override;

    CFocusManager& GetFocusManager() { return m_focusMgr; }
    // The OLE drop target the host registers for its native window.
    SDropTargetDispatcher* GetDropTarget() { return &m_dropTarget; }
    BOOL IsHoverInNonClient() const { return m_hoverNonClient; }
    // A host runs its frame timer while this is not 0.
    size_t GetTimelineHandlerCount() const { return static_cast<size_t>(m_timelineHandlers.GetCount()); }

private:
    LRESULT RouteKeyDown(WPARAM wp, LPARAM lp);
    LRESULT RouteKeyMessage(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT RouteSetCursor(LPARAM lp);
    void RouteMouse(UINT msg, WPARAM wp, LPARAM lp);
    void RouteMouseMove(WPARAM wp, LPARAM lp);
    void MoveWithCapture(WPARAM wp, LPARAM lp);
    void MoveWithoutCapture(WPARAM wp, LPARAM lp);
    void RouteWheel(UINT msg, WPARAM wp, LPARAM lp);
    void RouteLeave();
    // The window under the point becomes the hover window: the old one gets
    // its leave notices, the new one its hover notices.
    void ChangeHover(SWND hit, WPARAM wp, LPARAM lp);
    void TrackMouse(POINT pt);
    void LeaveTrackedWindows();

    // The window of the capture, or NULL; a capture whose window is gone is
    // given up.
    SWindow* CaptureWindow();
    static SWindow* WindowOf(SWND swnd);
    // A live window that is not disabled, or NULL.
    static SWindow* InputWindow(SWND swnd);
    // Delivers to the window of that SWND when it still exists; a handler of
    // an earlier delivery may have destroyed it.
    static LRESULT Send(SWND swnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0, BOOL* handled = nullptr);
    // Delivers and takes over the target's handled flag as the root's.
    LRESULT SendRouted(SWND swnd, UINT msg, WPARAM wp, LPARAM lp);
    void SendLeave(SWND swnd, BOOL nonClientFirst);

    SWND m_capture = 0;
    SWND m_hover = 0;
    BOOL m_hoverNonClient = FALSE;
    CFocusManager m_focusMgr;
    SDropTargetDispatcher m_dropTarget;
    BOOL m_zorderDirty = TRUE;
    SLinkedList<ITimelineHandler*> m_timelineHandlers;
    SLinkedList<SWND> m_trackWindows;
};

} // namespace DUI
