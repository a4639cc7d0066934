#pragma once
// The IUnknown of the framework's own COM objects (the rich edit's text host
// and drop target): one interface besides IUnknown, a count that deletes the
// object at zero, and a first count chosen by the owner (0 for an object the
// engine adopts, 1 for one made for its creator). Used on one thread only.
#include <winsock2.h>
#include <windows.h>
#include <unknwn.h>

namespace DUI {

template <class Interface>
class TComObject : public Interface
{
public:
    TComObject(const IID& iid, ULONG firstCount) : m_iid(iid), m_refs(firstCount) {}
    virtual ~TComObject() = default;
    TComObject(const TComObject&) = delete;
    TComObject& operator=(const TComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, m_iid)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }

private:
    const IID& m_iid;
    ULONG m_refs;
};

} // namespace DUI
