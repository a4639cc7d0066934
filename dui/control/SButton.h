#pragma once
// Push button ("button"): its background skin shows the state (normal,
// hover, pushed, disabled), optionally fading the hover look in and out on
// the host's timeline. It fires "on_command" on a click, on space or Enter
// and on its accelerator, which "accel" or a "(&X)" ending of its text gives.
#include "dui/core/IAcceleratorMgr.h"
#include "dui/core/SWindow.h"

namespace DUI {

class SButton : public SWindow, public IAcceleratorTarget, public ITimelineHandler
{
    DUI_CLASS_NAME(SButton, SWindow, L"button", Window_Kind)
public:
    SButton();
    ~SButton() override = default;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    BOOL ApplyXmlNode(xmldom::xml_node element) override;
    void OnStateChanged(DWORD oldState, DWORD newState) override;
    UINT OnGetDlgCode() const override { return 8; }
    SIZE MeasureDesiredSize(int width, int height) override;
    BOOL NeedRedrawOnStateChange() const override { return TRUE; }
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    BOOL OnAcceleratorPressed(const CAccelerator& acc) override;
    void OnTimelineTick() override;

    // Replaces the accelerator with the one `text` names; a text that does
    // not parse leaves none.
    BOOL SetAccel(const SStringW& text);
    DWORD GetAccel() const { return m_accel; }
    void StopCurAnimate();
    // 255 while no fade runs.
    WORD GetAnimateAlpha() const { return m_aniAlpha; }

    // "Open(&O)" gives "alt+O"; empty when the text has no such ending.
    static SStringW AccelTextOf(const SStringW& text);

protected:
    BOOL OnEraseBkgnd(IPaintSurface* rt) override;
    void OnPaint(IPaintSurface* rt) override;
    void OnDestroy() override;
    void OnSize(UINT type, SIZE size) override;

private:
    struct AttrRows;

    void OnKeyDown(WPARAM key);
    void OnKeyUp(WPARAM key);
    HRESULT SetMinSize(const SStringW& value);
    void DrawSkin(IPaintSurface* rt);

    DWORD m_accel = 0;
    int m_animate = 0;
    WORD m_aniAlpha = 255;
    BYTE m_aniStep = 25;
    int m_accelOnlyVisible = 0;
    SLayoutSize m_minWidth;
    SLayoutSize m_minHeight;
};

} // namespace DUI
