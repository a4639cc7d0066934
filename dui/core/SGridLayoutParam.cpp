#include "dui/core/SGridLayoutParam.h"

namespace DUI {

namespace {

constexpr const char* kSetAttribute = "DUI::SGridLayoutParam::SetAttribute";

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

HRESULT SGridLayoutParam::SetAttribute(const SStringW& name, const SStringW& value, BOOL)
{
    if (name.CompareNoCase(L"columnSpan") == 0)
        m_data.columnSpan = ReadInt(value, kSetAttribute);
    else if (name.CompareNoCase(L"rowSpan") == 0)
        m_data.rowSpan = ReadInt(value, kSetAttribute);
    else if (name.CompareNoCase(L"width") == 0)
        m_data.width = ReadSizeWord(value, false, kSetAttribute);
    else if (name.CompareNoCase(L"height") == 0)
        m_data.height = ReadSizeWord(value, false, kSetAttribute);
    else if (name.CompareNoCase(L"size") == 0)
        return ReadSizePair(value, false, kSetAttribute, m_data.width, m_data.height) ? S_OK : E_FAIL;
    else if (name.CompareNoCase(L"layout_xGravity") == 0)
        m_data.xGravity = GridGravityByName(value);
    else if (name.CompareNoCase(L"layout_yGravity") == 0)
        m_data.yGravity = GridGravityByName(value);
    else if (name.CompareNoCase(L"columnWeight") == 0)
        ReadFloat(value, kSetAttribute, m_data.columnWeight);
    else if (name.CompareNoCase(L"rowWeight") == 0)
        ReadFloat(value, kSetAttribute, m_data.rowWeight);
    else
        return E_NOTIMPL;
    return S_OK;
}

} // namespace DUI
