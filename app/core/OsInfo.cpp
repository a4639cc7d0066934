#include "app/core/OsInfo.h"

#include <mutex>

#include <winsock2.h>
#include <windows.h>

#include "dui/core/base/SOsVersion.h"

namespace {

struct OsVersionRecord {
    OSVERSIONINFOEXW info{};
    bool ok = false;
};

OsVersionRecord& Record()
{
    static OsVersionRecord record;
    return record;
}

std::mutex& RecordLock()
{
    static std::mutex lock;
    return lock;
}

struct NameRow {
    unsigned long major, minor;
    const wchar_t* workstation;
    const wchar_t* server;
};

// Versions whose name depends only on the product type.
const NameRow kByProductType[] = {
    {6, 0, L"Microsoft Windows Vista", L"Microsoft Windows Server 2008"},
    {6, 1, L"Microsoft Windows 7", L"Microsoft Windows Server 2008 R2"},
    {6, 2, L"Microsoft Windows 8", L"Microsoft Windows Server 2012"},
    {6, 3, L"Microsoft Windows 8.1", L"Microsoft Windows Server 2012 R2"},
    {10, 0, L"Microsoft Windows 10", L"Microsoft Windows Server 2016 Technical Preview"},
};

const wchar_t* LegacyName(const OsVersionFacts& f)
{
    if (f.major == 4 && f.minor == 0)
        return f.platformId == 2 ? L"Microsoft Windows NT 4.0"
             : f.platformId == 1 ? L"Microsoft Windows 95" : nullptr;
    if (f.major == 4 && f.minor == 10) return L"Microsoft Windows 98";
    if (f.major == 4 && f.minor == 90) return L"Microsoft Windows Me";
    if (f.major == 5 && f.minor == 0) return L"Microsoft Windows 2000";
    if (f.major == 5 && f.minor == 1) return L"Microsoft Windows XP";
    if (f.major == 5 && f.minor == 2) {
        if (f.productType == VER_NT_WORKSTATION && f.processorArch == PROCESSOR_ARCHITECTURE_AMD64)
            return L"Microsoft Windows XP Professional x64 Edition";
        return f.serverR2 == 0 ? L"Microsoft Windows Server 2003" : L"Microsoft Windows Server 2003 R2";
    }
    return nullptr;
}

} // namespace

bool QueryRtlVersion()
{
    std::lock_guard<std::mutex> guard(RecordLock());
    OsVersionRecord& r = Record();
    if (r.ok)
        return true;
    r.ok = DUI::ReadRtlVersion(r.info) != FALSE;
    return r.ok;
}

std::wstring OsProductNameFor(const OsVersionFacts& f)
{
    if (f.build >= 21996)
        return L"Microsoft Windows 11";
    if (const wchar_t* legacy = LegacyName(f))
        return legacy;
    for (const NameRow& row : kByProductType) {
        if (row.major == f.major && row.minor == f.minor)
            return f.productType == VER_NT_WORKSTATION ? row.workstation : row.server;
    }
    return L"unknown";
}

std::wstring GetOSProductName()
{
    SYSTEM_INFO system{};
    GetNativeSystemInfo(&system);
    if (!QueryRtlVersion())
        return L"unknown";
    OsVersionFacts facts;
    {
        std::lock_guard<std::mutex> guard(RecordLock());
        const OSVERSIONINFOEXW& info = Record().info;
        facts.major = info.dwMajorVersion;
        facts.minor = info.dwMinorVersion;
        facts.build = info.dwBuildNumber;
        facts.platformId = info.dwPlatformId;
        facts.productType = info.wProductType;
    }
    facts.processorArch = system.wProcessorArchitecture;
    facts.serverR2 = GetSystemMetrics(SM_SERVERR2);
    return OsProductNameFor(facts);
}
