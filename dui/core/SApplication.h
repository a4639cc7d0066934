#pragma once
// The hub of the framework, one per program: it is the resource-provider
// manager and the class registry, owns the framework's singletons, the
// render factory, the translator, the tooltip and message-loop factories and
// the named-ID table, and runs the main message loop.
#include "dui/core/IAttrStorageFactory.h"
#include "dui/core/base/ILogMgr.h"
#include "dui/core/IMsgLoopFactory.h"
#include "dui/core/IRealWndHandler.h"
#include "dui/core/IScriptFactory.h"
#include "dui/core/base/IRender.h"
#include "dui/core/ISystemObjectRegister.h"
#include "dui/core/IToolTipFactory.h"
#include "dui/res.mgr/ITranslator.h"
#include "dui/core/base/SNamedID.h"
#include "dui/core/base/SObjectFactoryMgr.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/core/base/SSingleton2.h"
#include "dui/core/base/TStringT.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

class SMessageLoop;

// Indexes of GetSingletonByIndex.
enum SingletonIndex
{
    SINGLETON_UIDEF = 0,
    SINGLETON_WINDOWMGR,
    SINGLETON_TIMER,
    SINGLETON_SCRIPTTIMER,
    SINGLETON_FONTPOOL,
    SINGLETON_STYLEPOOLMGR,
    SINGLETON_TEMPLATEPOOLMGR,
    SINGLETON_SKINPOOLMGR,
    SINGLETON_WINDOWFINDER,
    SINGLETON_TEXTSERVICEHELPER,
    SINGLETON_RICHEDITMENUDEF,
    SINGLETON_SIMPLEWNDHELPER,
    SINGLETON_COUNT
};

class SApplication : public SSingleton2<SApplication>, public SResProviderMgr, public SObjectFactoryMgr
{
public:
    // Makes the singletons and registers the registrar's classes. The
    // render factory gets a reference of the application's.
    SApplication(IPaintFactory* renderFactory, HINSTANCE module, LPCWSTR hostClassName,
                 ISystemObjectRegister* registrar, BOOL enableIme = FALSE);
    ~SApplication() override;

    // The application, while it lives.
    using SSingleton2<SApplication>::GetInstance;

    // Getters add no reference.
    SSingleton2Base* GetSingletonByIndex(int index) const;
    IPaintFactory* GetPaintFactory() const { return m_renderFactory.Get(); }
    ITranslatorMgr* GetTranslator() const;
    IToolTipFactory* GetToolTipFactory() const { return m_toolTipFactory.Get(); }
    IMsgLoopFactory* GetMsgLoopFactory() const { return m_msgLoopFactory.Get(); }
    SMessageLoop* GetMsgLoop() const { return m_msgLoop; }
    HWND GetMainWnd() const { return m_mainWnd; }
    // The program installs none of these: they stay NULL for the whole run.
    ILogMgr* GetLogger() const { return m_logger.Get(); }
    IRealWndHandler* GetRealWndHandler() const { return m_realWndHandler.Get(); }
    IAttrStorageFactory* GetAttrStorageFactory() const { return m_attrStorageFactory.Get(); }
    HINSTANCE GetModule() const { return m_module; }
    // The module file's folder, without a trailing backslash.
    const SStringW& GetAppDir() const { return m_appDir; }

    // E_FAIL without a script factory, which is always so in this program.
    HRESULT CreateScriptModule(IScriptModule** out);

    // NULL is allowed: texts and fonts then stay untranslated.
    void SetTranslator(ITranslatorMgr* translator);
    SStringW TranslateText(const SStringW& text, const SStringW& context) const;

    BOOL LoadXml(xmldom::xml_document& doc, LPCWSTR name, LPCWSTR type);
    // Loads the framework's own skins, rich-edit menu and message-box
    // template from the provider. Bits of what failed: 1 skins, 2 menu,
    // 4 message box; 0 when all loaded.
    int LoadSystemNamedResource(IResProvider* provider);
    // Takes a copy of a "DUI" element that has a "minSize"; FALSE otherwise.
    BOOL SetMsgBoxTemplate(xmldom::xml_node element);
    static xmldom::xml_node GetMsgBoxTemplate();

    // Replaces the named-ID table; sorted TRUE trusts the records' order.
    void LoadNamedIdTable(const NamedIdRecord* records, int count, BOOL sorted);
    int GetIdByName(LPCWSTR name) const { return m_namedIds.Get(name); }

    // Runs the main loop for the window and destroys the window, if it still
    // lives, once the loop has returned. Returns the loop's result.
    int Run(HWND mainWnd);

protected:
    SObjDefAttr* GetCurrentObjDefAttr() const override;

private:
    void CreateSingletons(HINSTANCE module, LPCWSTR hostClassName, BOOL enableIme);
    void DestroySingletons();
    template <class T>
    T* Singleton(SingletonIndex index) const
    {
        return static_cast<T*>(m_singletons[index]);
    }

    SRefPtr<IRealWndHandler> m_realWndHandler;
    SRefPtr<IScriptFactory> m_scriptFactory;
    SRefPtr<IPaintFactory> m_renderFactory;
    SRefPtr<IToolTipFactory> m_toolTipFactory;
    SRefPtr<IMsgLoopFactory> m_msgLoopFactory;
    SRefPtr<ILogMgr> m_logger;
    SRefPtr<IAttrStorageFactory> m_attrStorageFactory;
    SNamedID m_namedIds;
    SStringW m_appDir;
    HINSTANCE m_module = nullptr;
    HWND m_mainWnd = nullptr;
    SMessageLoop* m_msgLoop = nullptr;
    SSingleton2Base* m_singletons[SINGLETON_COUNT] = {};
};

// The layered-window update of host painting, through the UpdateLayeredWindow
// the application found in user32 when it was made. The dirty rectangle is
// not passed on. FALSE (ERROR_PROC_NOT_FOUND) when there is none to call.
BOOL UpdateLayeredWindowByInfo(HWND hwnd, const UPDATELAYEREDWINDOWINFO* info);

} // namespace DUI
