#pragma once
// A bar that shows an integer within a range as the filled part of a
// background skin, horizontally or vertically, optionally with the
// percentage written over it.
#include <cstdint>

#include "dui/core/SWindow.h"

namespace DUI {

class SProgress : public SWindow
{
    DUI_CLASS_NAME(SProgress, SWindow, L"progress", Window_Kind)
public:
    SProgress();
    ~SProgress() override;

    // The value is clamped into the range; no event is fired.
    BOOL SetValue(int value);
    int GetValue() const { return m_value; }
    // The bounds are stored as given; the value is pulled inside them.
    void SetRange(int minimum, int maximum);
    void GetRange(int* minimum, int* maximum) const;
    BOOL IsVertical() const { return m_vertical != 0; }

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void SetColorize(COLORREF color) override;
    SIZE MeasureContent(int parentWidth, int parentHeight) override;
    void OnScaleChanged(int scale) override;

protected:
    int OnCreate() override;
    void OnPaint(IPaintSurface* rt) override;

    // (value - minimum) * length / (maximum - minimum), kept within
    // [0, length]; 0 for a range without extent, which has nothing to fill.
    int ScaleToRange(int length) const;
    ISkinObj* BkgndSkin() const { return m_bkgndSkin.Get(); }
    ISkinObj* PosSkin() const { return m_posSkin.Get(); }
    int GetMinimum() const { return m_min; }
    int GetMaximum() const { return m_max; }
    // min(maximum, max(minimum, value)): with reversed bounds the maximum wins.
    static int ClampToRange(int64_t value, int minimum, int maximum);
    // Stores a value already within the range.
    void StoreValue(int value) { m_value = value; }

private:
    struct AttrRows;

    void PaintPercent(IPaintSurface* rt);

    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
    int m_showPercent = 0;
    int m_vertical = 0;
    SRefPtr<ISkinObj> m_bkgndSkin;
    SRefPtr<ISkinObj> m_posSkin;
};

} // namespace DUI
