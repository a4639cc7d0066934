#pragma once
// The program's one way into the account-service library orvik.dll: loads
// it, keeps the product's strings, hands them to the library once and gives
// out the library's interfaces; builds the addresses of the account pages.
// Created, initialised and destroyed on the user-interface thread; the crash
// report reads through it from whatever thread crashed.
#include <string>

#include "app/online/IOrvikExport.h"
#include "dui/core/base/TStringT.h"

class CAccountService {
public:
    // Made on first use; a missing library (or one without GetOrvikExport)
    // shows "can't load orvik" and ends the process with -1.
    static CAccountService* Instance();
    // The tear-down: Unload, free the object, forget it.
    static void DestroyInstance();
    // The once-flag: set by Init.
    static bool IsInitialised();

    CAccountService(const CAccountService&) = delete;
    CAccountService& operator=(const CAccountService&) = delete;

    bool Init(const std::wstring& productName, const std::wstring& settingsPath, const std::wstring& versionCode,
              const std::wstring& code, const std::wstring& productCode, const std::wstring& applicationKey,
              const std::wstring& accountServiceBase, const std::wstring& secondServiceBase,
              const std::wstring& productWebPage, const std::wstring& productVersionId,
              const std::wstring& applicationKey2, const std::wstring& spare1, const std::wstring& spare2,
              const std::wstring& spare3, const std::wstring& spare4);

    // The root is asked anew each time; null only once the library is unloaded.
    IOrvikExport* GetRoot() const;
    IOrvikUrlBuilder* GetUrlBuilder() const;
    IOrvikProductInfo* GetProductInfo() const;
    IOrvikServerInfo* GetServerInfo() const;
    IOrvikUserInfo* GetUserInfo() const;
    IOrvikStatistics* GetStatistics() const;
    bool IsLibraryLoaded() const { return m_module != nullptr; }

    DUI::SStringW GetLoginPageUrl() const;
    DUI::SStringW GetUserCenterPageUrl() const;
    DUI::SStringW GetAboutPageUrl() const;
    DUI::SStringW GetFeedbackPageUrl() const;

    const std::wstring& AccountServiceBase() const { return m_accountServiceBase; }
    const std::wstring& SecondServiceBase() const { return m_secondServiceBase; }

    // Releases the library's statistics and root, frees the library, empties the strings.
    void Unload();

private:
    CAccountService();
    ~CAccountService();

    DUI::SStringW AccountPageUrl(const wchar_t* path) const;

    HMODULE m_module = nullptr;
    GetOrvikExportFn m_export = nullptr;

    std::wstring m_productName;
    std::wstring m_versionCode;
    std::wstring m_code;
    std::wstring m_productCode;
    std::wstring m_applicationKey;
    std::wstring m_accountServiceBase;
    std::wstring m_spare1;
    std::wstring m_spare2;
    std::wstring m_spare3;
    std::wstring m_secondServiceBase;
    std::wstring m_productWebPage;
    std::wstring m_productVersionId;
    std::wstring m_applicationKey2;
    std::wstring m_spare4;
};

// "theme" of every page record.
extern const std::wstring PageTheme;
