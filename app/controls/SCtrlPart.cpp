#include "app/controls/SCtrlPart.h"

#include <algorithm>
#include <vector>

#include "dui/core/base/DuiLog.h"
#include "dui/core/SApplication.h"

namespace DUI {

namespace {

const char kSource[] = "app\\controls\\SCtrlPart";

// The layouts being built right now, lower case "type:name": a part whose
// layout holds a part of the same layout would nest without end. UI thread only.
std::vector<SStringW>& LayoutsInProgress()
{
    static std::vector<SStringW> loading;
    return loading;
}

class LayoutInProgress
{
public:
    explicit LayoutInProgress(const SStringW& key) { LayoutsInProgress().push_back(key); }
    ~LayoutInProgress() { LayoutsInProgress().pop_back(); }
    LayoutInProgress(const LayoutInProgress&) = delete;
    LayoutInProgress& operator=(const LayoutInProgress&) = delete;
};

// The part stays empty; the line says why.
void LogEmptyPart(const SStringW& source, LPCWSTR why)
{
    WriteLog(kSource, __LINE__, "DUI::SCtrlPart::SetAttribute", L"part layout [%s] %s: the part is left empty",
             source.c_str(), why);
}

xmldom::xml_node IncludeElement(const xmldom::xml_document& doc)
{
    for (xmldom::xml_node n = doc.first_child(); n; n = n.next_sibling()) {
        if (n.type() == xmldom::node_element && _wcsicmp(n.name(), L"include") == 0)
            return n;
    }
    return xmldom::xml_node();
}

} // namespace

HRESULT SCtrlPart::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    if (name.CompareNoCase(L"src") == 0 && !value.IsEmpty())
        LoadLayout(value);
    return SCaptionEx::SetAttribute(name, value, loading);
}

void SCtrlPart::LoadLayout(const SStringW& source)
{
    DestroyLayoutWindows();
    m_layoutSource = source;
    SStringWList pieces;
    const BOOL typed = ParseResId(source, pieces) == 2;
    const SStringW type = typed ? pieces[0] : SStringW(L"LAYOUT");
    const SStringW name = typed ? pieces[1] : pieces[0];
    SStringW key = type + L":" + name;
    key.MakeLower();
    if (std::find(LayoutsInProgress().begin(), LayoutsInProgress().end(), key) != LayoutsInProgress().end()) {
        LogEmptyPart(source, L"holds itself");
        return;
    }
    SApplication* app = SApplication::GetInstance();
    xmldom::xml_document doc;
    if (!app || !app->LoadXml(doc, name, type)) {
        LogEmptyPart(source, L"not found");
        return;
    }
    const xmldom::xml_node include = IncludeElement(doc);
    if (!include) {
        LogEmptyPart(source, L"has no \"include\" element");
        return;
    }
    LayoutInProgress scope(key);
    SWindow* before = GetRelatedWindow(GSW_LASTCHILD);
    CreateChildren(include);
    for (SWindow* w = before ? before->GetRelatedWindow(GSW_NEXTSIBLING) : GetRelatedWindow(GSW_FIRSTCHILD); w;
         w = w->GetRelatedWindow(GSW_NEXTSIBLING))
        m_layoutWindows.push_back(w->GetSwnd());
}

void SCtrlPart::DestroyLayoutWindows()
{
    SWindowMgr* windows = SWindowMgr::GetInstance();
    for (SWND swnd : m_layoutWindows) {
        SWindow* w = windows ? windows->GetWindow(swnd) : nullptr;
        if (w && w->GetParent() == this)
            DestroyChild(w);
    }
    m_layoutWindows.clear();
}

BOOL SCtrlPart::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (OfferToHandler(msg, wp, lp, result))
        return TRUE;
    return SCaptionEx::OnSwndMessage(msg, wp, lp, result);
}

BOOL SCtrlPart::OfferToHandler(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_COPYDATA:
    case WM_COMMAND:
    case WM_TIMER:
    case WM_INITDIALOG:
        SetMsgHandled(FALSE);
        if (m_handler)
            CallHandler(msg, wp, lp);
        result = 0;
        return IsMsgHandled();
    default:
        if (msg < WM_USER)
            return FALSE;
        SetMsgHandled(FALSE);
        if (m_handler)
            result = m_handler->OnUserMessage(msg, wp, lp);
        return IsMsgHandled();
    }
}

void SCtrlPart::CallHandler(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_COPYDATA:
        m_handler->OnCopyData(wp, lp);
        break;
    case WM_COMMAND:
        m_handler->OnCommand(HIWORD(wp), LOWORD(wp), lp);
        break;
    case WM_TIMER:
        m_handler->OnTimer(wp);
        break;
    default:
        m_handler->OnInitDialog(msg, wp, lp);
        break;
    }
}

SWindow* SCtrlPart::FindChild(const ISCtrlPartHandler* handler, SStringW name)
{
    SCtrlPart* part = handler ? handler->GetPartWnd() : nullptr;
    return part ? part->FindChildByName(name, -1) : nullptr;
}

} // namespace DUI
