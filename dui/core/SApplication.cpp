#include "dui/core/SApplication.h"

#include <cwchar>

#include "dui/core/CSimpleWndHelper.h"
#include "dui/res.mgr/SAppTranslator.h"
#include "dui/core/SDefToolTipFactory.h"
#include "dui/core/SDefMsgLoopFactory.h"
#include "dui/core/SMessageLoop.h"
#include "dui/res.mgr/SNullTranslator.h"
#include "dui/core/SRicheditMenuDef.h"
#include "dui/core/SScriptTimer.h"
#include "dui/core/STextServiceHelper.h"
#include "dui/core/STimer2.h"
#include "dui/core/SWindowFinder.h"
#include "dui/core/SWindowMgr.h"
#include "dui/res.mgr/SFontPool.h"
#include "dui/res.mgr/SImageLoader.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "dui/res.mgr/SStylePoolMgr.h"
#include "dui/res.mgr/SUiDefInfo.h"

namespace DUI {

namespace {

using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);

UpdateLayeredWindowFn g_updateLayeredWindow = nullptr;

xmldom::xml_document& MsgBoxTemplate()
{
    static xmldom::xml_document doc;
    return doc;
}

// The folder part of a module path: up to the last backslash, which is
// dropped; empty when there is none.
SStringW FolderOf(const wchar_t* path)
{
    const wchar_t* slash = wcsrchr(path, L'\\');
    return slash ? SStringW(path, static_cast<int>(slash - path)) : SStringW();
}

SStringW ModuleFolder(HINSTANCE module)
{
    wchar_t path[MAX_PATH] = {};
    return GetModuleFileNameW(module, path, MAX_PATH) ? FolderOf(path) : SStringW();
}

} // namespace

SApplication::SApplication(IPaintFactory* renderFactory, HINSTANCE module, LPCWSTR hostClassName,
                           ISystemObjectRegister* registrar, BOOL enableIme)
    : m_renderFactory(SRefPtr<IPaintFactory>::Share(renderFactory)), m_module(module)
{
    // Looked up by name so that a system without it still starts; the
    // layered update then reports failure.
    if (HMODULE user32 = GetModuleHandleW(L"user32"))
        g_updateLayeredWindow = reinterpret_cast<UpdateLayeredWindowFn>(
            reinterpret_cast<void*>(GetProcAddress(user32, "UpdateLayeredWindow")));
    SetLoaderPaintFactory(renderFactory);
    CreateSingletons(module, hostClassName, enableIme);
    SetTranslator(SRefPtr<ITranslatorMgr>::Adopt(new SNullTranslator()).Get());
    m_toolTipFactory = SRefPtr<IToolTipFactory>::Adopt(new SDefToolTipFactory());
    m_msgLoopFactory = SRefPtr<IMsgLoopFactory>::Adopt(new SDefMsgLoopFactory());
    m_appDir = ModuleFolder(module);
    m_msgLoop = m_msgLoopFactory->CreateMsgLoop();
    if (registrar) {
        registrar->RegisterLayouts(this);
        registrar->RegisterSkins(this);
        registrar->RegisterWindows(this);
        registrar->RegisterInterpolators(this);
    }
}

SApplication::~SApplication()
{
    m_msgLoopFactory->DestroyMsgLoop(m_msgLoop);
    m_msgLoop = nullptr;
    RemoveAllResProviders();
    DestroySingletons();
    m_appDir.Empty();
    m_namedIds.Init(nullptr, 0, TRUE);
    m_attrStorageFactory.Reset();
    m_logger.Reset();
    m_msgLoopFactory.Reset();
    m_toolTipFactory.Reset();
    SetTranslator(nullptr);
    SetLoaderPaintFactory(nullptr);
    m_renderFactory.Reset();
    m_scriptFactory.Reset();
    m_realWndHandler.Reset();
}

void SApplication::CreateSingletons(HINSTANCE module, LPCWSTR hostClassName, BOOL enableIme)
{
    m_singletons[SINGLETON_UIDEF] = new SUiDef(this);
    m_singletons[SINGLETON_WINDOWMGR] = new SWindowMgr();
    m_singletons[SINGLETON_TIMER] = new STimer2();
    m_singletons[SINGLETON_SCRIPTTIMER] = new SScriptTimer();
    m_singletons[SINGLETON_FONTPOOL] = new SFontPool(m_renderFactory.Get());
    // The skin pools come before the style and template pools.
    m_singletons[SINGLETON_SKINPOOLMGR] = new SSkinPoolMgr(this);
    m_singletons[SINGLETON_STYLEPOOLMGR] = new SStylePoolMgr();
    m_singletons[SINGLETON_TEMPLATEPOOLMGR] = new STemplatePoolMgr();
    m_singletons[SINGLETON_WINDOWFINDER] = new SWindowFinder();
    m_singletons[SINGLETON_TEXTSERVICEHELPER] = new STextServiceHelper();
    m_singletons[SINGLETON_RICHEDITMENUDEF] = new SRicheditMenuDef();
    m_singletons[SINGLETON_SIMPLEWNDHELPER] = new CSimpleWndHelper(module, hostClassName, enableIme);
}

void SApplication::DestroySingletons()
{
    static const SingletonIndex kOrder[] = {
        SINGLETON_SIMPLEWNDHELPER, SINGLETON_RICHEDITMENUDEF, SINGLETON_TEXTSERVICEHELPER,
        SINGLETON_WINDOWFINDER,    SINGLETON_STYLEPOOLMGR,    SINGLETON_TEMPLATEPOOLMGR,
        SINGLETON_SKINPOOLMGR,     SINGLETON_FONTPOOL,        SINGLETON_SCRIPTTIMER,
        SINGLETON_TIMER,           SINGLETON_WINDOWMGR,       SINGLETON_UIDEF,
    };
    for (SingletonIndex i : kOrder) {
        delete m_singletons[i];
        m_singletons[i] = nullptr;
    }
}

SSingleton2Base* SApplication::GetSingletonByIndex(int index) const
{
    return index >= 0 && index < SINGLETON_COUNT ? m_singletons[index] : nullptr;
}

ITranslatorMgr* SApplication::GetTranslator() const
{
    return GetAppTranslator();
}

HRESULT SApplication::CreateScriptModule(IScriptModule** out)
{
    return m_scriptFactory ? m_scriptFactory->CreateScriptModule(out) : E_FAIL;
}

void SApplication::SetTranslator(ITranslatorMgr* translator)
{
    SetAppTranslator(translator);
    // Fonts are translated too: the language may want another face.
    if (SFontPool* fonts = Singleton<SFontPool>(SINGLETON_FONTPOOL))
        fonts->SetTranslator(translator);
}

SStringW SApplication::TranslateText(const SStringW& text, const SStringW& context) const
{
    return DUI::TranslateText(text, context);
}

BOOL SApplication::LoadXml(xmldom::xml_document& doc, LPCWSTR name, LPCWSTR type)
{
    return LoadXmlResource(name, type, doc, nullptr);
}

int SApplication::LoadSystemNamedResource(IResProvider* provider)
{
    enum { kNoSkins = 1, kNoEditMenu = 2, kNoMsgBox = 4 };
    AddResProvider(provider, nullptr);
    int failed = 0;
    xmldom::xml_document doc;
    if (LoadXmlResource(L"SYS_XML_SKIN", L"XML", doc, provider))
        Singleton<SSkinPoolMgr>(SINGLETON_SKINPOOLMGR)->GetBuiltinPool()->LoadSkins(doc.child(L"skin"));
    else
        failed |= kNoSkins;
    doc.reset();
    if (LoadXmlResource(L"SYS_XML_EDITMENU", L"XML", doc, provider)) {
        xmldom::xml_document& menu = Singleton<SRicheditMenuDef>(SINGLETON_RICHEDITMENUDEF)->GetMenuDoc();
        menu.reset();
        if (xmldom::xml_node editMenu = doc.child(L"editmenu"))
            menu.append_copy(editMenu);
    } else {
        failed |= kNoEditMenu;
    }
    doc.reset();
    if (!LoadXmlResource(L"SYS_XML_MSGBOX", L"XML", doc, provider) || !SetMsgBoxTemplate(doc.child(L"DUI")))
        failed |= kNoMsgBox;
    RemoveResProvider(provider);
    return failed;
}

BOOL SApplication::SetMsgBoxTemplate(xmldom::xml_node element)
{
    if (!element || wcscmp(element.name(), L"DUI") != 0)
        return FALSE;
    const wchar_t* minSize = element.attribute(L"minSize").value();
    if (!minSize || !*minSize)
        return FALSE;
    xmldom::xml_document& doc = MsgBoxTemplate();
    doc.reset();
    doc.append_copy(element);
    return TRUE;
}

xmldom::xml_node SApplication::GetMsgBoxTemplate()
{
    return MsgBoxTemplate().first_child();
}

void SApplication::LoadNamedIdTable(const NamedIdRecord* records, int count, BOOL sorted)
{
    m_namedIds.Init(records, count, sorted);
}

int SApplication::Run(HWND mainWnd)
{
    m_mainWnd = mainWnd;
    const int result = m_msgLoop ? m_msgLoop->Run() : 0;
    if (mainWnd && IsWindow(mainWnd))
        DestroyWindow(mainWnd);
    return result;
}

SObjDefAttr* SApplication::GetCurrentObjDefAttr() const
{
    const SUiDef* uidef = Singleton<SUiDef>(SINGLETON_UIDEF);
    IUiDefInfo* current = uidef ? uidef->GetUiDef() : nullptr;
    return current ? current->GetObjDefAttr() : nullptr;
}

BOOL UpdateLayeredWindowByInfo(HWND hwnd, const UPDATELAYEREDWINDOWINFO* info)
{
    if (!g_updateLayeredWindow) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    if (!info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return g_updateLayeredWindow(hwnd, info->hdcDst, const_cast<POINT*>(info->pptDst), const_cast<SIZE*>(info->psize),
                                 info->hdcSrc, const_cast<POINT*>(info->pptSrc), info->crKey,
                                 const_cast<BLENDFUNCTION*>(info->pblend), info->dwFlags);
}

} // namespace DUI
