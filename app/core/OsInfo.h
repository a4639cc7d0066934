#pragma once
// The running Windows product name, which crash reports carry.
#include <string>

// The facts the product name is chosen from.
struct OsVersionFacts {
    unsigned long major = 0;
    unsigned long minor = 0;
    unsigned long build = 0;
    unsigned long platformId = 0;
    unsigned char productType = 0;      // 1 = workstation
    unsigned short processorArch = 0;   // 9 = x64
    int serverR2 = 0;                   // GetSystemMetrics(SM_SERVERR2)
};

[[nodiscard]] bool QueryRtlVersion();
std::wstring GetOSProductName();
// The name for given facts; "unknown" for combinations not in the table.
std::wstring OsProductNameFor(const OsVersionFacts& facts);
