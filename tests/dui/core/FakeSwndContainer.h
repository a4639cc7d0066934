#pragma once
// A host for window tests: every container operation answers "nothing here"
// and tests override what they observe. It keeps the redraw rectangles so
// that invalidation can be checked without a native window.
#include <vector>

#include "dui/core/ISwndContainer.h"

namespace wndtest {

class FakeSwndContainer : public DUI::ISwndContainer
{
public:
    virtual ~FakeSwndContainer() = default;

    void OnTimelineTick() override {}
    BOOL RegisterDragDrop(DUI::SWND, IDropTarget*) override { return FALSE; }
    BOOL RevokeDragDrop(DUI::SWND) override { return FALSE; }
    BOOL OnFireEvent(DUI::EventArgs*) override { return FALSE; }
    HWND GetHostHwnd() override { return nullptr; }
    DUI::SStringW GetTrCtx() const override { return DUI::SStringW(); }
    BOOL IsTranslucent() const override { return FALSE; }
    BOOL IsSendWheelToHover() const override { return FALSE; }
    RECT GetContainerRect() const override { return RECT{}; }
    DUI::IPaintSurface* OnGetRenderTarget(const RECT&, DWORD) override { return nullptr; }
    void OnReleaseRenderTarget(DUI::IPaintSurface*, const RECT&, DWORD) override {}
    void OnRedraw(const RECT& rc) override { redraws.push_back(rc); }
    DUI::SWND GetCapture() const override { return capture; }
    BOOL ReleaseCapture() override
    {
        capture = 0;
        return TRUE;
    }
    DUI::SWND SetCapture(DUI::SWND swnd) override
    {
        DUI::SWND old = capture;
        capture = swnd;
        return old;
    }
    void SetFocus(DUI::SWND swnd) override { focus = swnd; }
    DUI::SWND GetHover() const override { return 0; }
    DUI::SWND GetFocus() const override { return focus; }
    BOOL CreateCaret(DUI::SWND, HBITMAP, int, int) override { return FALSE; }
    BOOL ShowCaret(BOOL) override { return FALSE; }
    BOOL SetCaretPos(int, int) override { return FALSE; }
    BOOL UpdateWindow() override { return FALSE; }
    void UpdateTooltip() override {}
    void MapRectToHost(RECT*) const override {}
    DUI::IAcceleratorMgr* GetAcceleratorMgr() override { return nullptr; }
    BOOL RegisterTimelineHandler(DUI::ITimelineHandler*) override { return FALSE; }
    BOOL UnregisterTimelineHandler(DUI::ITimelineHandler*) override { return FALSE; }
    BOOL RegisterTrackMouseEvent(DUI::SWND) override { return FALSE; }
    BOOL UnregisterTrackMouseEvent(DUI::SWND) override { return FALSE; }
    DUI::SMessageLoop* GetMsgLoop() override { return nullptr; }
    void MarkZorderDirty() override {}
    void UpdateZorder() override {}
    DUI::IScriptModule* GetScriptModule() override { return nullptr; }
    int GetScale() const override { return scale; }
    LRESULT RouteHostMessage(UINT, WPARAM, LPARAM) override { return 0; }

    int scale = 100;
    DUI::SWND capture = 0;
    DUI::SWND focus = 0;
    std::vector<RECT> redraws;
};

} // namespace wndtest
