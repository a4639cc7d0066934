// SWindow: the attribute table every window understands. Names it does not
// know go to its style, then its layout, then its layout parameter.
#include "dui/core/SWindow.h"

#include <shlwapi.h>

#include <cwchar>

#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/base/SNamedID.h"
#include "dui/core/base/SObjectFactoryMgr.h"
#include "dui/res.mgr/ISkinObj.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "dui/res.mgr/SStylePoolMgr.h"

namespace DUI {

namespace {

struct IdName
{
    LPCWSTR name;
    int id;
};

const IdName kDialogIds[] = {
    {L"IDOK", IDOK},         {L"IDCANCEL", IDCANCEL}, {L"IDCLOSE", IDCLOSE}, {L"IDHELP", IDHELP},
    {L"IDABORT", IDABORT},   {L"IDYES", IDYES},       {L"IDNO", IDNO},       {L"IDRETRY", IDRETRY},
    {L"IDIGNORE", IDIGNORE},
};

// A value starting with "ID" names a dialog id; any other is read as a
// number. FALSE leaves the id as it is.
BOOL ReadWindowId(const SStringW& value, int& id)
{
    if (value.IsEmpty())
        return FALSE;
    if (_wcsnicmp(value, L"ID", 2) != 0) {
        id = _wtoi(value);
        return TRUE;
    }
    for (const IdName& known : kDialogIds) {
        if (value.CompareNoCase(known.name) == 0) {
            id = known.id;
            return TRUE;
        }
    }
    return FALSE;
}

ISkinObj* FindSkin(const SStringW& name, int scale)
{
    SSkinPoolMgr* skins = SSkinPoolMgr::GetInstance();
    return skins ? skins->GetSkin(name, scale) : nullptr;
}

} // namespace

HRESULT SWindow::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    // Fonts and sizes reach the text measurement of descendants as well.
    InvalidateMeasure(!loading);
    BOOL taken = TRUE;
    const HRESULT own = SetOwnAttribute(name, value, loading, taken);
    if (taken)
        return AfterSetAttribute(name, value, loading, own);
    return SetDelegatedAttribute(name, value, loading);
}

HRESULT SWindow::SetOwnAttribute(const SStringW& name, const SStringW& value, BOOL loading, BOOL& taken)
{
    if (name.CompareNoCase(L"layout") == 0)
        return SetLayoutAttribute(value);
    if (name.CompareNoCase(L"class") == 0) {
        ApplyClass(value, loading);
        return S_FALSE;
    }
    if (name.CompareNoCase(L"id") == 0) {
        ReadWindowId(value, m_id);
        return S_FALSE;
    }
    if (name.CompareNoCase(L"name") == 0) {
        m_name = value;
        const SNamedID* ids = SNamedID::GetInstance();
        if (m_id == 0 && ids)
            m_id = ids->Get(value);
        return S_FALSE;
    }
    if (name.CompareNoCase(L"skin") == 0) {
        m_skin.Reset(FindSkin(value, GetScale()));
        if (loading)
            return S_FALSE;
        if (WrapsContent())
            MarkLayoutDirty(m_swnd, TRUE);
        return S_OK;
    }
    if (name.CompareNoCase(L"ncskin") == 0) {
        m_ncSkin.Reset(FindSkin(value, GetScale()));
        return S_OK;
    }
    if (name.CompareNoCase(L"data") == 0) {
        int data = 0;
        m_userData = StrToIntExW(value, STIF_SUPPORT_HEX, &data) ? static_cast<ULONG_PTR>(data) : 0;
        return S_FALSE;
    }
    if (name.CompareNoCase(L"text") == 0) {
        m_text.SetText(ResolveNamedString(value));
        return S_OK;
    }
    if (name.CompareNoCase(L"trCtx") == 0) {
        m_trCtx = ResolveNamedString(value);
        return S_FALSE;
    }
    if (name.CompareNoCase(L"enable") == 0) {
        if (!loading)
            EnableWindow(ReadBool(value), TRUE);
        else if (ReadBool(value))
            ModifyState(0, WndState_Disable, FALSE);
        else
            ModifyState(WndState_Disable, WndState_Hover, FALSE);
        return S_FALSE;
    }
    if (name.CompareNoCase(L"visible") == 0 || name.CompareNoCase(L"show") == 0) {
        if (loading)
            SetFlag(Flag_Visible, ReadBool(value));
        else
            SetVisible(ReadBool(value), TRUE);
        return S_FALSE;
    }
    if (name.CompareNoCase(L"display") == 0) {
        SetFlag(Flag_Display, ReadBool(value));
        if (loading)
            return S_FALSE;
        MarkLayoutDirty(m_swnd, TRUE);
        return S_OK;
    }
    if (name.CompareNoCase(L"cache") == 0) {
        SetFlag(Flag_Cache, ReadBool(value));
        if (!loading) {
            UpdateCacheMode();
            InvalidateRect(nullptr);
        }
        return S_FALSE;
    }
    if (name.CompareNoCase(L"alpha") == 0) {
        m_style.m_byAlpha = static_cast<BYTE>(_wtoi(value));
        if (loading)
            return S_FALSE;
        if (!IsLayered())
            UpdateCacheMode();
        InvalidateRect(nullptr);
        return S_OK;
    }
    if (name.CompareNoCase(L"layeredWindow") == 0) {
        SetFlag(Flag_Layered, ReadBool(value));
        if (loading)
            return S_FALSE;
        UpdateLayeredMode();
        return S_OK;
    }
    if (name.CompareNoCase(L"trackMouseEvent") == 0) {
        const BOOL track = ReadBool(value);
        m_style.SetFlag(SwndStyle::Flag_TrackMouse, track);
        if (!loading && m_container) {
            if (track)
                m_container->RegisterTrackMouseEvent(m_swnd);
            else
                m_container->UnregisterTrackMouseEvent(m_swnd);
        }
        return S_FALSE;
    }
    if (name.CompareNoCase(L"tip") == 0) {
        SetToolTipText(ResolveNamedString(value));
        return S_FALSE;
    }
    if (name.CompareNoCase(L"msgTransparent") == 0) {
        SetFlag(Flag_MsgTransparent, ReadBool(value));
        return S_FALSE;
    }
    if (name.CompareNoCase(L"maxWidth") == 0) {
        m_maxWidth = ReadDimension(value, "DUI::SWindow::SetAttribute");
        return S_FALSE;
    }
    if (name.CompareNoCase(L"clipClient") == 0) {
        SetFlag(Flag_ClipClient, ReadBool(value));
        return S_FALSE;
    }
    if (name.CompareNoCase(L"focusable") == 0) {
        SetFlag(Flag_Focusable, ReadBool(value));
        return S_FALSE;
    }
    if (name.CompareNoCase(L"drawFocusRect") == 0) {
        SetFlag(Flag_DrawFocusRect, ReadBool(value));
        return S_OK;
    }
    if (name.CompareNoCase(L"float") == 0) {
        m_float = ReadBool(value);
        return S_FALSE;
    }
    taken = FALSE;
    return E_FAIL;
}

HRESULT SWindow::SetDelegatedAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT hr = m_style.SetAttribute(name, value, loading);
    if (SUCCEEDED(hr))
        return AfterSetAttribute(name, value, loading, hr | kAttrFromStyle);
    if (m_layout) {
        hr = m_layout->SetAttribute(name, value, loading);
        if (SUCCEEDED(hr))
            return AfterSetAttribute(name, value, loading, hr | kAttrFromLayout);
    }
    if (m_layoutParam) {
        hr = m_layoutParam->SetAttribute(name, value, loading);
        if (SUCCEEDED(hr))
            return AfterSetAttribute(name, value, loading, hr | kAttrFromLayoutParam);
    }
    return OnUnhandledAttribute(name, value, loading);
}

HRESULT SWindow::SetLayoutAttribute(const SStringW& value)
{
    SObjectFactoryMgr* registry = SObjectFactoryMgr::GetInstance();
    IObject* object = registry ? registry->CreateObject(SObjectInfo(value, Layout_Kind)) : nullptr;
    auto* layout = dynamic_cast<ILayout*>(object);
    if (!layout) {
        if (object)
            SObjectFactoryMgr::ReleaseObject(object);
        return E_INVALIDARG;
    }
    SRefPtr<ILayout> made = SRefPtr<ILayout>::Adopt(layout);
    if (m_layout && std::wcscmp(m_layout->GetClassTag(), layout->GetClassTag()) == 0)
        return S_OK;
    m_layout = made;
    // Children placed by the old layout carry parameters the new one may
    // not read; each takes a fresh one it does.
    for (SWindow* child = m_firstChild; child; child = child->m_nextSibling)
        AdoptLayoutParam(child);
    return S_OK;
}

void SWindow::ApplyClass(const SStringW& value, BOOL loading)
{
    SStylePoolMgr* styles = SStylePoolMgr::GetInstance();
    xmldom::xml_node style = styles ? styles->GetStyle(value) : xmldom::xml_node();
    if (!style)
        return;
    xmldom::xml_attribute layout = style.attribute(L"layout");
    if (layout)
        SetAttribute(SStringW(layout.name()), SStringW(layout.value()), loading);
    for (xmldom::xml_attribute a = style.first_attribute(); a; a = a.next_attribute()) {
        if (a == layout || _wcsicmp(a.name(), L"class") == 0)
            continue;
        SetAttribute(SStringW(a.name()), SStringW(a.value()), loading);
    }
}

HRESULT SWindow::AfterSetAttribute(const SStringW&, const SStringW&, BOOL loading, HRESULT result)
{
    if ((result & 0xFFFF) != 0 || loading)
        return result;
    if ((result & (kAttrFromLayout | kAttrFromLayoutParam)) && m_parent)
        m_parent->MarkLayoutDirty(m_parent->m_swnd, TRUE);
    else
        InvalidateRect(nullptr);
    return result;
}

HRESULT SWindow::OnUnhandledAttribute(const SStringW&, const SStringW&, BOOL)
{
    // Script handlers bound by attribute need the host's script module; the
    // program runs without one.
    return E_FAIL;
}

} // namespace DUI
