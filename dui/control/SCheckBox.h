#pragma once
// A box that the user checks and unchecks, with its text beside it. The
// checked state is the window's checked state bit.
#include "dui/control/SCheckSkins.h"
#include "dui/core/SWindow.h"

namespace DUI {

class SCheckBox : public SWindow
{
    DUI_CLASS_NAME(SCheckBox, SWindow, L"check", Window_Kind)
public:
    SCheckBox();
    ~SCheckBox() override;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void SetColorize(COLORREF color) override;
    UINT OnGetDlgCode() const override;
    SIZE MeasureContent(int parentWidth, int parentHeight) override;
    BOOL NeedRedrawOnStateChange() const override { return TRUE; }
    void GetTextRect(RECT* out) const override;
    void DrawFocus(IPaintSurface* rt) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void OnScaleChanged(int scale) override;

    // The box at the client's left edge, placed vertically as the text is.
    RECT GetBoxRect() const;

protected:
    void OnPaint(IPaintSurface* rt) override;
    void OnLButtonUp(UINT flags, POINT pt) override;

private:
    struct AttrRows;

    HRESULT SetTextOffset(const SStringW& value);
    void Toggle() { SetCheck(!IsChecked()); }

    SCheckSkins m_skins{SysSkin_CheckBox, SysSkin_FocusCheckBox};
    SLayoutSize m_textOffsetX;
    SLayoutSize m_textOffsetY;
};

} // namespace DUI
