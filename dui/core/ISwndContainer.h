#pragma once
// What a windowless window sees of its host: where its events end, the
// translation context and scale of the host, where redraw requests go, who
// holds capture, hover and focus, and the surfaces lent for drawing outside
// the host's paint cycle. `SwndContainerImpl` answers the parts that are the
// same for every host; the native parts belong to the host window.
#include <winsock2.h>
#include <windows.h>
#include <ole2.h>
#include "dui/core/SWindowMgr.h"
#include "dui/core/base/TStringT.h"

namespace DUI {

class EventArgs;
class SMessageLoop;
struct IAcceleratorMgr;
struct IPaintSurface;
struct IScriptModule;

// Something that wants a tick every animation frame of its host.
struct ITimelineHandler
{
    virtual void OnTimelineTick() = 0;

protected:
    ~ITimelineHandler() = default;
};

struct ISwndContainer : ITimelineHandler
{
    virtual BOOL RegisterDragDrop(SWND swnd, IDropTarget* target) = 0;
    virtual BOOL RevokeDragDrop(SWND swnd) = 0;
    // An event that no owner took; the host hands it to its dialog.
    virtual BOOL OnFireEvent(EventArgs* e) = 0;
    virtual HWND GetHostHwnd() = 0;
    virtual SStringW GetTrCtx() const = 0;
    virtual BOOL IsTranslucent() const = 0;
    virtual BOOL IsSendWheelToHover() const = 0;
    virtual RECT GetContainerRect() const = 0;
    // Surfaces lent to a window that draws outside the paint cycle; what
    // comes back through OnReleaseRenderTarget reaches the host's image.
    virtual IPaintSurface* OnGetRenderTarget(const RECT& rc, DWORD flags) = 0;
    virtual void OnReleaseRenderTarget(IPaintSurface* surface, const RECT& rc, DWORD flags) = 0;
    // The area of the host's client that must be painted again.
    virtual void OnRedraw(const RECT& rc) = 0;
    virtual SWND GetCapture() const = 0;
    virtual BOOL ReleaseCapture() = 0;
    virtual SWND SetCapture(SWND swnd) = 0;
    virtual void SetFocus(SWND swnd) = 0;
    virtual SWND GetHover() const = 0;
    virtual SWND GetFocus() const = 0;
    virtual BOOL CreateCaret(SWND owner, HBITMAP bitmap, int width, int height) = 0;
    virtual BOOL ShowCaret(BOOL show) = 0;
    virtual BOOL SetCaretPos(int x, int y) = 0;
    virtual BOOL UpdateWindow() = 0;
    virtual void UpdateTooltip() = 0;
    // From this container's coordinates to the host window's client ones.
    virtual void MapRectToHost(RECT* rc) const = 0;
    virtual IAcceleratorMgr* GetAcceleratorMgr() = 0;
    virtual BOOL RegisterTimelineHandler(ITimelineHandler* handler) = 0;
    virtual BOOL UnregisterTimelineHandler(ITimelineHandler* handler) = 0;
    virtual BOOL RegisterTrackMouseEvent(SWND swnd) = 0;
    virtual BOOL UnregisterTrackMouseEvent(SWND swnd) = 0;
    virtual SMessageLoop* GetMsgLoop() = 0;
    // The paint order of the tree must be numbered again.
    virtual void MarkZorderDirty() = 0;
    virtual void UpdateZorder() = 0;
    virtual IScriptModule* GetScriptModule() = 0;
    // Percent.
    virtual int GetScale() const = 0;
    virtual LRESULT RouteHostMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;

protected:
    ~ISwndContainer() = default;
};

} // namespace DUI
