#pragma once
// The layout children of a window gathered for one layout pass: they answer
// the placing maths' questions through their own measurement and take the
// rectangles it gives. A layout keeps one and reuses it, so a pass
// allocates nothing once it has grown; a pass started again from a placed
// child's handler gathers it afresh from the live tree.
#include <vector>
#include "dui/core/ILayoutMeasurer.h"
#include "dui/core/SWindowMgr.h"

namespace DUI {

class SWindow;

class SLayoutChildren : public ILayoutMeasurer
{
public:
    void Collect(const SWindow* parent);
    size_t Count() const { return m_windows.size(); }
    SWindow* At(size_t index) const { return m_windows[index]; }

    // A placed child runs its size handlers, which may destroy siblings:
    // each child is found again by its SWND before it is placed.
    void Place(size_t index, const RECT& rc) const;

    SIZE MeasureChild(size_t index, int width, int height) override;
    // The child's parameter is changed for the question and put back as it
    // was.
    SIZE MeasureChildFixed(size_t index, int orientation, int mainPixels, bool crossWrap) override;

private:
    std::vector<SWindow*> m_windows;
    std::vector<SWND> m_swnds;
};

} // namespace DUI
