#pragma once
// "starsrating": a row of stars; as many of them as the mouse points at are
// drawn highlighted, and the count stays when the mouse leaves.
#include "dui/core/SWindow.h"

namespace DUI {

class SStarsRating : public SWindow
{
    DUI_CLASS_NAME(SStarsRating, SWindow, L"starsrating", Window_Kind)
public:
    SStarsRating() = default;
    ~SStarsRating() override = default;

    int GetChosenStars() const { return m_chosen; }
    int GetStarCount() const { return m_count; }

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    SIZE MeasureContent(int parentWidth, int parentHeight) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    void OnPaint(IPaintSurface* rt) override;

private:
    void OnMouseMove(POINT pt);
    void DrawStars(IPaintSurface* rt, ISkinObj* skin, int count);

    SRefPtr<ISkinObj> m_fore;
    SRefPtr<ISkinObj> m_choose;
    int m_gap = 0;
    int m_count = 1;
    int m_chosen = 1;
};

} // namespace DUI
