// SRichEdit: the XML attributes. Before creation they only set fields that
// the engine reads when it is made; afterwards the engine is told.
#include "dui/control/SRichEdit.h"

#include <shlwapi.h>

#include "dui/core/SLayoutParamAttr.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

namespace {

constexpr const char* kAttrFunction = "DUI::SRichEdit::SetAttribute";

struct OptionAttr
{
    LPCWSTR name;
    SRichEdit::Option bit;
};

// Integer attributes that set one option bit from the value's lowest bit.
constexpr OptionAttr kIntOptions[] = {
    {L"transparent", SRichEdit::Opt_Transparent}, {L"rich", SRichEdit::Opt_Rich},
    {L"vertical", SRichEdit::Opt_Vertical},       {L"wordWrap", SRichEdit::Opt_WordWrap},
    {L"allowBeep", SRichEdit::Opt_AllowBeep},     {L"autoWordSel", SRichEdit::Opt_AutoWordSel},
    {L"vcenter", SRichEdit::Opt_VCenter},
};

struct StyleAttr
{
    LPCWSTR name;
    DWORD bit;
    DWORD mask;  // what the engine is told to re-read; 0: nothing
};

// Attributes that set one edit-style bit: "0" clears, any other text sets.
constexpr StyleAttr kStyleBits[] = {
    {L"hscrollBar", WS_HSCROLL, TXTBIT_SCROLLBARCHANGE},
    {L"vscrollBar", WS_VSCROLL, TXTBIT_SCROLLBARCHANGE},
    {L"autoHscroll", ES_AUTOHSCROLL, TXTBIT_SCROLLBARCHANGE},
    {L"autoVscroll", ES_AUTOVSCROLL, TXTBIT_SCROLLBARCHANGE},
    {L"multiLines", ES_MULTILINE, TXTBIT_MULTILINE},
    {L"readOnly", ES_READONLY, TXTBIT_READONLY},
    {L"wantReturn", ES_WANTRETURN, 0},
    {L"password", ES_PASSWORD, TXTBIT_USEPASSWORD},
    {L"number", SRichEdit::kStyleNumber, 0},
};

int ReadInteger(const SStringW& value)
{
    int read = 0;
    return ::StrToIntExW(value.c_str(), STIF_SUPPORT_HEX, &read) ? read : 0;
}

} // namespace

HRESULT SRichEdit::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT hr = 1;
    if (name.CompareNoCase(L"showMenuDefalut") == 0) {
        m_showMenuDefault = ReadBool(value);
    } else if (name.CompareNoCase(L"style") == 0) {
        m_editStyle = static_cast<DWORD>(ReadInteger(value));
    } else if (name.CompareNoCase(L"maxBuf") == 0) {
        m_textLimit = ReadInteger(value);
    } else if (name.CompareNoCase(L"colorText") == 0) {
        SResProviderMgr* res = SResProviderMgr::GetInstance();
        const COLORREF color = res ? res->GetColor(value.c_str()) : ResolveNamedColor(value);
        GetStyle().m_crText[0] = color;
        if (!loading)
            SetDefaultTextColor(color);
        hr = 0;
    } else if (name.CompareNoCase(L"rtf") == 0) {
        if (loading)
            m_pendingRtf = value;
        else
            StreamInRtf(value);
    } else if (name.CompareNoCase(L"align") == 0) {
        ApplyAlignAttribute(value, loading);
        hr = loading ? 1 : 0;
    } else if (name.CompareNoCase(L"notifyChange") == 0) {
        SetOption(Opt_NotifyChange, ReadTextBit(value));
        ApplyNotifyChange(loading);
    } else if (name.CompareNoCase(L"wantTab") == 0) {
        SetOption(Opt_WantTab, ReadBool(value));
    } else if (name.CompareNoCase(L"imedisable") == 0) {
        m_imeDisabled = ReadBool(value);
    } else if (name.CompareNoCase(L"multiLines") == 0) {
        return OnUnhandledAttribute(name, value, loading);
    } else {
        BOOL found = FALSE;
        for (const OptionAttr& option : kIntOptions) {
            if (name.CompareNoCase(option.name) == 0) {
                SetOption(option.bit, (ReadInteger(value) & 1) != 0);
                found = TRUE;
                break;
            }
        }
        if (!found)
            return SPanel::SetAttribute(name, value, loading);
    }
    return AfterSetAttribute(name, value, loading, hr);
}

HRESULT SRichEdit::OnUnhandledAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    const BOOL on = ReadTextBit(value);
    DWORD mask = 0;
    DWORD bits = 0;
    BOOL found = FALSE;
    for (const StyleAttr& attr : kStyleBits) {
        if (name.CompareNoCase(attr.name) == 0) {
            SetEditStyleBit(attr.bit, on);
            mask = attr.mask;
            // The scroll-bar change is told as a change whatever the value.
            bits = attr.mask == TXTBIT_SCROLLBARCHANGE ? attr.mask : (on ? attr.mask : 0);
            found = TRUE;
            break;
        }
    }
    if (found) {
        if (name.CompareNoCase(L"multiLines") == 0)
            GetStyle().SetAttribute(L"multiLines", value, loading);
        if (name.CompareNoCase(L"readOnly") == 0 && !loading)
            UpdateDropTarget();
    } else if (name.CompareNoCase(L"passwordChar") == 0) {
        m_passwordChar = value.IsEmpty() ? 0 : value.c_str()[0];
    } else if (name.CompareNoCase(L"enableDragdrop") == 0) {
        SetOption(Opt_DragDrop, on);
        if (!loading)
            UpdateDropTarget();
    } else if (name.CompareNoCase(L"autoSel") == 0) {
        SetOption(Opt_AutoSel, on);
    } else {
        return SPanel::OnUnhandledAttribute(name, value, loading);
    }
    if (!loading)
        NotifyPropertyBits(mask, bits);
    return 1;
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
