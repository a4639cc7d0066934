#pragma once
// What a window-tree benchmark runs in: render.dll loaded as the program
// loads it, the window manager and finder, the class registry with the
// built-in classes, the pools, and one pool of skins from XML text.
#include <winsock2.h>
#include <windows.h>

#include <cstdio>

#include "dui/SObjectDefaultRegister.h"
#include "dui/core/base/IRender.h"
#include "dui/core/base/SObjectFactoryMgr.h"
#include "dui/core/SWindow.h"
#include "dui/core/SWindowFinder.h"
#include "dui/res.mgr/SFontPool.h"
#include "dui/res.mgr/SImageLoader.h"
#include "dui/res.mgr/SSkinPool.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "dui/res.mgr/SStylePoolMgr.h"

namespace benchenv {

inline double NowMs()
{
    static LARGE_INTEGER freq = [] { LARGE_INTEGER f; QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t.QuadPart * 1000.0 / freq.QuadPart;
}

// Loads render.dll and hands its factory to the image loader; both go in
// reverse when it ends.
class RenderDll
{
public:
    RenderDll() : m_dll(LoadLibraryW(L"render.dll"))
    {
        using CreateFn = BOOL (*)(void**);
        auto create = m_dll ? reinterpret_cast<CreateFn>(reinterpret_cast<void*>(GetProcAddress(m_dll, "SCreateInstance")))
                            : nullptr;
        void* made = nullptr;
        if (create && create(&made))
            m_factory = DUI::SRefPtr<DUI::IPaintFactory>::Adopt(static_cast<DUI::IPaintFactory*>(made));
        else
            fprintf(stderr, "render.dll not loaded\n");
        DUI::SetLoaderPaintFactory(m_factory.Get());
    }
    ~RenderDll()
    {
        DUI::SetLoaderPaintFactory(nullptr);
        m_factory.Reset();
        if (m_dll)
            FreeLibrary(m_dll);
    }
    RenderDll(const RenderDll&) = delete;
    RenderDll& operator=(const RenderDll&) = delete;

    DUI::IPaintFactory* Factory() const { return m_factory.Get(); }

private:
    HMODULE m_dll;
    DUI::SRefPtr<DUI::IPaintFactory> m_factory;
};

// Made after a loaded RenderDll and ended before it.
class WindowEnv
{
public:
    WindowEnv(DUI::IPaintFactory* factory, const wchar_t* skinXml, size_t skinXmlBytes) : m_fonts(factory)
    {
        DUI::SObjectDefaultRegister builtIns;
        builtIns.RegisterLayouts(&m_registry);
        builtIns.RegisterSkins(&m_registry);
        builtIns.RegisterWindows(&m_registry);
        xmldom::xml_document doc;
        doc.load_buffer(skinXml, skinXmlBytes, xmldom::parse_default, xmldom::encoding_wchar);
        m_pool->LoadSkins(doc.child(L"skin"));
        m_skins.PushSkinPool(m_pool.Get());
    }
    ~WindowEnv() { m_skins.PopSkinPool(m_pool.Get()); }
    WindowEnv(const WindowEnv&) = delete;
    WindowEnv& operator=(const WindowEnv&) = delete;

    DUI::SSkinPool* Skins() const { return m_pool.Get(); }

private:
    DUI::SWindowMgr m_windows;
    DUI::SWindowFinder m_finder;
    DUI::SObjectFactoryMgr m_registry;
    DUI::SSkinPoolMgr m_skins{&m_registry};
    DUI::SStylePoolMgr m_styles;
    DUI::STemplatePoolMgr m_templates;
    DUI::SFontPool m_fonts;
    DUI::SRefPtr<DUI::SSkinPool> m_pool = DUI::SRefPtr<DUI::SSkinPool>::Adopt(new DUI::SSkinPool());
};

} // namespace benchenv
