#pragma once
// Readers that the skins' attribute tables share.
#include <cwchar>

#include "dui/core/base/SAttrTable.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSkinObjBase.h"

namespace DUI::skinattr {

// A colour given by value or by name; an empty value is refused.
template <class T, auto field, int index>
HRESULT ColorAt(T& self, const SStringW& value, BOOL)
{
    if (value.IsEmpty())
        return E_FAIL;
    (self.*field)[index] = ResolveNamedColor(value);
    return S_OK;
}

template <class T, auto field>
HRESULT Color(T& self, const SStringW& value, BOOL)
{
    if (value.IsEmpty())
        return E_FAIL;
    self.*field = ResolveNamedColor(value);
    return S_OK;
}

// A number as "%f" reads it; a value it cannot read leaves the field as it was.
template <class T, auto field>
HRESULT ScanFloat(T& self, const SStringW& value, BOOL)
{
    swscanf(value.c_str(), L"%f", &(self.*field));
    return S_OK;
}

inline SLayoutSize Dim(const SStringW& value)
{
    return ResolveLayoutDim(value.c_str());
}

template <class T, auto field>
constexpr auto Int = &AttrStore<T, field, &SSkinObjBase::ReadInt>;

template <class T, auto field>
constexpr auto LayoutDim = &AttrStore<T, field, &Dim>;

} // namespace DUI::skinattr
