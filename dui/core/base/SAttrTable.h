#pragma once
// Attribute tables: a class that takes XML attributes lists them as rows
// (name, how the value is read, what a change asks for). The rows are sorted
// when the program is compiled and searched by halves, so setting one costs a
// few comparisons and adding one is adding a row.
#include <algorithm>
#include <array>
#include <cstddef>
#include <type_traits>

#include <winsock2.h>
#include <windows.h>

#include "dui/core/base/TStringT.h"

namespace DUI {

// What a change of the attribute asks of its owner, said the way every
// SetAttribute answers: S_OK (0) applied and needs a redraw, S_FALSE (1)
// applied and nothing more. Nothing is redrawn while a layout is loading.
enum class AttrEffect : unsigned char
{
    None,         // S_FALSE
    Redraw,       // S_OK
    RedrawLater,  // S_FALSE while loading, S_OK afterwards
};

constexpr HRESULT AttrEffectResult(AttrEffect effect, BOOL loading)
{
    if (effect == AttrEffect::Redraw || (effect == AttrEffect::RedrawLater && !loading))
        return S_OK;
    return S_FALSE;
}

template <class T>
struct SAttrRow
{
    // Stores the value; a failure code refuses it and is answered as it is.
    using Reader = HRESULT (*)(T& self, const SStringW& value, BOOL loading);

    LPCWSTR name;
    Reader read;
    AttrEffect effect;
};

namespace attrtable {

// Attribute names are ASCII; any other character only matches itself.
constexpr wchar_t FoldCase(wchar_t c)
{
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

constexpr int CompareNoCase(const wchar_t* a, const wchar_t* b)
{
    for (;; ++a, ++b) {
        const wchar_t x = FoldCase(*a);
        const wchar_t y = FoldCase(*b);
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            return 0;
    }
}

} // namespace attrtable

// The reader most rows share: the value as `parse` reads it, stored in a
// field of the owner (or of a class it derives from).
template <class T, auto field, auto parse>
HRESULT AttrStore(T& self, const SStringW& value, BOOL)
{
    using Field = std::remove_reference_t<decltype(self.*field)>;
    self.*field = static_cast<Field>(parse(value));
    return S_OK;
}

template <class T, size_t N>
class SAttrTable
{
public:
    // Evaluated at compile time: a name given twice stops the build.
    constexpr explicit SAttrTable(const SAttrRow<T> (&rows)[N])
    {
        std::copy(rows, rows + N, m_rows.begin());
        std::sort(m_rows.begin(), m_rows.end(), [](const SAttrRow<T>& a, const SAttrRow<T>& b) {
            return attrtable::CompareNoCase(a.name, b.name) < 0;
        });
        for (size_t i = 1; i < N; ++i) {
            if (attrtable::CompareNoCase(m_rows[i - 1].name, m_rows[i].name) == 0)
                throw "an attribute is listed twice";
        }
    }

    // The row of that name, compared without regard to ASCII case; null
    // when the table has none.
    const SAttrRow<T>* Find(LPCWSTR name) const
    {
        size_t low = 0;
        size_t high = N;
        while (low < high) {
            const size_t mid = (low + high) / 2;
            const int order = attrtable::CompareNoCase(m_rows[mid].name, name);
            if (order == 0)
                return &m_rows[mid];
            if (order < 0)
                low = mid + 1;
            else
                high = mid;
        }
        return nullptr;
    }

    // FALSE when the name is not in the table. Otherwise the value is read
    // and `result` holds the reader's failure or the row's effect.
    BOOL Apply(T& self, const SStringW& name, const SStringW& value, BOOL loading, HRESULT& result) const
    {
        const SAttrRow<T>* row = Find(name.c_str());
        if (!row)
            return FALSE;
        const HRESULT read = row->read(self, value, loading);
        result = FAILED(read) ? read : AttrEffectResult(row->effect, loading);
        return TRUE;
    }

    // The SetAttribute of a class with a table: its own rows first, then
    // `inherited` (the parent's SetAttribute, or what else the class falls
    // back on) for every other name. A name a row takes passes the owner's
    // AfterSetAttribute once, with the row's answer, refused or not.
    template <class Inherited>
    HRESULT Dispatch(T& self, const SStringW& name, const SStringW& value, BOOL loading, Inherited&& inherited) const
    {
        HRESULT result = S_FALSE;
        if (!Apply(self, name, value, loading, result))
            return inherited();
        return self.AfterSetAttribute(name, value, loading, result);
    }

    // For a part whose owner asks other parts next: the answer of the row,
    // or E_NOTIMPL for a name the table lacks.
    HRESULT Answer(T& self, const SStringW& name, const SStringW& value, BOOL loading) const
    {
        HRESULT result = E_NOTIMPL;
        Apply(self, name, value, loading, result);
        return result;
    }

    static constexpr size_t Size() { return N; }
    constexpr const SAttrRow<T>& operator[](size_t i) const { return m_rows[i]; }

private:
    std::array<SAttrRow<T>, N> m_rows{};
};

} // namespace DUI
