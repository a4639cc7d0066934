#include "dui/core/AnchorLayoutParam.h"

#include <cmath>
#include <cwchar>
#include "dui/core/base/DuiLog.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/base/StringSplit.h"
#include "dui/core/base/SAttrTable.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::AnchorLayoutParam::SetAttribute";

struct KindChar
{
    wchar_t ch;
    int kind;
};
const KindChar kKindChars[] = {{L'%', kCoordPercent}, {L'@', kCoordSize},      {L'[', kCoordAfterPrev},
                               {L']', kCoordBeforeNext}, {L'{', kCoordWithPrev}, {L'|', kCoordCenter},
                               {L'}', kCoordWithNext}};

struct SiblingEdge
{
    const wchar_t* word;
    int kind;
};
const SiblingEdge kSiblingEdges[] = {{L"left@", kCoordSibNear},
                                     {L"top@", kCoordSibNear},
                                     {L"right@", kCoordSibFar},
                                     {L"bottom@", kCoordSibFar}};
constexpr const wchar_t* kSiblingPrefix = L"sib.";

bool StartsWith(const wchar_t* text, const wchar_t* prefix)
{
    return wcsncmp(text, prefix, wcslen(prefix)) == 0;
}

// "sib." + edge word + "id:dimension"; a negative dimension counts backwards.
bool ParseSibling(const SStringW& text, AnchorPos& out)
{
    const wchar_t* rest = text.c_str() + wcslen(kSiblingPrefix);
    for (const SiblingEdge& edge : kSiblingEdges) {
        if (!StartsWith(rest, edge.word)) continue;
        SStringWList parts;
        if (SplitString(SStringW(rest + wcslen(edge.word)), L':', parts) != 2) return false;
        const int id = _wtoi(parts[0].c_str());
        if (id == 0) return false;
        out.kind = edge.kind;
        out.refId = id;
        out.size = ReadDimension(parts[1], kSetAttribute);
        out.sign = 1;
        if (out.size.GetValue() < 0) {
            out.size.Set(-out.size.GetValue(), out.size.GetUnit());
            out.sign = -1;
        }
        return true;
    }
    return false;
}

} // namespace

bool AnchorLayoutParam::ParsePosition(const SStringW& text, AnchorPos& out)
{
    if (text.IsEmpty()) return false;
    if (StartsWith(text.c_str(), kSiblingPrefix)) return ParseSibling(text, out);
    int i = 0;
    out.kind = kCoordParent;
    for (const KindChar& k : kKindChars) {
        if (text[0] == k.ch) {
            out.kind = k.kind;
            i = 1;
            break;
        }
    }
    out.sign = 1;
    if (text[i] == L'-') {
        out.sign = -1;
        ++i;
    }
    out.refId = -1;
    out.size = ReadDimension(text.Mid(i, text.GetLength() - i), kSetAttribute);
    return true;
}

// Four coordinates decide a size: "0,0,-0,-0" fills the parent, '@' gives
// the size itself ('@-' wraps the content), any other second coordinate
// leaves the size to the placing.
void AnchorLayoutParam::DeriveSize(const AnchorPos& p1, const AnchorPos& p2, SLayoutSize& size)
{
    const bool fromNear = p1.kind == kCoordParent && p1.sign == 1 && p1.size.IsZero();
    const bool toFar = p2.kind == kCoordParent && p2.sign == -1 && p2.size.IsZero();
    if (fromNear && toFar)
        size.SetMatchParent();
    else if (p2.kind != kCoordSize)
        size.SetNotSet();
    else if (p2.sign == -1)
        size.SetWrapContent();
    else
        size = p2.size;
}

HRESULT AnchorLayoutParam::SetPos(const SStringW& value)
{
    SStringWList pieces;
    const size_t count = SplitString(value, L',', pieces);
    if (count != 2 && count != 4) return E_INVALIDARG;
    for (size_t i = 0; i < count; ++i) pieces[i].TrimBlanks();

    AnchorPos x1, y1, x2, y2;
    bool ok = ParsePosition(pieces[0], x1) && ParsePosition(pieces[1], y1) && x1.kind != kCoordSize &&
              y1.kind != kCoordSize;
    if (ok) {
        m_data.x1 = x1;
        m_data.y1 = y1;
        m_data.posCount = 2;
        if (count == 4) {
            ok = ParsePosition(pieces[2], x2) && ParsePosition(pieces[3], y2);
            if (ok) {
                m_data.x2 = x2;
                m_data.y2 = y2;
                m_data.posCount = 4;
                DeriveSize(x1, x2, m_data.width);
                DeriveSize(y1, y2, m_data.height);
            }
        }
    }
    if (!ok) DUI_LOG_WARNING("dui", kSetAttribute, L"warning: pos \"%s\" is not understood", value.c_str());
    if (!ok || m_data.posCount != 4) {
        if (!m_data.width.IsSet()) m_data.width.SetWrapContent();
        if (!m_data.height.IsSet()) m_data.height.SetWrapContent();
    }
    // The layout reads a malformed "pos" as far as it goes, so it still counts as taken.
    return S_OK;
}

struct AnchorLayoutParam::AttrRows
{
    using Row = SAttrRow<AnchorLayoutParam>;

    template <auto field>
    static constexpr auto Size = &layoutattr::SizeWord<AnchorLayoutParam, kSetAttribute, true, &AnchorLayoutParam::m_data, field>;

    static HRESULT BothSizes(AnchorLayoutParam& p, const SStringW& value, BOOL)
    {
        return ReadSizePair(value, true, kSetAttribute, p.m_data.width, p.m_data.height) ? S_OK : E_FAIL;
    }
    // Both numbers or neither; infinity and NaN are refused.
    static HRESULT Offset(AnchorLayoutParam& p, const SStringW& value, BOOL)
    {
        float x = 0, y = 0;
        if (swscanf(value.c_str(), L"%f,%f", &x, &y) != 2 || !std::isfinite(x) || !std::isfinite(y))
            return E_FAIL;
        p.m_data.offsetX = x;
        p.m_data.offsetY = y;
        return S_OK;
    }
    static HRESULT Pos(AnchorLayoutParam& p, const SStringW& value, BOOL) { return p.SetPos(value); }

    static constexpr Row kRows[] = {
        {L"width", Size<&AnchorLayoutParamStruct::width>, AttrEffect::Redraw},
        {L"height", Size<&AnchorLayoutParamStruct::height>, AttrEffect::Redraw},
        {L"size", &BothSizes, AttrEffect::Redraw},
        {L"offset", &Offset, AttrEffect::Redraw},
        {L"pos", &Pos, AttrEffect::Redraw},
    };
    static constexpr SAttrTable kTable{kRows};
};

// Names the class does not know are E_NOTIMPL, for the owner to try next.
HRESULT AnchorLayoutParam::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Answer(*this, name, value, loading);
}

void AnchorLayoutParam::Clear()
{
    m_data.posCount = 0;
    m_data.offsetX = m_data.offsetY = 0;
    m_data.width.SetWrapContent();
    m_data.height.SetWrapContent();
}

} // namespace DUI
