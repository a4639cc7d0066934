#include "dui/core/base/SObjectFactoryMgr.h"

#include <cwchar>

#include "dui/core/base/DuiLog.h"
#include "dui/core/base/SObjDefAttr.h"

namespace DUI {

SObjectFactoryMgr::SObjectFactoryMgr() : m_factories(&SObjectFactoryMgr::DeleteFactory) {}

void SObjectFactoryMgr::DeleteFactory(SObjectFactory** factory)
{
    delete *factory;
}

// A factory registered under a kind that makes something else: the caller
// could not release it as what it asked for, so it goes back here.
void SObjectFactoryMgr::ReleaseObject(IObject* object)
{
    if (auto* ref = dynamic_cast<IObjRef*>(object))
        ref->Release();
    else
        delete object;
}

BOOL SObjectFactoryMgr::RegisterFactory(const SObjectFactory& factory, BOOL replace)
{
    const SObjectInfo key = factory.GetObjectInfo();
    // A class without a tag could never be asked for by any layout.
    if (!key.IsValid())
        return FALSE;
    if (m_factories.HasKey(key)) {
        if (!replace)
            return FALSE;
        UnregisterFactory(key);
    }
    m_factories.SetAt(key, factory.Clone());
    return TRUE;
}

BOOL SObjectFactoryMgr::UnregisterFactory(const SObjectInfo& key)
{
    SObjectFactory* factory = nullptr;
    if (!m_factories.Lookup(key, factory))
        return FALSE;
    delete factory;
    m_factories.RemoveKey(key);
    return TRUE;
}

IObject* SObjectFactoryMgr::CreateObject(const SObjectInfo& key)
{
    SObjectFactory* factory = nullptr;
    if (!m_factories.Lookup(key, factory)) {
        WriteLog("dui\\src\\core\\sobjectfactory", 61, "DUI::SObjectFactoryMgr::CreateObject",
                 L"Warning: no object %s of type:%d in DUI!!", key.Name().c_str(), key.Kind());
        return nullptr;
    }
    IObject* object = factory->NewObject();
    ApplyDefaultAttributes(object);
    return object;
}

SObjectInfo SObjectFactoryMgr::GetBaseObjectInfo(const SObjectInfo& key) const
{
    SObjectFactory* factory = nullptr;
    if (!m_factories.Lookup(key, factory))
        return SObjectInfo();
    LPCWSTR base = factory->BaseClassName();
    if (!base || std::wcscmp(base, key.Name()) == 0)
        return SObjectInfo();
    return SObjectInfo(base, key.Kind());
}

void SObjectFactoryMgr::ApplyDefaultAttributes(IObject* object)
{
    if (!object || object->GetObjectKind() != Window_Kind)
        return;
    SObjDefAttr* table = GetCurrentObjDefAttr();
    if (!table)
        return;
    xmldom::xml_node defaults = table->GetDefAttribute(object->GetClassTag());
    if (!defaults)
        return;
    // "class" brings a whole style, so it goes first and the class's other
    // defaults refine it, wherever it is written.
    xmldom::xml_attribute cls = defaults.attribute(L"class", false);
    if (cls) {
        cls.set_skip_mark(1);
        object->SetAttribute(SStringW(L"class"), SStringW(cls.value()), TRUE);
    }
    for (xmldom::xml_attribute attr = defaults.first_attribute(); attr; attr = attr.next_attribute()) {
        if (attr.skip_mark() == 0)
            object->SetAttribute(SStringW(attr.name()), SStringW(attr.value()), TRUE);
    }
    if (cls)
        cls.set_skip_mark(0);
}

SObjectInfo SObjectFactoryMgr::WindowKey(LPCWSTR tag)
{
    const SStringW whole(tag);
    const int dot = whole.ReverseFind(L'.');
    return SObjectInfo(dot >= 0 ? whole.Left(dot) : whole, Window_Kind);
}

IObject* SObjectFactoryMgr::NewWindowObjectByTag(LPCWSTR tag)
{
    const SStringW whole(tag);
    IObject* object = CreateObject(WindowKey(tag));
    if (object && whole.ReverseFind(L'.') >= 0)
        object->SetAttribute(SStringW(L"class"), whole, TRUE);
    return object;
}

template <class T>
T* SObjectFactoryMgr::ConvertOrRelease(IObject* object, const SObjectInfo& key,
                                       T* (SObjectFactory::*convert)(IObject*) const) const
{
    if (!object)
        return nullptr;
    SObjectFactory* factory = nullptr;
    T* typed = m_factories.Lookup(key, factory) ? (factory->*convert)(object) : nullptr;
    if (!typed)
        ReleaseObject(object);
    return typed;
}

SWindow* SObjectFactoryMgr::NewWindowByTag(LPCWSTR tag)
{
    return ConvertOrRelease(NewWindowObjectByTag(tag), WindowKey(tag), &SObjectFactory::AsWindow);
}

ISkinObj* SObjectFactoryMgr::NewSkinByTag(LPCWSTR tag)
{
    if (!tag)
        return nullptr;
    const SObjectInfo key(tag, Skin_Kind);
    return ConvertOrRelease(CreateObject(key), key, &SObjectFactory::AsSkin);
}

IInterpolator* SObjectFactoryMgr::NewInterpolatorByTag(LPCWSTR tag)
{
    IObject* object = CreateObject(SObjectInfo(tag, Interpolator_Kind));
    if (!object)
        return nullptr;
    auto* interpolator = dynamic_cast<IInterpolator*>(object);
    if (!interpolator)
        ReleaseObject(object);
    return interpolator;
}

} // namespace DUI
