#include "dui/control/SLine.h"

#include <iterator>

#include "dui/core/SLayoutParamAttr.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::SLine::SetAttribute";

struct NamedValue
{
    LPCWSTR word;
    int value;
};

const NamedValue kDirections[] = {
    {L"horizontal", SLine::Horizontal},
    {L"vertical", SLine::Vertical},
    {L"tilt", SLine::Tilt},
};

const NamedValue kPenStyles[] = {
    {L"solid", PS_SOLID}, {L"dash", PS_DASH}, {L"dot", PS_DOT}, {L"dashdot", PS_DASHDOT}, {L"dashdotdot", PS_DASHDOTDOT},
};

// Words match exactly, case included.
template <size_t N>
BOOL LookUpWord(const NamedValue (&table)[N], const SStringW& word, int& out)
{
    for (const NamedValue& entry : table) {
        if (word == entry.word) {
            out = entry.value;
            return TRUE;
        }
    }
    return FALSE;
}

} // namespace

struct SLine::AttrRows
{
    using Row = SAttrRow<SLine>;

    static HRESULT Direction(SLine& line, const SStringW& value, BOOL)
    {
        return LookUpWord(kDirections, value, line.m_direction) ? S_OK : E_FAIL;
    }
    static HRESULT PenStyle(SLine& line, const SStringW& value, BOOL)
    {
        int style = 0;
        if (!LookUpWord(kPenStyles, value, style))
            return E_FAIL;
        line.m_lineStyle = static_cast<BYTE>(style);
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"colorLine", &ctrlattr::Color<SLine, &SLine::m_color>, AttrEffect::None},
        {L"lineColor", &ctrlattr::Color<SLine, &SLine::m_color>, AttrEffect::None},
        {L"lineSize", &layoutattr::Int<SLine, kSetAttribute, &SLine::m_lineSize>, AttrEffect::None},
        {L"mode", &Direction, AttrEffect::None},
        {L"lineStyle", &PenStyle, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SLine::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SWindow::SetAttribute(name, value, loading); });
}

void SLine::OnPaint(IPaintSurface* rt)
{
    if (!rt)
        return;
    const RECT rc = GetWindowRect();
    POINT points[2] = {{rc.left, rc.top}, {rc.right, rc.top}};
    if (m_direction == Vertical)
        points[1] = {rc.left, rc.bottom};
    else if (m_direction == Tilt)
        points[1] = {rc.right, rc.bottom};
    SRefPtr<IPen> pen;
    if (FAILED(rt->CreatePen(m_lineStyle, m_color, m_lineSize, pen.Put())) || !pen)
        return;
    SRefPtr<IPaintObject> old;
    rt->SelectObject(pen.Get(), old.Put());
    rt->DrawLines(points, static_cast<int>(std::size(points)));
    if (old)
        rt->SelectObject(old.Get(), nullptr);
}

} // namespace DUI
