#pragma once
// One owner for every Win32 handle: the traits name the "none" value and the
// call that gives the handle back, so no handle is released two ways.
#include <utility>

#include <winsock2.h>
#include <windows.h>

namespace DUI {

template <typename Traits>
class SHandle
{
public:
    using Type = typename Traits::Type;

    SHandle() = default;
    explicit SHandle(Type handle) : m_handle(handle) {}
    ~SHandle() { Reset(); }
    SHandle(const SHandle&) = delete;
    SHandle& operator=(const SHandle&) = delete;
    SHandle(SHandle&& other) noexcept : m_handle(other.Release()) {}
    SHandle& operator=(SHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    Type Get() const { return m_handle; }
    operator Type() const { return m_handle; }
    explicit operator bool() const { return m_handle != Traits::Invalid(); }
    Type Release() { return std::exchange(m_handle, Traits::Invalid()); }
    void Reset(Type handle = Traits::Invalid())
    {
        if (handle == m_handle)
            return;
        Type old = std::exchange(m_handle, handle);
        if (old != Traits::Invalid())
            Traits::Close(old);
    }
    // For APIs that fill in a handle; the current one is closed first.
    Type* Put()
    {
        Reset();
        return &m_handle;
    }

private:
    Type m_handle = Traits::Invalid();
};

// Traits by their release call. Most handles mean "none" by null; file and
// find handles by INVALID_HANDLE_VALUE.
enum class SNone { Null, InvalidHandleValue };

template <typename T, auto CloseFn, SNone None = SNone::Null>
struct SHandleTraits {
    using Type = T;
    static Type Invalid()
    {
        if constexpr (None == SNone::InvalidHandleValue)
            return INVALID_HANDLE_VALUE;
        else
            return nullptr;
    }
    static void Close(Type h) { CloseFn(h); }
};

// Process, thread, event and job handles.
using SKernelHandleTraits = SHandleTraits<HANDLE, &CloseHandle>;
using SFileHandleTraits = SHandleTraits<HANDLE, &CloseHandle, SNone::InvalidHandleValue>;
using SFindHandleTraits = SHandleTraits<HANDLE, &FindClose, SNone::InvalidHandleValue>;
using SRegKeyTraits = SHandleTraits<HKEY, &RegCloseKey>;
template <typename T>
using SGdiObjectTraits = SHandleTraits<T, &DeleteObject>;
// Memory DCs made with CreateCompatibleDC; window DCs go back through SWindowDC.
using SMemDCTraits = SHandleTraits<HDC, &DeleteDC>;
using SIconTraits = SHandleTraits<HICON, &DestroyIcon>;
// Libraries loaded with LoadLibraryW.
using SModuleTraits = SHandleTraits<HMODULE, &FreeLibrary>;
// Private heaps made with HeapCreate.
using SHeapTraits = SHandleTraits<HANDLE, &HeapDestroy>;
// Menus made with CreateMenu or CreatePopupMenu that no window holds.
using SMenuTraits = SHandleTraits<HMENU, &DestroyMenu>;

using SKernelHandle = SHandle<SKernelHandleTraits>;
using SFileHandle = SHandle<SFileHandleTraits>;
using SFindHandle = SHandle<SFindHandleTraits>;
using SRegKey = SHandle<SRegKeyTraits>;
template <typename T>
using SGdiObject = SHandle<SGdiObjectTraits<T>>;
using SMemDC = SHandle<SMemDCTraits>;
using SIconHandle = SHandle<SIconTraits>;
using SModuleHandle = SHandle<SModuleTraits>;
using SHeapHandle = SHandle<SHeapTraits>;
using SMenuHandle = SHandle<SMenuTraits>;

// A window's DC: ReleaseDC needs the window too, so it has an owner of its own.
class SWindowDC
{
public:
    explicit SWindowDC(HWND hwnd) : m_hwnd(hwnd), m_dc(::GetDC(hwnd)) {}
    ~SWindowDC()
    {
        if (m_dc)
            ::ReleaseDC(m_hwnd, m_dc);
    }
    SWindowDC(const SWindowDC&) = delete;
    SWindowDC& operator=(const SWindowDC&) = delete;

    HDC Get() const { return m_dc; }
    operator HDC() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

} // namespace DUI
