#include "dui/core/SLinearLayoutParam.h"

#include <cwchar>
#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/base/SAttrTable.h"
#include "dui/core/base/StringSplit.h"

namespace DUI {

namespace {

constexpr const char* kSetAttribute = "DUI::SLinearLayoutParam::SetAttribute";

} // namespace

int LinearGravityByName(const SStringW& value)
{
    static const struct { const wchar_t* name; int gravity; } kNames[] = {
        {L"left", kGravityNear}, {L"top", kGravityNear}, {L"center", kGravityCenter},
        {L"right", kGravityFar}, {L"bottom", kGravityFar},
    };
    for (const auto& n : kNames)
        if (value.Compare(n.name) == 0) return n.gravity;
    return kGravityUnset;
}

HRESULT SLinearLayoutParam::SetExtend(const SStringW& value)
{
    SStringWList pieces;
    const size_t count = SplitString(value, L',', pieces);
    if (count != 1 && count != 4) return E_INVALIDARG;
    SLayoutSize* sides[4] = {&m_data.extendLeft, &m_data.extendTop, &m_data.extendRight, &m_data.extendBottom};
    for (size_t i = 0; i < 4; ++i) *sides[i] = ReadDimension(pieces[count == 1 ? 0 : i], kSetAttribute);
    return S_OK;
}

// The readers of the parameter's attributes; a member, so they reach the
// data.
struct SLinearLayoutParam::AttrRows
{
    using Row = SAttrRow<SLinearLayoutParam>;

    template <SLayoutSize SLinearLayoutParamStruct::*size>
    static HRESULT Word(SLinearLayoutParam& p, const SStringW& value, BOOL)
    {
        p.m_data.*size = ReadSizeWord(value, false, kSetAttribute);
        return S_OK;
    }
    static HRESULT Size(SLinearLayoutParam& p, const SStringW& value, BOOL)
    {
        return ReadSizePair(value, false, kSetAttribute, p.m_data.width, p.m_data.height) ? S_OK : E_FAIL;
    }
    static HRESULT Weight(SLinearLayoutParam& p, const SStringW& value, BOOL)
    {
        ReadFloat(value, kSetAttribute, p.m_data.weight);
        return S_OK;
    }
    static HRESULT Gravity(SLinearLayoutParam& p, const SStringW& value, BOOL)
    {
        const int gravity = LinearGravityByName(value);
        if (gravity == kGravityUnset)
            return E_FAIL;
        p.m_data.gravity = gravity;
        return S_OK;
    }
    static HRESULT Extend(SLinearLayoutParam& p, const SStringW& value, BOOL) { return p.SetExtend(value); }
    template <SLayoutSize SLinearLayoutParamStruct::*side>
    static HRESULT Side(SLinearLayoutParam& p, const SStringW& value, BOOL)
    {
        p.m_data.*side = ReadDimension(value, kSetAttribute);
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"width", &Word<&SLinearLayoutParamStruct::width>, AttrEffect::Redraw},
        {L"height", &Word<&SLinearLayoutParamStruct::height>, AttrEffect::Redraw},
        {L"size", &Size, AttrEffect::Redraw},
        {L"weight", &Weight, AttrEffect::Redraw},
        {L"layout_gravity", &Gravity, AttrEffect::Redraw},
        {L"extend", &Extend, AttrEffect::Redraw},
        {L"extend_left", &Side<&SLinearLayoutParamStruct::extendLeft>, AttrEffect::Redraw},
        {L"extend_top", &Side<&SLinearLayoutParamStruct::extendTop>, AttrEffect::Redraw},
        {L"extend_right", &Side<&SLinearLayoutParamStruct::extendRight>, AttrEffect::Redraw},
        {L"extend_bottom", &Side<&SLinearLayoutParamStruct::extendBottom>, AttrEffect::Redraw},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SLinearLayoutParam::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Answer(*this, name, value, loading);
}

void SLinearLayoutParam::Clear()
{
    m_data.width.SetWrapContent();
    m_data.height.SetWrapContent();
    m_data.weight = 0;
    m_data.gravity = kGravityUnset;
}

SLayoutSize SLinearLayoutParam::GetSpecifiedSize(int orientation) const
{
    if (orientation == Horz) return m_data.width;
    if (orientation == Vert) return m_data.height;
    return SLayoutSize();
}

} // namespace DUI
