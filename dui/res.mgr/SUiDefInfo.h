#pragma once
// One loaded UI definition ("uidef" XML): the default font, named strings
// and colours, and the skin, style and template pools and per-class default
// attributes it declares. SUiDef holds the current one.
#include "dui/core/base/SObjDefAttr.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/core/base/SSingleton2.h"
#include "dui/res.mgr/FontInfo.h"
#include "dui/res.mgr/IResProvider.h"
#include "dui/res.mgr/SNamedValue.h"
#include "dui/res.mgr/SSkinPool.h"
#include "dui/res.mgr/SStylePool.h"

namespace DUI {

class SObjectFactoryMgr;

struct IUiDefInfo : IObjRef
{
    virtual void SetSkinPool(SSkinPool* pool) = 0;
    virtual SSkinPool* GetSkinPool() = 0;
    virtual void SetStylePool(SStylePool* pool) = 0;
    virtual SStylePool* GetStylePool() = 0;
    virtual void SetObjDefAttr(SObjDefAttr* table) = 0;
    virtual SObjDefAttr* GetObjDefAttr() = 0;
    virtual STemplatePool* GetTemplatePool() = 0;
    virtual void SetTemplatePool(STemplatePool* pool) = 0;
    virtual SNamedColor& GetNamedColor() = 0;
    virtual SNamedString& GetNamedString() = 0;
    virtual SNamedDimension& GetNamedDimension() = 0;
    virtual const FontInfo& GetDefFontInfo() = 0;

protected:
    virtual ~IUiDefInfo() = default;
};

class SUiDefInfo : public TObjRefImpl<IUiDefInfo>
{
public:
    explicit SUiDefInfo(const SObjectFactoryMgr* registry) : m_registry(registry) {}

    void SetSkinPool(SSkinPool* pool) override { m_skinPool.Reset(pool); }
    SSkinPool* GetSkinPool() override { return m_skinPool.Get(); }
    void SetStylePool(SStylePool* pool) override { m_stylePool.Reset(pool); }
    SStylePool* GetStylePool() override { return m_stylePool.Get(); }
    void SetObjDefAttr(SObjDefAttr* table) override { m_objDefAttr.Reset(table); }
    SObjDefAttr* GetObjDefAttr() override { return m_objDefAttr.Get(); }
    STemplatePool* GetTemplatePool() override { return m_templatePool.Get(); }
    void SetTemplatePool(STemplatePool* pool) override { m_templatePool.Reset(pool); }
    SNamedColor& GetNamedColor() override { return m_colors; }
    SNamedString& GetNamedString() override { return m_strings; }
    SNamedDimension& GetNamedDimension() override { return m_dims; }
    const FontInfo& GetDefFontInfo() override { return m_defFont; }

    // Loads the definition `id` ("type:name") from `provider`.
    BOOL Init(IResProvider* provider, LPCWSTR id);

private:
    void ReadFont(xmldom::xml_node font);
    void ReadSections(IResProvider* provider, xmldom::xml_node uidef);

    const SObjectFactoryMgr* m_registry;
    SRefPtr<SSkinPool> m_skinPool;
    SRefPtr<SStylePool> m_stylePool;
    SRefPtr<SObjDefAttr> m_objDefAttr;
    SRefPtr<STemplatePool> m_templatePool;
    SNamedColor m_colors;
    SNamedString m_strings;
    SNamedDimension m_dims;
    FontInfo m_defFont;
};

// The current UI definition of the application.
class SUiDef : public SSingleton2<SUiDef>
{
public:
    explicit SUiDef(const SObjectFactoryMgr* registry) : m_registry(registry) {}
    IUiDefInfo* GetUiDef() const { return m_current.Get(); }
    void SetUiDef(IUiDefInfo* def) { m_current.Reset(def); }

    // A new definition loaded while it is current (so what it creates
    // resolves against it), with its creation reference.
    IUiDefInfo* CreateUiDefInfo(IResProvider* provider, LPCWSTR id);
    // CreateUiDefInfo, then its pools pushed onto their stacks.
    IUiDefInfo* LoadUiDef(IResProvider* provider, LPCWSTR id);

private:
    const SObjectFactoryMgr* m_registry;
    SRefPtr<IUiDefInfo> m_current;
};

} // namespace DUI
