#pragma once
// Readers that the controls' attribute tables share. `where` names the
// control's SetAttribute in the log when a value cannot be read.
#include <type_traits>

#include "dui/control/SControlSkin.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/base/DuiLog.h"
#include "dui/core/base/SAttrTable.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSkinAttr.h"
#include "dui/res.mgr/SSkinPoolMgr.h"

namespace DUI::ctrlattr {

// Any number but 0 turns it on.
template <class T, auto field, const char* where>
HRESULT Flag(T& self, const SStringW& value, BOOL)
{
    self.*field = ReadInt(value, where) != 0;
    return S_OK;
}

template <class T, auto field>
HRESULT Bool(T& self, const SStringW& value, BOOL)
{
    self.*field = ReadBool(value);
    return S_OK;
}

// A skin of the pools by name, at the control's scale.
template <class T, auto field>
HRESULT Skin(T& self, const SStringW& value, BOOL)
{
    self.*field = FindNamedSkin(value, self.GetScale());
    return S_OK;
}

// A skin of the pools by name, at the owner's scale. A misspelt name keeps
// the look there was rather than none, and is logged under `attr`.
template <class T, auto field, const wchar_t* attr, const char* where>
HRESULT KeptSkin(T& self, const SStringW& value, BOOL)
{
    SSkinPoolMgr* pools = SSkinPoolMgr::GetInstance();
    if (ISkinObj* skin = pools ? pools->GetSkin(value, self.GetScale()) : nullptr)
        self.*field = SRefPtr<ISkinObj>::Share(skin);
    else
        DUI_LOG_WARNING("dui", where, L"no skin \"%s\" for %s", value.c_str(), attr);
    return S_OK;
}

// Colours and dimensions read as the skins read them.
using skinattr::Color;
using skinattr::LayoutDim;

} // namespace DUI::ctrlattr
