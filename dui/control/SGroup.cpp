#include "dui/control/SGroup.h"

#include "dui/core/SLayoutParamAttr.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSelectPen.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::SGroup::SetAttribute";

// The title keeps this far from the frame's corners.
constexpr int kTitleIndent = 20;
// The frame lines stop this far short of the title.
constexpr int kTitleClearance = 5;
constexpr UINT kTitleFormat = DT_SINGLELINE | DT_VCENTER;

HRESULT ReadLineColor(const SStringW& value, COLORREF& out)
{
    if (value.IsEmpty())
        return E_FAIL;
    out = ResolveNamedColor(value);
    return S_FALSE;
}

} // namespace

SGroup::SGroup() = default;

SGroup::~SGroup() = default;

struct SGroup::AttrRows
{
    using Row = SAttrRow<SGroup>;

    template <COLORREF SGroup::*line>
    static HRESULT LineColor(SGroup& group, const SStringW& value, BOOL)
    {
        return ReadLineColor(value, group.*line);
    }
    template <auto field>
    static constexpr auto Dimension = &layoutattr::Dimension<SGroup, kSetAttribute, field>;

    static constexpr Row kRows[] = {
        {L"colorLine1", &LineColor<&SGroup::m_line1>, AttrEffect::None},
        {L"colorLine2", &LineColor<&SGroup::m_line2>, AttrEffect::None},
        {L"round", Dimension<&SGroup::m_round>, AttrEffect::None},
        {L"headerHeight", Dimension<&SGroup::m_headerHeight>, AttrEffect::Redraw},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SGroup::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SWindow::SetAttribute(name, value, loading); });
}

void SGroup::GetChildArea(RECT* out) const
{
    SWindow::GetChildArea(out);
    out->top += m_headerHeight.ToPixel(GetScale());
}

SIZE SGroup::MeasureDesiredSize(int width, int height)
{
    SIZE size = SWindow::MeasureDesiredSize(width, height);
    size.cy += m_headerHeight.ToPixel(GetScale());
    return size;
}

RECT SGroup::TitleRect(const RECT& frame, SIZE text) const
{
    RECT title = {frame.left + kTitleIndent, frame.top, frame.right - kTitleIndent, frame.top + text.cy + 2};
    const UINT align = GetStyle().GetTextAlign();
    if (align & DT_CENTER)
        title.left += (title.right - title.left - text.cx) / 2;
    else if (align & DT_RIGHT)
        title.left = title.right - text.cx;
    title.right = title.left + text.cx;
    return title;
}

// A light line one pixel inside a dark one gives the etched look.
void SGroup::PaintFrame(IPaintSurface* rt, const RECT& frame)
{
    const int r = m_round.ToPixel(GetScale());
    const POINT corner = {r, r};
    {
        const SSelectPen light(rt, PS_SOLID, m_line1, 1);
        const RECT inner = {frame.left + 1, frame.top + 1, frame.right - 1, frame.bottom};
        if (light)
            rt->DrawRoundRect(&inner, corner);
    }
    const SSelectPen dark(rt, PS_SOLID, m_line2, 1);
    const RECT outer = {frame.left, frame.top, frame.right, frame.bottom - 1};
    if (dark)
        rt->DrawRoundRect(&outer, corner);
}

void SGroup::OnPaint(IPaintSurface* rt)
{
    if (!rt)
        return;
    SPaintState state;
    BeforePaint(rt, state);
    const SStringW text = GetWindowText(FALSE);
    const BOOL titled = !text.IsEmpty();
    SIZE textSize = {0, 0};
    if (titled)
        rt->MeasureText(text.c_str(), text.GetLength(), &textSize);
    RECT frame = GetWindowRect();
    RECT title = TitleRect(frame, textSize);
    if (titled) {
        RECT clearance = title;
        ::InflateRect(&clearance, kTitleClearance, kTitleClearance);
        rt->PushClipRect(&clearance, RGN_OP_DIFF);
        frame.top += textSize.cy / 2;
    }
    PaintFrame(rt, frame);
    if (titled) {
        rt->PopClip();
        DrawText(rt, text.c_str(), text.GetLength(), &title, kTitleFormat);
    }
    AfterPaint(rt, state);
}

} // namespace DUI
