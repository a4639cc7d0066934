#pragma once
// A caption with a drag mode: 0 drags the window itself within its parent,
// 1 moves and maximises the top-level window as a caption does, any other
// mode swallows the left button and the mouse moves.
#include "dui/control/SCaption.h"

namespace DUI {

class SCaptionEx : public SCaption
{
    DUI_CLASS_NAME(SCaptionEx, SCaption, L"captionex", Window_Kind)
public:
    enum DragMode : int
    {
        DragMode_Self = 0,
        DragMode_Caption = 1,
    };

    SCaptionEx() = default;
    ~SCaptionEx() override = default;

    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

    int GetDragMode() const { return m_dragMode; }
    void SetDragMode(int mode) { m_dragMode = mode; }
    BOOL IsDragging() const { return m_dragging != 0; }

private:
    // TRUE when the drag mode takes the message.
    BOOL OnDragMessage(UINT msg, POINT pt);
    void DragBy(POINT pt);

    int m_dragMode = DragMode_Caption;
    int m_dragging = 0;
    POINT m_lastPoint = {0, 0};
};

} // namespace DUI
