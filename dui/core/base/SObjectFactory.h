#pragma once
// The factory of one class, and the one template every class uses for it.
// A factory is usually made on the stack to be registered; the registry
// keeps a clone.
#include "dui/core/base/IObject.h"
#include "dui/core/base/SObjectInfo.h"

namespace DUI {

class SObjectFactory
{
public:
    virtual ~SObjectFactory() = default;
    virtual IObject* NewObject() const = 0;
    virtual LPCWSTR BaseClassName() const = 0;
    virtual SObjectInfo GetObjectInfo() const = 0;
    virtual SObjectFactory* Clone() const = 0;
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
};

} // namespace DUI
