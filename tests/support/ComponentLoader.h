#pragma once
// Loads one component DLL from the build's bin folder and asks its
// SCreateInstance export for the main object, as the program does.
// Header-only: VESK_BIN_DIR is defined for each test program.
#include <winsock2.h>
#include <windows.h>
#include <string>

namespace testcomp {

class ComponentLoader
{
public:
    explicit ComponentLoader(const wchar_t* dllName)
    {
        std::wstring path = L"" VESK_BIN_DIR;
        path += L"/";
        path += dllName;
        m_module = LoadLibraryW(path.c_str());
        if (m_module)
            m_create = reinterpret_cast<CreateFn>(reinterpret_cast<void*>(GetProcAddress(m_module, "SCreateInstance")));
    }
    ~ComponentLoader()
    {
        if (m_module) FreeLibrary(m_module);
    }
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
