#pragma once
// Loads one component DLL from the build's bin folder and asks its
// SCreateInstance export for the main object, as the program does.
#include <windows.h>
#include <string>

namespace testcomp {

class ComponentLoader
{
public:
    explicit ComponentLoader(const wchar_t* dllName);
    ~ComponentLoader();
    ComponentLoader(const ComponentLoader&) = delete;
    ComponentLoader& operator=(const ComponentLoader&) = delete;

    // The new object with one reference, or null.
    template <class T>
    T* Create() const
    {
        void* out = nullptr;
        return m_create && m_create(&out) ? static_cast<T*>(out) : nullptr;
    }

private:
    using CreateFn = BOOL (*)(void**);
    HMODULE m_module = nullptr;
    CreateFn m_create = nullptr;
};

} // namespace testcomp
