#pragma once
// The class registry: turns a class tag and a kind into a new object through
// the factory registered for them, and gives new windows the default
// attributes of the current UI definition. The application's registry is
// reachable through its class, so that window trees can create their children.
#include "dui/core/base/IInterpolator.h"
#include "dui/core/base/SCmnMap.h"
#include "dui/core/base/SObjectFactory.h"
#include "dui/core/base/SSingleton2.h"

namespace DUI {

class SObjDefAttr;
class SWindow;
struct ISkinObj;

class SObjectFactoryMgr : public SSingleton2<SObjectFactoryMgr>
{
public:
    SObjectFactoryMgr();
    ~SObjectFactoryMgr() override = default;
    SObjectFactoryMgr(const SObjectFactoryMgr&) = delete;
    SObjectFactoryMgr& operator=(const SObjectFactoryMgr&) = delete;

    // Stores a clone; the caller keeps its own factory.
    virtual BOOL RegisterFactory(const SObjectFactory& factory, BOOL replace = FALSE);
    template <class T>
    BOOL TplRegisterFactory(BOOL replace = FALSE)
    {
        return RegisterFactory(TplSObjectFactory<T>(), replace);
    }
    BOOL UnregisterFactory(const SObjectInfo& key);

    virtual IObject* CreateObject(const SObjectInfo& key);
    SObjectInfo GetBaseObjectInfo(const SObjectInfo& key) const;

    // A window tag may carry a style after its last dot ("imgbtn.close");
    // the class is the text before it and the whole tag becomes "class".
    IObject* NewWindowObjectByTag(LPCWSTR tag);
    // Creation by tag, holding the creation reference; NULL when the tag
    // names no class of that kind. Virtual so that a program's application
    // may make objects of its own wherever the framework makes them.
    virtual SWindow* NewWindowByTag(LPCWSTR tag);
    virtual ISkinObj* NewSkinByTag(LPCWSTR tag);
    virtual IInterpolator* NewInterpolatorByTag(LPCWSTR tag);

    // The "objattr" defaults of a window's class chain, "class" first; other
    // kinds of object get none.
    void ApplyDefaultAttributes(IObject* object);

    // Frees an object made by a factory whatever its family.
    static void ReleaseObject(IObject* object);

protected:
    // The default-attribute table of the current UI definition, or null.
    virtual SObjDefAttr* GetCurrentObjDefAttr() const { return nullptr; }

private:
    static void DeleteFactory(SObjectFactory** factory);
    // The class part of a window tag: the text before its last dot.
    static SObjectInfo WindowKey(LPCWSTR tag);
    // The object as the registered factory of `key` converts it, or NULL
    // with the object released.
    template <class T>
    T* ConvertOrRelease(IObject* object, const SObjectInfo& key,
                        T* (SObjectFactory::*convert)(IObject*) const) const;

    SCmnMap<SObjectFactory*, SObjectInfo> m_factories;
};

} // namespace DUI
