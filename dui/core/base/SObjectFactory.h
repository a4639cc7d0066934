#pragma once
// The factory of one class, and the one template every class uses for it.
// A factory is usually made on the stack to be registered; the registry
// keeps a clone.
#include <type_traits>

#include "dui/core/base/IObject.h"
#include "dui/core/base/SObjectInfo.h"

namespace DUI {

// The classes two kinds stand for live in the layers above; only the code
// that registers a class sees it whole, so the conversion is made there.
class SWindow;
struct ISkinObj;

class SObjectFactory
{
public:
    virtual ~SObjectFactory() = default;
    virtual IObject* NewObject() const = 0;
    virtual LPCWSTR BaseClassName() const = 0;
    virtual SObjectInfo GetObjectInfo() const = 0;
    virtual SObjectFactory* Clone() const = 0;
    // An object this factory made, as a window or a skin when its class is
    // one; NULL otherwise.
    virtual SWindow* AsWindow(IObject* object) const { return nullptr; }
    virtual ISkinObj* AsSkin(IObject* object) const { return nullptr; }
};

template <class T>
class TplSObjectFactory : public SObjectFactory
{
public:
    IObject* NewObject() const override { return static_cast<IObject*>(new T()); }
    LPCWSTR BaseClassName() const override { return T::GetBaseTagStatic(); }
    SObjectInfo GetObjectInfo() const override
    {
        return SObjectInfo(T::GetClassTagStatic(), T::GetObjectKindStatic());
    }
    SObjectFactory* Clone() const override { return new TplSObjectFactory<T>(); }
    // A class that derives from one of them is whole here, and so is its base.
    SWindow* AsWindow(IObject* object) const override
    {
        if constexpr (std::is_base_of_v<SWindow, T>)
            return dynamic_cast<SWindow*>(object);
        else
            return nullptr;
    }
    ISkinObj* AsSkin(IObject* object) const override
    {
        if constexpr (std::is_base_of_v<ISkinObj, T>)
            return dynamic_cast<ISkinObj*>(object);
        else
            return nullptr;
    }
};

} // namespace DUI
