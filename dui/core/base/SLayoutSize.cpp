#include "dui/core/base/SLayoutSize.h"

#include <cmath>
#include <cstdlib>
#include <cwchar>

#include "dui/core/base/TStringT.h"

namespace DUI {

namespace {

constexpr float kTolerance = 1e-8f;
LPCWSTR const kUnitNames[] = {L"px", L"dp", L"dip", L"sp"};
// Longest first, so that "dip" is not taken for a text ending in "ip".
const SLayoutSize::Unit kSuffixOrder[] = {SLayoutSize::dip, SLayoutSize::px, SLayoutSize::dp, SLayoutSize::sp};

SLayoutSize::Unit s_defaultUnit = SLayoutSize::px;

bool FindUnitByName(LPCWSTR name, SLayoutSize::Unit& unit)
{
    for (int i = 0; i < 4; ++i) {
        if (wchar_traits::CompareNoCase(name, kUnitNames[i]) == 0) {
            unit = static_cast<SLayoutSize::Unit>(i);
            return true;
        }
    }
    return false;
}

// The unit whose name ends the text, and where that name starts.
bool FindUnitSuffix(LPCWSTR text, size_t length, SLayoutSize::Unit& unit, size_t& start)
{
    for (SLayoutSize::Unit u : kSuffixOrder) {
        const size_t n = wcslen(kUnitNames[u]);
        if (length >= n && wchar_traits::CompareNoCase(text + length - n, kUnitNames[u]) == 0) {
            unit = u;
            start = length - n;
            return true;
        }
    }
    return false;
}

// The length of a plain decimal ("-12", "4.5") at the start of the text, 0
// when it starts otherwise. Most sizes are written so, and wcstod costs
// about half a microsecond a call under Wine.
size_t PlainDecimalLength(LPCWSTR text)
{
    size_t i = (text[0] == L'-' || text[0] == L'+') ? 1 : 0;
    const size_t digitsFrom = i;
    while (text[i] >= L'0' && text[i] <= L'9')
        ++i;
    if (i == digitsFrom)
        return 0;
    if (text[i] == L'.') {
        ++i;
        while (text[i] >= L'0' && text[i] <= L'9')
            ++i;
    }
    return i;
}

} // namespace

SLayoutSize::SLayoutSize() : m_unit(s_defaultUnit) {}

SLayoutSize::SLayoutSize(float value, Unit unit) : m_value(value), m_unit(unit) {}

SLayoutSize::SLayoutSize(LPCWSTR text) : m_unit(s_defaultUnit)
{
    Parse(text);
}

void SLayoutSize::Parse(LPCWSTR text)
{
    if (!text || !*text) return;
    size_t start = 0;
    if (!FindUnitSuffix(text, wcslen(text), m_unit, start)) m_unit = s_defaultUnit;
    m_value = static_cast<float>(_wtof(text));
}

bool SLayoutSize::IsWellFormed(LPCWSTR text)
{
    if (!text || !*text) return false;
    const size_t length = wcslen(text);
    size_t numberEnd = length;
    Unit unit;
    FindUnitSuffix(text, length, unit, numberEnd);
    const size_t plain = PlainDecimalLength(text);
    if (plain != 0 && plain == numberEnd)
        return true;
    wchar_t* end = nullptr;
    wcstod(text, &end);
    return end != text && static_cast<size_t>(end - text) == numberEnd;
}

void SLayoutSize::Set(float value, Unit unit)
{
    m_value = value;
    m_unit = unit;
}

bool SLayoutSize::Equals(float v) const
{
    return std::fabs(m_value - v) < kTolerance;
}

int SLayoutSize::ToPixel(int scale) const
{
    if (IsMatchParent() || IsWrapContent()) return static_cast<int>(m_value);
    if (m_unit == px) return DUI::ToPixels(m_value);
    return ScaleRoundNearest(m_value, scale);
}

void SLayoutSize::SetDefaultUnit(LPCWSTR name)
{
    Unit unit = px;
    s_defaultUnit = name && FindUnitByName(name, unit) ? unit : px;
}

SLayoutSize::Unit SLayoutSize::GetDefaultUnit()
{
    return s_defaultUnit;
}

LPCWSTR SLayoutSize::GetUnitName(Unit unit)
{
    return unit >= px && unit <= sp ? kUnitNames[unit] : L"";
}

} // namespace DUI
