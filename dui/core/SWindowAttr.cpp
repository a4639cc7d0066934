// SWindow: the attribute table every window understands. Names it does not
// know go to its style, then its layout, then its layout parameter.
#include "dui/core/SWindow.h"

#include <shlwapi.h>

#include <cwchar>

#include "dui/core/base/SAttrTable.h"
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

// The readers of the window's own attributes: a member of the window, so
// they reach what the attributes set.
struct SWindow::AttrRows
{
    using Row = SAttrRow<SWindow>;

    template <DWORD flag>
    static HRESULT Flag(SWindow& w, const SStringW& value, BOOL)
    {
        w.SetFlag(flag, ReadBool(value));
        return S_OK;
    }

    static HRESULT Layout(SWindow& w, const SStringW& value, BOOL) { return w.SetLayoutAttribute(value); }
    static HRESULT Class(SWindow& w, const SStringW& value, BOOL loading)
    {
        w.ApplyClass(value, loading);
        return S_OK;
    }
    static HRESULT Id(SWindow& w, const SStringW& value, BOOL)
    {
        ReadWindowId(value, w.m_id);
        return S_OK;
    }
    static HRESULT Name(SWindow& w, const SStringW& value, BOOL);
    static HRESULT Skin(SWindow& w, const SStringW& value, BOOL loading);
    static HRESULT NcSkin(SWindow& w, const SStringW& value, BOOL)
    {
        w.m_ncSkin.Reset(FindSkin(value, w.GetScale()));
        return S_OK;
    }
    static HRESULT Data(SWindow& w, const SStringW& value, BOOL)
    {
        int data = 0;
        w.m_userData = StrToIntExW(value, STIF_SUPPORT_HEX, &data) ? static_cast<ULONG_PTR>(data) : 0;
        return S_OK;
    }
    static HRESULT Text(SWindow& w, const SStringW& value, BOOL)
    {
        w.m_text.SetText(ResolveNamedString(value));
        return S_OK;
    }
    static HRESULT TrCtx(SWindow& w, const SStringW& value, BOOL)
    {
        w.m_trCtx = ResolveNamedString(value);
        return S_OK;
    }
    static HRESULT Enable(SWindow& w, const SStringW& value, BOOL loading);
    static HRESULT Visible(SWindow& w, const SStringW& value, BOOL loading);
    static HRESULT Display(SWindow& w, const SStringW& value, BOOL loading);
    static HRESULT Cache(SWindow& w, const SStringW& value, BOOL loading);
    static HRESULT Alpha(SWindow& w, const SStringW& value, BOOL loading);
    static HRESULT Layered(SWindow& w, const SStringW& value, BOOL loading);
    static HRESULT TrackMouse(SWindow& w, const SStringW& value, BOOL loading);
    static HRESULT Tip(SWindow& w, const SStringW& value, BOOL)
    {
        w.SetToolTipText(ResolveNamedString(value));
        return S_OK;
    }
    static HRESULT MaxWidth(SWindow& w, const SStringW& value, BOOL)
    {
        w.m_maxWidth = ReadDimension(value, "DUI::SWindow::SetAttribute");
        return S_OK;
    }
    static HRESULT Float(SWindow& w, const SStringW& value, BOOL)
    {
        w.m_float = ReadBool(value);
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"layout", &Layout, AttrEffect::Redraw},
        {L"class", &Class, AttrEffect::None},
        {L"id", &Id, AttrEffect::None},
        {L"name", &Name, AttrEffect::None},
        {L"skin", &Skin, AttrEffect::RedrawLater},
        {L"ncskin", &NcSkin, AttrEffect::Redraw},
        {L"data", &Data, AttrEffect::None},
        {L"text", &Text, AttrEffect::Redraw},
        {L"trCtx", &TrCtx, AttrEffect::None},
        {L"enable", &Enable, AttrEffect::None},
        {L"visible", &Visible, AttrEffect::None},
        {L"show", &Visible, AttrEffect::None},
        {L"display", &Display, AttrEffect::RedrawLater},
        {L"cache", &Cache, AttrEffect::None},
        {L"alpha", &Alpha, AttrEffect::RedrawLater},
        {L"layeredWindow", &Layered, AttrEffect::RedrawLater},
        {L"trackMouseEvent", &TrackMouse, AttrEffect::None},
        {L"tip", &Tip, AttrEffect::None},
        {L"msgTransparent", &Flag<Flag_MsgTransparent>, AttrEffect::None},
        {L"maxWidth", &MaxWidth, AttrEffect::None},
        {L"clipClient", &Flag<Flag_ClipClient>, AttrEffect::None},
        {L"focusable", &Flag<Flag_Focusable>, AttrEffect::None},
        {L"drawFocusRect", &Flag<Flag_DrawFocusRect>, AttrEffect::Redraw},
        {L"float", &Float, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SWindow::AttrRows::Name(SWindow& w, const SStringW& value, BOOL)
{
    w.m_name = value;
    const SNamedID* ids = SNamedID::GetInstance();
    if (w.m_id == 0 && ids)
        w.m_id = ids->Get(value);
    return S_OK;
}

HRESULT SWindow::AttrRows::Skin(SWindow& w, const SStringW& value, BOOL loading)
{
    w.m_skin.Reset(FindSkin(value, w.GetScale()));
    if (!loading && w.WrapsContent())
        w.MarkForRelayout();
    return S_OK;
}

HRESULT SWindow::AttrRows::Enable(SWindow& w, const SStringW& value, BOOL loading)
{
    if (!loading)
        w.EnableWindow(ReadBool(value), TRUE);
    else if (ReadBool(value))
        w.ModifyState(0, WndState_Disable, FALSE);
    else
        w.ModifyState(WndState_Disable, WndState_Hover, FALSE);
    return S_OK;
}

HRESULT SWindow::AttrRows::Visible(SWindow& w, const SStringW& value, BOOL loading)
{
    if (loading)
        w.SetFlag(Flag_Visible, ReadBool(value));
    else
        w.SetVisible(ReadBool(value), TRUE);
    return S_OK;
}

HRESULT SWindow::AttrRows::Display(SWindow& w, const SStringW& value, BOOL loading)
{
    w.SetFlag(Flag_Display, ReadBool(value));
    if (!loading)
        w.MarkForRelayout();
    return S_OK;
}

HRESULT SWindow::AttrRows::Cache(SWindow& w, const SStringW& value, BOOL loading)
{
    w.SetFlag(Flag_Cache, ReadBool(value));
    if (!loading) {
        w.UpdateCacheMode();
        w.InvalidateRect(nullptr);
    }
    return S_OK;
}

HRESULT SWindow::AttrRows::Alpha(SWindow& w, const SStringW& value, BOOL loading)
{
    w.m_style.m_byAlpha = static_cast<BYTE>(_wtoi(value));
    if (loading)
        return S_OK;
    if (!w.IsLayered())
        w.UpdateCacheMode();
    w.InvalidateRect(nullptr);
    return S_OK;
}

HRESULT SWindow::AttrRows::Layered(SWindow& w, const SStringW& value, BOOL loading)
{
    w.SetFlag(Flag_Layered, ReadBool(value));
    if (!loading)
        w.UpdateLayeredMode();
    return S_OK;
}

HRESULT SWindow::AttrRows::TrackMouse(SWindow& w, const SStringW& value, BOOL loading)
{
    const BOOL track = ReadBool(value);
    w.m_style.SetFlag(SwndStyle::Flag_TrackMouse, track);
    if (loading || !w.m_container)
        return S_OK;
    if (track)
        w.m_container->RegisterTrackMouseEvent(w.m_swnd);
    else
        w.m_container->UnregisterTrackMouseEvent(w.m_swnd);
    return S_OK;
}

HRESULT SWindow::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    // Fonts and sizes reach the text measurement of descendants as well.
    InvalidateMeasure(loading ? MeasureScope::Self : MeasureScope::Subtree);
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SetDelegatedAttribute(name, value, loading); });
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
