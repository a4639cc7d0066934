// SRichEdit: the XML attributes. Before creation they only set fields that
// the engine reads when it is made; afterwards the engine is told.
#include "dui/control/SRichEdit.h"

#include <shlwapi.h>

#include "dui/core/base/SAttrTable.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

namespace {

int ReadInteger(const SStringW& value)
{
    int read = 0;
    return ::StrToIntExW(value.c_str(), STIF_SUPPORT_HEX, &read) ? read : 0;
}

} // namespace

// The readers of the edit's attributes; a member, so they reach the fields.
// The first table is asked before the panel's; the second only for names
// that nobody up the chain took.
struct SRichEdit::AttrRows
{
    using Row = SAttrRow<SRichEdit>;

    template <DWORD SRichEdit::*field>
    static HRESULT Bool(SRichEdit& e, const SStringW& value, BOOL)
    {
        e.*field = ReadBool(value);
        return S_OK;
    }
    static HRESULT Style(SRichEdit& e, const SStringW& value, BOOL)
    {
        e.m_editStyle = static_cast<DWORD>(ReadInteger(value));
        return S_OK;
    }
    static HRESULT MaxBuf(SRichEdit& e, const SStringW& value, BOOL)
    {
        e.m_textLimit = ReadInteger(value);
        return S_OK;
    }
    static HRESULT ColorText(SRichEdit& e, const SStringW& value, BOOL loading);
    static HRESULT Rtf(SRichEdit& e, const SStringW& value, BOOL loading)
    {
        if (loading)
            e.m_pendingRtf = value;
        else
            e.StreamInRtf(value);
        return S_OK;
    }
    static HRESULT Align(SRichEdit& e, const SStringW& value, BOOL loading)
    {
        e.ApplyAlignAttribute(value, loading);
        return S_OK;
    }
    static HRESULT NotifyChange(SRichEdit& e, const SStringW& value, BOOL loading)
    {
        e.SetOption(Opt_NotifyChange, e.ReadTextBit(value));
        e.ApplyNotifyChange(loading);
        return S_OK;
    }
    static HRESULT WantTab(SRichEdit& e, const SStringW& value, BOOL)
    {
        e.SetOption(Opt_WantTab, ReadBool(value));
        return S_OK;
    }
    // Integer attributes that set one option bit from the value's lowest bit.
    template <Option bit>
    static HRESULT IntOption(SRichEdit& e, const SStringW& value, BOOL)
    {
        e.SetOption(bit, (ReadInteger(value) & 1) != 0);
        return S_OK;
    }
    // One edit-style bit: "0" clears, any other text sets. The engine is
    // told to re-read what `mask` names; a scroll-bar change is told as a
    // change whatever the value.
    template <DWORD bit, DWORD mask>
    static HRESULT StyleBit(SRichEdit& e, const SStringW& value, BOOL loading)
    {
        const BOOL on = e.ReadTextBit(value);
        e.SetEditStyleBit(bit, on);
        if (!loading)
            e.NotifyPropertyBits(mask, mask == TXTBIT_SCROLLBARCHANGE || on ? mask : 0);
        return S_OK;
    }
    // The style keeps the line mode for measuring the text as well.
    static HRESULT MultiLines(SRichEdit& e, const SStringW& value, BOOL loading)
    {
        e.SetEditStyleBit(ES_MULTILINE, e.ReadTextBit(value));
        (void)e.GetStyle().SetAttribute(L"multiLines", value, loading);
        if (!loading)
            e.NotifyPropertyBits(TXTBIT_MULTILINE, e.ReadTextBit(value) ? TXTBIT_MULTILINE : 0);
        return S_OK;
    }
    static HRESULT ReadOnly(SRichEdit& e, const SStringW& value, BOOL loading)
    {
        const BOOL on = e.ReadTextBit(value);
        e.SetEditStyleBit(ES_READONLY, on);
        if (!loading) {
            e.UpdateDropTarget();
            e.NotifyPropertyBits(TXTBIT_READONLY, on ? TXTBIT_READONLY : 0);
        }
        return S_OK;
    }
    static HRESULT PasswordChar(SRichEdit& e, const SStringW& value, BOOL loading)
    {
        e.m_passwordChar = value.IsEmpty() ? 0 : value.c_str()[0];
        return NothingToTell(e, loading);
    }
    static HRESULT DragDrop(SRichEdit& e, const SStringW& value, BOOL loading)
    {
        e.SetOption(Opt_DragDrop, e.ReadTextBit(value));
        if (!loading)
            e.UpdateDropTarget();
        return NothingToTell(e, loading);
    }
    static HRESULT AutoSel(SRichEdit& e, const SStringW& value, BOOL loading)
    {
        e.SetOption(Opt_AutoSel, e.ReadTextBit(value));
        return NothingToTell(e, loading);
    }
    // The engine hears of every late change of these, if only with no bits.
    static HRESULT NothingToTell(SRichEdit& e, BOOL loading)
    {
        if (!loading)
            e.NotifyPropertyBits(0, 0);
        return S_OK;
    }

    static constexpr Row kOwnRows[] = {
        {L"showMenuDefalut", &Bool<&SRichEdit::m_showMenuDefault>, AttrEffect::None},
        {L"style", &Style, AttrEffect::None},
        {L"maxBuf", &MaxBuf, AttrEffect::None},
        {L"colorText", &ColorText, AttrEffect::Redraw},
        {L"rtf", &Rtf, AttrEffect::None},
        {L"align", &Align, AttrEffect::RedrawLater},
        {L"notifyChange", &NotifyChange, AttrEffect::None},
        {L"wantTab", &WantTab, AttrEffect::None},
        {L"imedisable", &Bool<&SRichEdit::m_imeDisabled>, AttrEffect::None},
        {L"multiLines", &MultiLines, AttrEffect::None},
        {L"transparent", &IntOption<Opt_Transparent>, AttrEffect::None},
        {L"rich", &IntOption<Opt_Rich>, AttrEffect::None},
        {L"vertical", &IntOption<Opt_Vertical>, AttrEffect::None},
        {L"wordWrap", &IntOption<Opt_WordWrap>, AttrEffect::None},
        {L"allowBeep", &IntOption<Opt_AllowBeep>, AttrEffect::None},
        {L"autoWordSel", &IntOption<Opt_AutoWordSel>, AttrEffect::None},
        {L"vcenter", &IntOption<Opt_VCenter>, AttrEffect::None},
    };
    static constexpr SAttrTable kOwnTable{kOwnRows};

    static constexpr Row kLateRows[] = {
        {L"hscrollBar", &StyleBit<WS_HSCROLL, TXTBIT_SCROLLBARCHANGE>, AttrEffect::None},
        {L"vscrollBar", &StyleBit<WS_VSCROLL, TXTBIT_SCROLLBARCHANGE>, AttrEffect::None},
        {L"autoHscroll", &StyleBit<ES_AUTOHSCROLL, TXTBIT_SCROLLBARCHANGE>, AttrEffect::None},
        {L"autoVscroll", &StyleBit<ES_AUTOVSCROLL, TXTBIT_SCROLLBARCHANGE>, AttrEffect::None},
        {L"readOnly", &ReadOnly, AttrEffect::None},
        {L"wantReturn", &StyleBit<ES_WANTRETURN, 0>, AttrEffect::None},
        {L"password", &StyleBit<ES_PASSWORD, TXTBIT_USEPASSWORD>, AttrEffect::None},
        {L"number", &StyleBit<kStyleNumber, 0>, AttrEffect::None},
        {L"passwordChar", &PasswordChar, AttrEffect::None},
        {L"enableDragdrop", &DragDrop, AttrEffect::None},
        {L"autoSel", &AutoSel, AttrEffect::None},
    };
    static constexpr SAttrTable kLateTable{kLateRows};
};

HRESULT SRichEdit::AttrRows::ColorText(SRichEdit& e, const SStringW& value, BOOL loading)
{
    SResProviderMgr* res = SResProviderMgr::GetInstance();
    const COLORREF color = res ? res->GetColor(value.c_str()) : ResolveNamedColor(value);
    e.GetStyle().m_crText[0] = color;
    if (!loading)
        e.SetDefaultTextColor(color);
    return S_OK;
}

HRESULT SRichEdit::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT result = S_FALSE;
    if (!AttrRows::kOwnTable.Apply(*this, name, value, loading, result))
        return SPanel::SetAttribute(name, value, loading);
    return AfterSetAttribute(name, value, loading, result);
}

HRESULT SRichEdit::OnUnhandledAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT result = S_FALSE;
    if (!AttrRows::kLateTable.Apply(*this, name, value, loading, result))
        return SPanel::OnUnhandledAttribute(name, value, loading);
    return result;
}
void SRichEdit::ApplyAlignAttribute(const SStringW& value, BOOL loading)
{
    if (value == L"center")
        m_editStyle |= ES_CENTER;
    else if (value == L"right")
        m_editStyle |= ES_RIGHT;
    if (loading)
        return;
    m_pfDef.wAlignment = AlignmentOfStyle();
    NotifyPropertyBits(TXTBIT_PARAFORMATCHANGE, TXTBIT_PARAFORMATCHANGE);
}

void SRichEdit::ApplyNotifyChange(BOOL loading)
{
    if (loading)
        return;
    LRESULT mask = DeliverSwndMessage(EM_GETEVENTMASK);
    if (HasOption(Opt_NotifyChange))
        mask |= ENM_CHANGE;
    else
        mask &= ~static_cast<LRESULT>(ENM_CHANGE);
    DeliverSwndMessage(EM_SETEVENTMASK, 0, mask);
}

} // namespace DUI
