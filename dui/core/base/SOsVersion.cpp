#include "dui/core/base/SOsVersion.h"

#include <vector>

namespace DUI {

namespace {

using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);

// ntdll is in every process and never unloads: the entry point is looked
// up once.
RtlGetVersionFn RtlGetVersionEntry()
{
    static const RtlGetVersionFn entry = [] {
        HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
        return ntdll ? reinterpret_cast<RtlGetVersionFn>(
                           reinterpret_cast<void*>(::GetProcAddress(ntdll, "RtlGetVersion")))
                     : nullptr;
    }();
    return entry;
}

} // namespace

BOOL ReadRtlVersion(OSVERSIONINFOEXW& info)
{
    info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    const RtlGetVersionFn entry = RtlGetVersionEntry();
    return entry && entry(&info) == 0;
}

NtVersion ReadNtdllVersion()
{
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(L"ntdll.dll", &ignored);
    if (size == 0)
        return {};
    std::vector<BYTE> block(size);
    if (!::GetFileVersionInfoW(L"ntdll.dll", 0, size, block.data()))
        return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) || !info ||
        length < sizeof(VS_FIXEDFILEINFO))
        return {};
    return NtVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS), HIWORD(info->dwFileVersionLS)};
}

} // namespace DUI
