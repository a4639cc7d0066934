#pragma once
// What a window tree needs around it, as the application object will give
// it: window manager and finder, the class registry with the built-in
// classes, the pools, a provider over a temporary resource folder with one
// UI definition, and the named-ID table. Windows made here are destroyed
// before the singletons go.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dui/core/AnchorLayoutParam.h"
#include "dui/core/base/SNamedID.h"
#include "dui/SObjectDefaultRegister.h"
#include "dui/core/base/SObjectFactoryMgr.h"
#include "dui/core/SWindow.h"
#include "dui/core/SWindowFinder.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "dui/res.mgr/SStylePoolMgr.h"
#include "dui/res.mgr/SUiDefInfo.h"
#include "tests/support/TempFolder.h"

namespace wndtest {

using namespace DUI;

using Files = std::vector<std::pair<std::wstring, std::string>>;

// Resource folder: "uires.idx" is written from the names; every file is a
// LAYOUT resource except "uidef.xml", the definition "uidef:xml_init".
inline std::string IndexOf(const Files& files)
{
    std::string layouts;
    for (const auto& [name, text] : files) {
        if (name == L"uidef.xml") continue;
        const std::string narrow(name.begin(), name.end());
        layouts += "<file name=\"" + narrow.substr(0, narrow.find('.')) + "\" path=\"" + narrow + "\"/>";
    }
    return "<resource><uidef><file name=\"xml_init\" path=\"uidef.xml\"/></uidef><LAYOUT>" + layouts +
           "</LAYOUT></resource>";
}

// Stands in for a real layout: lays the layout children side by side, each
// as wide as its "width" (in pixels at the window's scale), full height,
// and records whom it placed.
class RowLayout : public SObjectImpl<TObjRefImpl<ILayout>>
{
    DUI_CLASS_NAME(RowLayout, SObjectImpl<TObjRefImpl<ILayout>>, L"testRow", Layout_Kind)
public:
    static inline std::vector<std::wstring> placed;

    BOOL IsParamAcceptable(ILayoutParam* p) const override { return p && p->IsKindOf(L"AnchorLayoutParam"); }
    ILayoutParam* CreateLayoutParam() const override { return new AnchorLayoutParam(); }
    void LayoutChildren(SWindow* window) override
    {
        RECT area;
        window->GetChildArea(&area);
        int x = area.left;
        for (SWindow* c = window->GetNextLayoutChild(nullptr); c; c = window->GetNextLayoutChild(c)) {
            const int w = c->GetLayoutParam()->GetSpecifiedSize(Horz).ToPixel(window->GetScale());
            c->OnRectChanged(RECT{x, area.top, x + w, area.bottom});
            placed.push_back(c->GetName());
            x += w;
        }
    }
    SIZE MeasureChildren(SWindow* window, int, int) override
    {
        SIZE s = {0, 0};
        for (SWindow* c = window->GetNextLayoutChild(nullptr); c; c = window->GetNextLayoutChild(c))
            s.cx += c->GetLayoutParam()->GetSpecifiedSize(Horz).ToPixel(window->GetScale());
        return s;
    }
};

class WindowEnv
{
public:
    explicit WindowEnv(const Files& files = {})
    {
        SObjectDefaultRegister builtIns;
        builtIns.RegisterLayouts(&m_registry);
        builtIns.RegisterSkins(&m_registry);
        builtIns.RegisterWindows(&m_registry);
        builtIns.RegisterInterpolators(&m_registry);
        m_registry.TplRegisterFactory<RowLayout>();
        RowLayout::placed.clear();
        bool hasUidef = false;
        for (const auto& [name, text] : files) {
            m_dir.Write(name, text);
            hasUidef = hasUidef || name == L"uidef.xml";
        }
        if (!hasUidef)
            m_dir.Write(L"uidef.xml", "<uidef/>");
        m_dir.Write(L"uires.idx", IndexOf(files));
        IResProvider* p = nullptr;
        CreateResProvider(RES_FILE, &p);
        m_provider = SRefPtr<IResProvider>::Adopt(p);
        const std::wstring folder = m_dir.Folder().substr(0, m_dir.Folder().size() - 1);
        EXPECT_TRUE(m_provider->Init(reinterpret_cast<WPARAM>(folder.c_str())));
        m_res.AddResProvider(m_provider.Get(), L"uidef:xml_init");
    }

    ~WindowEnv()
    {
        for (SWindow* root : m_roots)
            root->Destroy();
        m_res.RemoveAllResProviders();
    }

    // A root window the environment destroys at the end.
    SWindow* NewRoot()
    {
        m_roots.push_back(new SWindow());
        return m_roots.back();
    }

    // A root with the children the XML text's root element holds.
    SWindow* Build(const wchar_t* xml)
    {
        SWindow* root = NewRoot();
        root->CreateChildrenFromXmlText(xml);
        return root;
    }

    SObjectFactoryMgr& Registry() { return m_registry; }
    SNamedID& Ids() { return m_ids; }

private:
    testsupport::TempFolder m_dir{L"vesk_wnd"};
    SWindowMgr m_windows;
    SWindowFinder m_finder;
    SObjectFactoryMgr m_registry;
    SUiDef m_uidef{&m_registry};
    SSkinPoolMgr m_skins{&m_registry};
    SStylePoolMgr m_styles;
    STemplatePoolMgr m_templates;
    SResProviderMgr m_res;
    SNamedID m_ids;
    SRefPtr<IResProvider> m_provider;
    std::vector<SWindow*> m_roots;
};

// Names of the direct children, in child-list order, joined by commas.
inline std::wstring ChildNames(const SWindow* parent)
{
    std::wstring names;
    for (SWindow* c = parent->GetRelatedWindow(GSW_FIRSTCHILD); c; c = c->GetRelatedWindow(GSW_NEXTSIBLING)) {
        if (!names.empty()) names += L",";
        names += c->GetName();
    }
    return names;
}

} // namespace wndtest
