#pragma once
// A two-way switch drawn by its skin alone, such as a tree's expand button;
// a release over it flips it.
#include "dui/core/SWindow.h"

namespace DUI {

class SToggle : public SWindow
{
    DUI_CLASS_NAME(SToggle, SWindow, L"toggle", Window_Kind)
public:
    SToggle();
    ~SToggle() override;

    BOOL IsToggled() const { return m_toggled != 0; }
    void SetToggled(BOOL toggled);

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void SetColorize(COLORREF color) override;
    SIZE MeasureContent(int parentWidth, int parentHeight) override;
    BOOL NeedRedrawOnStateChange() const override { return TRUE; }
    void OnScaleChanged(int scale) override;

protected:
    void OnPaint(IPaintSurface* rt) override;
    void OnLButtonUp(UINT flags, POINT pt) override;

private:
    struct AttrRows;

    int SkinState() const;

    int m_toggled = 0;
    SRefPtr<ISkinObj> m_toggleSkin;
};

} // namespace DUI
