#pragma once
// A radio button: checking it unchecks the checked radio button among the
// children of the same parent, so each parent holds one group.
#include "dui/control/SCheckSkins.h"
#include "dui/core/SWindow.h"

namespace DUI {

class SRadioBox : public SWindow
{
    DUI_CLASS_NAME(SRadioBox, SWindow, L"radio", Window_Kind)
public:
    enum IconAlign : int
    {
        Icon_Left = 0,
        Icon_Center = 256,
        Icon_Right = 512,
        Icon_Top = 0,
        Icon_Middle = 4096,
        Icon_Bottom = 8192,
    };

    SRadioBox();
    ~SRadioBox() override;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void SetColorize(COLORREF color) override;
    BOOL IsGroupedWithSiblings() const override { return TRUE; }
    SWindow* GetCheckedSiblingInGroup() override;
    void OnStateChanging(DWORD oldState, DWORD newState) override;
    SIZE MeasureContent(int parentWidth, int parentHeight) override;
    BOOL NeedRedrawOnStateChange() const override { return TRUE; }
    void GetTextRect(RECT* out) const override;
    void DrawFocus(IPaintSurface* rt) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void OnScaleChanged(int scale) override;

    RECT GetIconRect() const;

protected:
    void OnPaint(IPaintSurface* rt) override;
    void OnLButtonDown(UINT flags, POINT pt) override;
    void OnLButtonUp(UINT flags, POINT pt) override;

private:
    struct AttrRows;

    HRESULT SetChecked(const SStringW& value, BOOL loading);
    void OnFocusGained(LPARAM reason);

    int m_pressedHere = 0;
    SCheckSkins m_skins{SysSkin_Radio, SysSkin_FocusRadio};
    int m_iconAlign = Icon_Left;
    int m_iconValign = Icon_Middle;
};

} // namespace DUI
