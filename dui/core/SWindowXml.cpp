// SWindow: building a window and its subtree from an XML element, with
// "include" elements and "t:" templates.
#include "dui/core/SWindow.h"

#include <cwchar>
#include <vector>

#include "dui/core/base/DuiLog.h"
#include "dui/core/base/SObjectFactoryMgr.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SStylePoolMgr.h"

namespace DUI {

namespace {

const char kSource[] = "dui\\src\\core\\swnd";
const char kCreateChildren[] = "DUI::SWindow::CreateChildren";

// Layouts nest a few dozen levels; anything far deeper is a faulty or
// hostile layout and would exhaust the stack of the recursive walks.
constexpr int kMaxCreationDepth = 256;

// What is being expanded right now, to refuse an include or template that
// contains itself, directly or through another. UI thread only.
struct Expansion
{
    int depth = 0;
    std::vector<SStringW> includes;   // "type:name", lower case
    std::vector<SStringW> templates;  // names, exact
};

Expansion& Current()
{
    static Expansion expansion;
    return expansion;
}

bool Contains(const std::vector<SStringW>& list, const SStringW& key)
{
    for (const SStringW& item : list) {
        if (item == key)
            return true;
    }
    return false;
}

// Pushes a key for the lifetime of the scope.
class ExpansionScope
{
public:
    ExpansionScope(std::vector<SStringW>& list, const SStringW& key) : m_list(list) { m_list.push_back(key); }
    ~ExpansionScope() { m_list.pop_back(); }
    ExpansionScope(const ExpansionScope&) = delete;
    ExpansionScope& operator=(const ExpansionScope&) = delete;

private:
    std::vector<SStringW>& m_list;
};

class DepthScope
{
public:
    DepthScope() { ++Current().depth; }
    ~DepthScope() { --Current().depth; }
    DepthScope(const DepthScope&) = delete;
    DepthScope& operator=(const DepthScope&) = delete;
};

// Every attribute of `from` lands on `to`, replacing one of the same name.
void CopyAttributes(xmldom::xml_node from, xmldom::xml_node to, LPCWSTR except)
{
    for (xmldom::xml_attribute a = from.first_attribute(); a; a = a.next_attribute()) {
        if (except && _wcsicmp(a.name(), except) == 0)
            continue;
        xmldom::xml_attribute target = to.attribute(a.name());
        if (!target)
            target = to.append_attribute(a.name());
        target.set_value(a.value());
    }
}

xmldom::xml_node FirstElement(xmldom::xml_node parent)
{
    for (xmldom::xml_node n = parent.first_child(); n; n = n.next_sibling()) {
        if (n.type() == xmldom::node_element)
            return n;
    }
    return xmldom::xml_node();
}

xmldom::xml_node NextElement(xmldom::xml_node node)
{
    for (xmldom::xml_node n = node.next_sibling(); n; n = n.next_sibling()) {
        if (n.type() == xmldom::node_element)
            return n;
    }
    return xmldom::xml_node();
}

// Applies one attribute ahead of the others and keeps it out of their loop.
xmldom::xml_attribute ApplyFirst(SWindow* window, xmldom::xml_node element, LPCWSTR name)
{
    xmldom::xml_attribute a = element.attribute(name);
    if (a) {
        a.set_skip_mark(1);
        window->SetAttribute(SStringW(a.name()), SStringW(a.value()), TRUE);
    }
    return a;
}

} // namespace

BOOL SWindow::ApplyXmlNode(xmldom::xml_node element)
{
    if (element) {
        if (m_layoutParam)
            m_layoutParam->Clear();
        // The layout decides which parameters the others set, and a style
        // gives defaults that the element's own attributes refine.
        xmldom::xml_attribute layout = ApplyFirst(this, element, L"layout");
        xmldom::xml_attribute cls = ApplyFirst(this, element, L"class");
        SObjectImpl<IObject>::ApplyXmlNode(element);
        if (layout) layout.set_skip_mark(0);
        if (cls) cls.set_skip_mark(0);
    }
    SetWindowTextFromXml(element);
    if (DeliverSwndMessage(WM_CREATE) != 0) {
        if (m_parent)
            m_parent->DestroyChild(this);
        return FALSE;
    }
    if (m_parent)
        m_state |= m_parent->m_state & (WndState_Invisible | WndState_Disable);
    DeliverSwndMessage(WM_SHOWWINDOW, !(m_state & WndState_Invisible), 1);
    CreateChildren(element);
    MarkLayoutDirty(m_swnd, TRUE);
    return TRUE;
}

void SWindow::SetWindowTextFromXml(xmldom::xml_node element)
{
    SStringW text(element.text().get());
    text.TrimBlanks();
    if (!text.IsEmpty())
        m_text.SetText(ResolveNamedString(text));
}

BOOL SWindow::CreateChildren(xmldom::xml_node element)
{
    if (Current().depth >= kMaxCreationDepth) {
        WriteLog(kSource, __LINE__, kCreateChildren, L"warning! layout deeper than %d levels: children of [%s] skipped",
                 kMaxCreationDepth, element.name());
        return TRUE;
    }
    DepthScope depth;
    for (xmldom::xml_node child = FirstElement(element); child; child = NextElement(child)) {
        if (child.skip_mark() != 0)
            continue;
        LPCWSTR tag = child.name();
        if (_wcsicmp(tag, L"include") == 0)
            CreateInclude(child);
        else if (std::wcsncmp(tag, L"t:", 2) == 0)
            CreateFromTemplate(child);
        else
            CreateChildWindow(tag, child);
    }
    return TRUE;
}

SWindow* SWindow::CreateChildWindow(LPCWSTR tag, xmldom::xml_node element)
{
    SObjectFactoryMgr* registry = SObjectFactoryMgr::GetInstance();
    SWindow* child = registry ? registry->NewWindowByTag(tag) : nullptr;
    if (!child)
        return nullptr;
    InsertChild(child, nullptr);
    child->ApplyXmlNode(element);
    return child;
}

void SWindow::CreateInclude(xmldom::xml_node include)
{
    const SStringW src(include.attribute(L"src").value());
    const int colon = src.Find(L':');
    const SStringW type = colon >= 0 ? src.Left(colon) : SStringW(L"LAYOUT");
    const SStringW name = colon >= 0 ? src.Mid(colon + 1, src.GetLength() - colon - 1) : src;
    SStringW key = type + L":" + name;
    key.MakeLower();
    if (Contains(Current().includes, key)) {
        WriteLog(kSource, __LINE__, kCreateChildren, L"warning! include of [%s] skipped: it includes itself", src.c_str());
        return;
    }
    SResProviderMgr* res = SResProviderMgr::GetInstance();
    xmldom::xml_document doc;
    if (!res || !res->LoadXmlResource(name, type, doc)) {
        WriteLog(kSource, __LINE__, kCreateChildren, L"warning! include of [%s] skipped: no such layout", src.c_str());
        return;
    }
    const xmldom::xml_node root = FirstElement(doc);
    if (!root)
        return;
    ExpansionScope scope(Current().includes, key);
    if (_wcsicmp(root.name(), L"include") == 0) {
        CreateChildren(root);
        return;
    }
    CopyAttributes(include, root, L"src");
    CreateChildWindow(root.name(), root);
    if (NextElement(root))
        WriteLog(kSource, 737, kCreateChildren, L"warning! multi root include layout is not supported!");
}

void SWindow::CreateFromTemplate(xmldom::xml_node use)
{
    const SStringW name(use.name() + 2);
    if (Contains(Current().templates, name)) {
        WriteLog(kSource, __LINE__, kCreateChildren, L"warning! template [%s] skipped: it uses itself", name.c_str());
        return;
    }
    STemplatePoolMgr* pools = STemplatePoolMgr::GetInstance();
    SStringW text = pools ? pools->GetTemplateString(name) : SStringW();
    if (text.IsEmpty()) {
        WriteLog(kSource, __LINE__, kCreateChildren, L"warning! template [%s] not found", name.c_str());
        return;
    }
    for (xmldom::xml_attribute a = use.child(L"data").first_attribute(); a; a = a.next_attribute())
        text.Replace(SStringW().Format(L"{{%s}}", a.name()), a.value());
    xmldom::xml_document doc;
    if (!doc.load_buffer(text.c_str(), text.GetLength() * sizeof(wchar_t), xmldom::parse_default,
                         xmldom::encoding_wchar))
        return;
    const xmldom::xml_node root = FirstElement(doc);
    if (!root)
        return;
    ExpansionScope scope(Current().templates, name);
    CopyAttributes(use, root, nullptr);
    CreateChildWindow(root.name(), root);
}

SWindow* SWindow::CreateChildrenFromXmlText(LPCWSTR text)
{
    if (!text)
        return nullptr;
    xmldom::xml_document doc;
    if (!doc.load_buffer(text, std::wcslen(text) * sizeof(wchar_t), xmldom::parse_default, xmldom::encoding_wchar))
        return nullptr;
    CreateChildren(doc.document_element());
    return m_lastChild;
}

} // namespace DUI
