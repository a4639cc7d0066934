#pragma once
// Rules the layout and layout-parameter classes share: orientation
// questions over a width and a height, and reading sizes, dimensions,
// floats and gravities from attribute texts. A text that is read only in
// part writes the framework's log line and keeps what could be read.
#include "dui/core/ILayout.h"
#include <type_traits>

#include "dui/core/base/TStringT.h"

namespace DUI {

// 0 the width, 1 the height, 2 either, 3 both; anything else FALSE.
BOOL AskOrientation(int orientation, bool width, bool height);
// 0 the width, 1 the height, 3 both; 2 and anything else change nothing.
void SetByOrientation(int orientation, SLayoutSize& width, SLayoutSize& height, const SLayoutSize& value);

// "@dim/name" through the current UI definition, else the size text itself.
SLayoutSize ReadDimension(const SStringW& text, const char* function);
// "matchParent" (also "full" when `fullMatches`) and "wrapContent", without
// regard to case; anything else a dimension.
SLayoutSize ReadSizeWord(const SStringW& text, bool fullMatches, const char* function);
// Two size words separated by ','; false, changing nothing, for another count.
bool ReadSizePair(const SStringW& text, bool fullMatches, const char* function, SLayoutSize& width,
                  SLayoutSize& height);
// Two dimensions separated by ','; false, changing nothing, for another count.
bool ReadDimensionPair(const SStringW& text, const char* function, SLayoutSize& first, SLayoutSize& second);
// A float read with "%f"; a text it cannot read, or infinity or NaN, leaves
// `out` as it was.
void ReadFloat(const SStringW& text, const char* function, float& out);
// StrToIntExW, hexadecimal after "0x"; a text that is not a number gives 0.
int ReadInt(const SStringW& text, const char* function);
// FALSE for "0" and for "false" in any case, TRUE for any other text.
BOOL ReadBool(const SStringW& text);

// Readers for attribute tables over the readers above. `where` names the
// owner's SetAttribute in the log; `path` leads to the field, through a
// member struct where there is one (`&T::m_data, &Data::width`).
namespace layoutattr {

template <class T, const char* where, auto... path>
HRESULT Int(T& self, const SStringW& value, BOOL)
{
    auto& field = (self .* ... .* path);
    field = static_cast<std::remove_reference_t<decltype(field)>>(ReadInt(value, where));
    return S_OK;
}

template <class T, const char* where, auto... path>
HRESULT Dimension(T& self, const SStringW& value, BOOL)
{
    (self .* ... .* path) = ReadDimension(value, where);
    return S_OK;
}

template <class T, const char* where, bool fullMatches, auto... path>
HRESULT SizeWord(T& self, const SStringW& value, BOOL)
{
    (self .* ... .* path) = ReadSizeWord(value, fullMatches, where);
    return S_OK;
}

template <class T, const char* where, auto... path>
HRESULT Float(T& self, const SStringW& value, BOOL)
{
    ReadFloat(value, where, (self .* ... .* path));
    return S_OK;
}

} // namespace layoutattr

} // namespace DUI
