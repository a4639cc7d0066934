#pragma once
// A host for window tests: every container operation answers "nothing here"
// and tests override what they observe.
#include "tests/dui/core/StubHostPart.h"

namespace wndtest {

class FakeSwndContainer : public StubHostPart<DUI::ISwndContainer>
{
public:
    virtual ~FakeSwndContainer() = default;

    void OnTimelineTick() override {}
    BOOL RegisterDragDrop(DUI::SWND, IDropTarget*) override { return FALSE; }
    BOOL RevokeDragDrop(DUI::SWND) override { return FALSE; }
    RECT GetContainerRect() const override { return RECT{}; }
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
    DUI::IAcceleratorMgr* GetAcceleratorMgr() override { return nullptr; }
    BOOL RegisterTimelineHandler(DUI::ITimelineHandler*) override { return FALSE; }
    BOOL UnregisterTimelineHandler(DUI::ITimelineHandler*) override { return FALSE; }
    BOOL RegisterTrackMouseEvent(DUI::SWND) override { return FALSE; }
    BOOL UnregisterTrackMouseEvent(DUI::SWND) override { return FALSE; }
    void MarkZorderDirty() override {}
    void UpdateZorder() override {}
    LRESULT RouteHostMessage(UINT, WPARAM, LPARAM) override { return 0; }

    DUI::SWND capture = 0;
    DUI::SWND focus = 0;
};

} // namespace wndtest
