#pragma once
// For a test that must use the program's real data folder (<common app
// data>\VeskPDF2Image): tests in other processes that use it wait their turn,
// and whatever the test made there is removed again, on failure too.
#include <winsock2.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "app/core/AppPaths.h"
#include "app/core/SStringBridge.h"

class AppDataGuard {
public:
    AppDataGuard() : m_lock(CreateMutexW(nullptr, FALSE, L"VeskTestsAppDataFolder"))
    {
        // An abandoned lock (its holder crashed) is ours all the same.
        if (m_lock) WaitForSingleObject(m_lock, INFINITE);
        for (Entry& e : m_entries) e.existed = std::filesystem::exists(e.path);
    }
    ~AppDataGuard()
    {
        std::error_code ignored;
        for (const Entry& e : m_entries)
            if (!e.existed) std::filesystem::remove_all(e.path, ignored);
        if (m_lock) {
            ReleaseMutex(m_lock);
            CloseHandle(m_lock);
        }
    }
    AppDataGuard(const AppDataGuard&) = delete;
    AppDataGuard& operator=(const AppDataGuard&) = delete;

private:
    struct Entry {
        std::filesystem::path path;
        bool existed = false;
    };

    HANDLE m_lock;
    // Inner entries first: an outer folder is removed only when it is new.
    Entry m_entries[4] = {{ToStdString(GetAppDataDir()) + L"config.ini"},
                          {ToStdString(GetWatermarkDir())},
                          {ToStdString(GetAppDataDir()) + L"module-image"},
                          {ToStdString(GetAppDataDir())}};
};
