#pragma once
// Holds one reference to a framework or COM object. Taking ownership is
// explicit: Adopt keeps the caller's reference, Share adds one of its own.
#include <utility>

namespace DUI {

template <class T>
class SRefPtr
{
public:
    SRefPtr() = default;
    SRefPtr(std::nullptr_t) {}
    SRefPtr(const SRefPtr& other) : m_p(other.m_p) { if (m_p) m_p->AddRef(); }
    SRefPtr(SRefPtr&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}
    ~SRefPtr() { if (m_p) m_p->Release(); }

    static SRefPtr Adopt(T* p) { SRefPtr r; r.m_p = p; return r; }
    static SRefPtr Share(T* p) { if (p) p->AddRef(); return Adopt(p); }

    SRefPtr& operator=(const SRefPtr& other) { Reset(other.m_p); return *this; }
    SRefPtr& operator=(SRefPtr&& other) noexcept
    {
        if (this != &other) {
            T* old = std::exchange(m_p, std::exchange(other.m_p, nullptr));
            if (old) old->Release();
        }
        return *this;
    }

    // Setter rule of the framework: the object already held is left alone,
    // otherwise the new one gains a reference and the old one loses its own.
    void Reset(T* p = nullptr)
    {
        if (p == m_p) return;
        if (p) p->AddRef();
        T* old = std::exchange(m_p, p);
        if (old) old->Release();
    }

    T* Detach() { return std::exchange(m_p, nullptr); }
    // For calls that hand out a new reference through an out-parameter; the
    // object held so far is released first.
    T** Put()
    {
        Reset();
        return &m_p;
    }
    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    T& operator*() const { return *m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

// COM interfaces follow the same rule as the framework's objects: a creating
// call hands over one reference.
template <class T>
using SComPtr = SRefPtr<T>;

} // namespace DUI
