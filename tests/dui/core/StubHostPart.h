#pragma once
// The host's part of a container, stubbed, for every container double: no
// native window unless a test gives one, no surface, caret or tooltip; the
// redraw rectangles are kept so that invalidation can be checked without a
// native window. Over the bare interface (FakeSwndContainer) or over the
// framework's own input routing (TestSwndContainer).
#include <vector>

#include "dui/core/ISwndContainer.h"

namespace wndtest {

template <class Base>
class StubHostPart : public Base
{
public:
    BOOL OnFireEvent(DUI::EventArgs*) override { return FALSE; }
    HWND GetHostHwnd() override { return hwnd; }
    DUI::SStringW GetTrCtx() const override { return DUI::SStringW(); }
    BOOL IsTranslucent() const override { return FALSE; }
    BOOL IsSendWheelToHover() const override { return wheelToHover; }
    DUI::IPaintSurface* OnGetRenderTarget(const RECT&, DWORD) override { return nullptr; }
    void OnReleaseRenderTarget(DUI::IPaintSurface*, const RECT&, DWORD) override {}
    void OnRedraw(const RECT& rc) override { redraws.push_back(rc); }
    BOOL CreateCaret(DUI::SWND, HBITMAP, int, int) override { return FALSE; }
    BOOL ShowCaret(BOOL) override { return FALSE; }
    BOOL SetCaretPos(int, int) override { return FALSE; }
    BOOL UpdateWindow() override { return FALSE; }
    void UpdateTooltip() override {}
    void MapRectToHost(RECT*) const override {}
    DUI::SMessageLoop* GetMsgLoop() override { return nullptr; }
    DUI::IScriptModule* GetScriptModule() override { return nullptr; }
    int GetScale() const override { return scale; }

    HWND hwnd = nullptr;
    BOOL wheelToHover = FALSE;
    int scale = 100;
    std::vector<RECT> redraws;
};

} // namespace wndtest
