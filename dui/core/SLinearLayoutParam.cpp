#include "dui/core/SLinearLayoutParam.h"

#include <cwchar>
#include "dui/core/SLayoutParamAttr.h"
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

HRESULT SLinearLayoutParam::SetAttribute(const SStringW& name, const SStringW& value, BOOL)
{
    struct Side
    {
        const wchar_t* name;
        SLayoutSize* size;
    };
    const Side extends[] = {{L"extend_left", &m_data.extendLeft},
                            {L"extend_top", &m_data.extendTop},
                            {L"extend_right", &m_data.extendRight},
                            {L"extend_bottom", &m_data.extendBottom}};
    if (name.CompareNoCase(L"width") == 0) {
        m_data.width = ReadSizeWord(value, false, kSetAttribute);
    } else if (name.CompareNoCase(L"height") == 0) {
        m_data.height = ReadSizeWord(value, false, kSetAttribute);
    } else if (name.CompareNoCase(L"size") == 0) {
        if (!ReadSizePair(value, false, kSetAttribute, m_data.width, m_data.height)) return E_FAIL;
    } else if (name.CompareNoCase(L"weight") == 0) {
        ReadFloat(value, kSetAttribute, m_data.weight);
    } else if (name.CompareNoCase(L"layout_gravity") == 0) {
        const int gravity = LinearGravityByName(value);
        if (gravity == kGravityUnset) return E_FAIL;
        m_data.gravity = gravity;
    } else if (name.CompareNoCase(L"extend") == 0) {
        return SetExtend(value);
    } else {
        for (const Side& side : extends) {
            if (name.CompareNoCase(side.name) != 0) continue;
            *side.size = ReadDimension(value, kSetAttribute);
            return S_OK;
        }
        return E_NOTIMPL;
    }
    return S_OK;
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
