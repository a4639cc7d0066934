#include "dui/control/SProgress.h"

#include <algorithm>
#include <cstdint>

#include "dui/control/SControlSkin.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::SProgress::SetAttribute";

constexpr UINT kPercentFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

} // namespace

int SProgress::ClampToRange(int64_t value, int minimum, int maximum)
{
    return static_cast<int>(std::min<int64_t>(maximum, std::max<int64_t>(minimum, value)));
}

SProgress::SProgress()
{
    SetAttribute(L"focusable", L"1", TRUE);
}

SProgress::~SProgress() = default;

BOOL SProgress::SetValue(int value)
{
    m_value = ClampToRange(value, m_min, m_max);
    InvalidateClient();
    return TRUE;
}

void SProgress::SetRange(int minimum, int maximum)
{
    m_min = minimum;
    m_max = maximum;
    if (m_value > m_max)
        m_value = m_max;
    if (m_value < m_min)
        m_value = m_min;
    InvalidateClient();
}

void SProgress::GetRange(int* minimum, int* maximum) const
{
    if (minimum)
        *minimum = m_min;
    if (maximum)
        *maximum = m_max;
}

struct SProgress::AttrRows
{
    using Row = SAttrRow<SProgress>;

    template <auto field>
    static constexpr auto Int = &layoutattr::Int<SProgress, kSetAttribute, field>;
    template <auto field>
    static constexpr auto Flag = &ctrlattr::Flag<SProgress, field, kSetAttribute>;

    static constexpr Row kRows[] = {
        {L"bkgndSkin", &ctrlattr::Skin<SProgress, &SProgress::m_bkgndSkin>, AttrEffect::Redraw},
        {L"posSkin", &ctrlattr::Skin<SProgress, &SProgress::m_posSkin>, AttrEffect::Redraw},
        {L"min", Int<&SProgress::m_min>, AttrEffect::None},
        {L"max", Int<&SProgress::m_max>, AttrEffect::None},
        {L"value", Int<&SProgress::m_value>, AttrEffect::None},
        {L"vertical", Flag<&SProgress::m_vertical>, AttrEffect::None},
        {L"showPercent", Flag<&SProgress::m_showPercent>, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SProgress::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SWindow::SetAttribute(name, value, loading); });
}

void SProgress::SetColorize(COLORREF color)
{
    SWindow::SetColorize(color);
    ColorizeSkin(m_bkgndSkin.Get(), color);
    ColorizeSkin(m_posSkin.Get(), color);
}

void SProgress::OnScaleChanged(int scale)
{
    SWindow::OnScaleChanged(scale);
    RescaleSkin(m_bkgndSkin, scale);
    RescaleSkin(m_posSkin, scale);
}

int SProgress::OnCreate()
{
    if (!m_bkgndSkin)
        m_bkgndSkin = FindSystemSkin(m_vertical ? SysSkin_VertProgBkgnd : SysSkin_ProgBkgnd);
    if (!m_posSkin)
        m_posSkin = FindSystemSkin(m_vertical ? SysSkin_VertProgBar : SysSkin_ProgBar);
    return SWindow::OnCreate();
}

int SProgress::ScaleToRange(int length) const
{
    const int64_t span = static_cast<int64_t>(m_max) - m_min;
    if (span <= 0 || length <= 0)
        return 0;
    const int64_t part = (static_cast<int64_t>(m_value) - m_min) * length / span;
    return static_cast<int>(std::clamp<int64_t>(part, 0, length));
}

// A vertical bar fills from the top down.
void SProgress::OnPaint(IPaintSurface* rt)
{
    if (!rt)
        return;
    SPaintState state;
    BeforePaint(rt, state);
    const RECT client = GetClientRect();
    if (m_bkgndSkin)
        m_bkgndSkin->DrawByState(rt, &client, 0);
    RECT pos = client;
    if (m_vertical)
        pos.bottom = client.top + ScaleToRange(client.bottom - client.top);
    else
        pos.right = client.left + ScaleToRange(client.right - client.left);
    if (m_value > m_min && m_posSkin)
        m_posSkin->DrawByState(rt, &pos, 0);
    if (m_showPercent && !m_vertical)
        PaintPercent(rt);
    AfterPaint(rt, state);
}

void SProgress::PaintPercent(IPaintSurface* rt)
{
    const int64_t span = static_cast<int64_t>(m_max) - m_min;
    const int64_t percent = span > 0 ? (static_cast<int64_t>(m_value) - m_min) * 100 / span : 0;
    wchar_t text[32];
    swprintf(text, 32, L"%d%%", static_cast<int>(percent));
    RECT box = GetWindowRect();
    DrawText(rt, text, -1, &box, kPercentFormat);
}

SIZE SProgress::MeasureContent(int, int)
{
    const RECT margin = GetStyle().GetMargin();
    const SIZE bkgnd = SkinSizeOf(m_bkgndSkin.Get());
    const int scale = GetScale();
    ILayoutParam* param = GetLayoutParam();
    const int along = m_vertical ? Vert : Horz;
    const BOOL specified = param && param->IsSpecifiedSize(along);
    const int given = specified ? param->GetSpecifiedSize(along).ToPixel(scale) : 0;
    if (m_vertical)
        return SIZE{margin.left + margin.right + bkgnd.cx,
                    specified ? given : margin.top + margin.bottom + bkgnd.cy};
    return SIZE{specified ? given : margin.left + margin.right + bkgnd.cx, margin.top + margin.bottom + bkgnd.cy};
}

} // namespace DUI
