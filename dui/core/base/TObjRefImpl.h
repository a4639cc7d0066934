#pragma once
// Stock implementations of IObjRef. TObjRefImpl sits over an interface that
// derives from IObjRef; TObjRefImpl2 serves classes where IObjRef is not the
// first base and must delete the whole object C on the last release.
#include "dui/core/base/IObjRef.h"

namespace DUI {

template <class T>
class TObjRefImpl : public T
{
public:
    using T::T;
    TObjRefImpl() = default;
    virtual ~TObjRefImpl() = default;

    long AddRef() override { return InterlockedIncrement(&m_refs); }

    long Release() override
    {
        const long left = InterlockedDecrement(&m_refs);
        if (left == 0)
            OnLastRelease();
        return left;
    }

    void OnLastRelease() override { delete this; }

    long GetRefCount() const { return m_refs; }

private:
    volatile long m_refs = 1;
};

template <class T, class C>
class TObjRefImpl2 : public TObjRefImpl<T>
{
public:
    void OnLastRelease() override { delete static_cast<C*>(this); }
};

} // namespace DUI
