#pragma once
// Owns one kernel handle (process, thread, pipe, job) and closes it once.
// Both null and INVALID_HANDLE_VALUE count as "no handle".
#include <winsock2.h>
#include <windows.h>

#include <utility>

class CScopedHandle {
public:
    CScopedHandle() = default;
    explicit CScopedHandle(HANDLE handle) : m_handle(handle) {}
    ~CScopedHandle() { Reset(); }
    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;
    CScopedHandle(CScopedHandle&& other) noexcept : m_handle(other.Release()) {}
    CScopedHandle& operator=(CScopedHandle&& other) noexcept
    {
        if (this != &other) Reset(other.Release());
        return *this;
    }

    HANDLE Get() const { return m_handle; }
    bool IsValid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }
    explicit operator bool() const { return IsValid(); }

    void Reset(HANDLE handle = nullptr)
    {
        if (IsValid()) CloseHandle(m_handle);
        m_handle = handle;
    }

    HANDLE Release() { return std::exchange(m_handle, nullptr); }

private:
    HANDLE m_handle = nullptr;
};
