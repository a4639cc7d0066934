#pragma once
// "scrollview": a panel over a view larger than its client area. The bars
// move the view's origin, and the children are laid out in view
// coordinates, so they scroll with it.
#include "dui/control/SPanel.h"

namespace DUI {

class SScrollView : public SPanel
{
    DUI_CLASS_NAME(SScrollView, SPanel, L"scrollview", Window_Kind)
public:
    SScrollView();
    ~SScrollView() override;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void ArrangeChildren() override;
    void GetChildArea(RECT* out) const override;
    BOOL OnScroll(BOOL vertical, UINT code, int pos) override;

    virtual void OnViewSizeChanged(SIZE oldSize, SIZE newSize);
    virtual void OnViewOriginChanged(POINT oldOrigin, POINT newOrigin);
    // Bars, ranges and origin from the view size and the client area.
    virtual void UpdateScrollBar();

    void SetViewSize(SIZE size);
    SIZE GetViewSize() const { return m_viewSize; }
    void SetViewOrigin(POINT pt);
    POINT GetViewOrigin() const { return m_origin; }
    // The view size that "viewSize" and "minViewSize" ask for.
    void UpdateViewSize();

protected:
    SLayoutSize m_viewWidth{SLayoutSize::kNotSet, SLayoutSize::px};
    SLayoutSize m_viewHeight{SLayoutSize::kNotSet, SLayoutSize::px};
    SLayoutSize m_minViewWidth{SLayoutSize::kNotSet, SLayoutSize::px};
    SLayoutSize m_minViewHeight{SLayoutSize::kNotSet, SLayoutSize::px};
    POINT m_origin = {};
    SIZE m_viewSize = {};

private:
    struct AttrRows;

    // A requested dimension in pixels: the client's for match-parent, -1
    // for wrap-content.
    int RequestedPixels(const SLayoutSize& size, int client) const;
    void FitBarsToView(int width, int height, POINT& origin);
    void MoveBar(BOOL vertical, int pos);
};

} // namespace DUI
