#include "dui/core/SGridLayoutParam.h"
#include "dui/core/base/SAttrTable.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::SGridLayoutParam::SetAttribute";

} // namespace

int GridGravityByName(const SStringW& name)
{
    static const struct { const wchar_t* name; int gravity; } kNames[] = {
        {L"left", kGravityNear},  {L"top", kGravityNear},     {L"center", kGravityCenter},
        {L"right", kGravityFar},  {L"bottom", kGravityFar},   {L"fill", kGravityFill},
    };
    for (const auto& n : kNames)
        if (name.CompareNoCase(n.name) == 0) return n.gravity;
    return kGravityUnset;
}

struct SGridLayoutParam::AttrRows
{
    using Row = SAttrRow<SGridLayoutParam>;

    using Data = SGridLayoutParamStruct;
    template <auto field>
    static constexpr auto Int = &layoutattr::Int<SGridLayoutParam, kSetAttribute, &SGridLayoutParam::m_data, field>;
    template <auto field>
    static constexpr auto Size = &layoutattr::SizeWord<SGridLayoutParam, kSetAttribute, false, &SGridLayoutParam::m_data, field>;
    template <auto field>
    static constexpr auto Float = &layoutattr::Float<SGridLayoutParam, kSetAttribute, &SGridLayoutParam::m_data, field>;

    static HRESULT BothSizes(SGridLayoutParam& p, const SStringW& value, BOOL)
    {
        return ReadSizePair(value, false, kSetAttribute, p.m_data.width, p.m_data.height) ? S_OK : E_FAIL;
    }
    // An unknown name is taken too, as no gravity (-1).
    template <int Data::*field>
    static HRESULT Gravity(SGridLayoutParam& p, const SStringW& value, BOOL)
    {
        p.m_data.*field = GridGravityByName(value);
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"columnSpan", Int<&Data::columnSpan>, AttrEffect::Redraw},
        {L"rowSpan", Int<&Data::rowSpan>, AttrEffect::Redraw},
        {L"width", Size<&Data::width>, AttrEffect::Redraw},
        {L"height", Size<&Data::height>, AttrEffect::Redraw},
        {L"size", &BothSizes, AttrEffect::Redraw},
        {L"layout_xGravity", &Gravity<&Data::xGravity>, AttrEffect::Redraw},
        {L"layout_yGravity", &Gravity<&Data::yGravity>, AttrEffect::Redraw},
        {L"columnWeight", Float<&Data::columnWeight>, AttrEffect::Redraw},
        {L"rowWeight", Float<&Data::rowWeight>, AttrEffect::Redraw},
    };
    static constexpr SAttrTable kTable{kRows};
};

// Names the class does not know are E_NOTIMPL, for the owner to try next.
HRESULT SGridLayoutParam::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Answer(*this, name, value, loading);
}

} // namespace DUI
