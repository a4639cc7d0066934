#pragma once
// The stack of skin pools of everything alive, newest first, with the
// built-in pool of the framework's system skins always at the bottom. Skins
// are made by class tag through the application's class registry.
#include "dui/core/base/SRefPtr.h"
#include "dui/core/base/SSingleton2.h"
#include "dui/res.mgr/SPoolStack.h"
#include "dui/res.mgr/SSkinPool.h"

namespace DUI {

class SObjectFactoryMgr;
struct IObject;

class SSkinPoolMgr : public SSingleton2<SSkinPoolMgr>, public SPoolStack<SSkinPool>
{
public:
    explicit SSkinPoolMgr(SObjectFactoryMgr* registry);
    ~SSkinPoolMgr() override;

    ISkinObj* GetSkin(const SStringW& name, int scale);
    // Index 0-34 of the system skin table, from the built-in pool only.
    ISkinObj* GetSystemSkin(int index, int scale);
    void PushSkinPool(SSkinPool* pool) { PushPool(pool); }
    // The built-in pool is never popped this way (NULL is returned).
    SSkinPool* PopSkinPool(SSkinPool* pool);
    SSkinPool* GetBuiltinPool() const { return m_builtin.Get(); }

    // A new skin of class `tag` through the class registry, or NULL for tags
    // of other kinds.
    ISkinObj* NewSkinByTag(LPCWSTR tag) const;

private:
    SObjectFactoryMgr* m_registry;
    SRefPtr<SSkinPool> m_builtin;
};

} // namespace DUI
