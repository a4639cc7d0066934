#pragma once
// Where the application-core tests find the programs built beside them.
#include <winsock2.h>
#include <windows.h>

#include <filesystem>
#include <string>

inline std::wstring BinPath(const std::wstring& file)
{
    std::wstring path = std::filesystem::path(VESK_BIN_DIR).wstring() + L"\\" + file;
    for (auto& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

inline std::wstring ProbePath()
{
    return BinPath(L"core_probe.exe");
}
