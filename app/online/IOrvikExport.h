#pragma once
// The account-service library orvik.dll, as the program and our stand-in both
// see it. Its one export, GetOrvikExport, hands out the root interface.
// Callers reach every operation by its place in the interface's table, so
// each table keeps placeholders where the library has operations nobody
// calls. Texts are UTF-16; a returned text belongs to the library and stays
// valid at least until the next call of the same operation.
#include <winsock2.h>
#include <windows.h>

// Placeholders keep the numbered places of the operations that are called.
#define ORVIK_UNUSED_SLOT(n) \
    virtual void UnusedSlot##n() {}

struct IOrvikUrlBuilder {
    virtual int QueryStartup(int reserved) = 0;                             // 0
    ORVIK_UNUSED_SLOT(1) ORVIK_UNUSED_SLOT(2) ORVIK_UNUSED_SLOT(3) ORVIK_UNUSED_SLOT(4)
    ORVIK_UNUSED_SLOT(5) ORVIK_UNUSED_SLOT(6) ORVIK_UNUSED_SLOT(7)
    virtual const wchar_t* BuildPageUrl(const wchar_t* record, const wchar_t* path,
                                        const wchar_t* base) = 0;           // 8
    virtual bool OpenServicePage(const wchar_t* productTitle, const wchar_t* sourceTag,
                                 int reserved, const wchar_t* base) = 0;    // 9
    ORVIK_UNUSED_SLOT(10) ORVIK_UNUSED_SLOT(11) ORVIK_UNUSED_SLOT(12) ORVIK_UNUSED_SLOT(13)
    ORVIK_UNUSED_SLOT(14) ORVIK_UNUSED_SLOT(15) ORVIK_UNUSED_SLOT(16) ORVIK_UNUSED_SLOT(17)
    ORVIK_UNUSED_SLOT(18) ORVIK_UNUSED_SLOT(19)
    virtual const wchar_t* BuildKeyedPageUrl(const wchar_t* record, const wchar_t* path,
                                             const wchar_t* base, const wchar_t* key) = 0; // 20

protected:
    ~IOrvikUrlBuilder() = default;
};

struct IOrvikProductInfo {
    virtual const wchar_t* GetLatestVersion() = 0;                          // 0
    ORVIK_UNUSED_SLOT(1) ORVIK_UNUSED_SLOT(2) ORVIK_UNUSED_SLOT(3) ORVIK_UNUSED_SLOT(4)
    ORVIK_UNUSED_SLOT(5) ORVIK_UNUSED_SLOT(6) ORVIK_UNUSED_SLOT(7) ORVIK_UNUSED_SLOT(8)
    ORVIK_UNUSED_SLOT(9) ORVIK_UNUSED_SLOT(10)
    virtual const wchar_t* GetProductWebPage() = 0;                         // 11
    virtual void SetProductString(const wchar_t* productWebPage) = 0;       // 12
    ORVIK_UNUSED_SLOT(13) ORVIK_UNUSED_SLOT(14) ORVIK_UNUSED_SLOT(15) ORVIK_UNUSED_SLOT(16)
    ORVIK_UNUSED_SLOT(17) ORVIK_UNUSED_SLOT(18) ORVIK_UNUSED_SLOT(19) ORVIK_UNUSED_SLOT(20)
    virtual bool AdvertsEnabled() = 0;                                      // 21
    virtual bool AccountFeaturesEnabled() = 0;                              // 22
    ORVIK_UNUSED_SLOT(23) ORVIK_UNUSED_SLOT(24) ORVIK_UNUSED_SLOT(25)
    virtual const wchar_t* GetChannelText() = 0;                            // 26
    ORVIK_UNUSED_SLOT(27)
    virtual const wchar_t* GetConfigValue(const wchar_t* name) = 0;         // 28
    virtual bool CheckStartup(int startupValue) = 0;                        // 29

protected:
    ~IOrvikProductInfo() = default;
};

struct IOrvikServerInfo {
    virtual const wchar_t* GetCurrentVersion() = 0;                         // 0
    ORVIK_UNUSED_SLOT(1) ORVIK_UNUSED_SLOT(2) ORVIK_UNUSED_SLOT(3) ORVIK_UNUSED_SLOT(4)
    ORVIK_UNUSED_SLOT(5) ORVIK_UNUSED_SLOT(6) ORVIK_UNUSED_SLOT(7) ORVIK_UNUSED_SLOT(8)
    ORVIK_UNUSED_SLOT(9)
    virtual const wchar_t* GetVersionInformation() = 0;                     // 10
    virtual const wchar_t* GetMachineCode() = 0;                            // 11

protected:
    ~IOrvikServerInfo() = default;
};

struct IOrvikUserInfo {
    virtual const wchar_t* GetUserId() = 0;                                 // 0
    ORVIK_UNUSED_SLOT(1) ORVIK_UNUSED_SLOT(2) ORVIK_UNUSED_SLOT(3) ORVIK_UNUSED_SLOT(4)
    ORVIK_UNUSED_SLOT(5) ORVIK_UNUSED_SLOT(6) ORVIK_UNUSED_SLOT(7) ORVIK_UNUSED_SLOT(8)
    ORVIK_UNUSED_SLOT(9) ORVIK_UNUSED_SLOT(10) ORVIK_UNUSED_SLOT(11) ORVIK_UNUSED_SLOT(12)
    ORVIK_UNUSED_SLOT(13) ORVIK_UNUSED_SLOT(14) ORVIK_UNUSED_SLOT(15)
    virtual const wchar_t* GetDisplayName() = 0;                            // 16
    ORVIK_UNUSED_SLOT(17) ORVIK_UNUSED_SLOT(18) ORVIK_UNUSED_SLOT(19) ORVIK_UNUSED_SLOT(20)
    ORVIK_UNUSED_SLOT(21)
    // "0" before the login page opens: watch for the login; "1" at start: don't.
    virtual void SetLoginEntry(const wchar_t* entry) = 0;                   // 22
    virtual void SetStartupState(int state) = 0;                            // 23
    ORVIK_UNUSED_SLOT(24)
    virtual bool IsLoggedIn() = 0;                                          // 25
    ORVIK_UNUSED_SLOT(26) ORVIK_UNUSED_SLOT(27) ORVIK_UNUSED_SLOT(28) ORVIK_UNUSED_SLOT(29)
    ORVIK_UNUSED_SLOT(30) ORVIK_UNUSED_SLOT(31) ORVIK_UNUSED_SLOT(32) ORVIK_UNUSED_SLOT(33)
    ORVIK_UNUSED_SLOT(34) ORVIK_UNUSED_SLOT(35) ORVIK_UNUSED_SLOT(36)
    virtual void LogOut() = 0;                                              // 37
    virtual const wchar_t* GetAccountKindText() = 0;                        // 38
    ORVIK_UNUSED_SLOT(39) ORVIK_UNUSED_SLOT(40)
    virtual bool IsOverDeviceLimit() = 0;                                   // 41

protected:
    ~IOrvikUserInfo() = default;
};

struct IOrvikStatistics {
    virtual void Start() = 0;                                               // 0
    // Sends what is queued, waiting at most a second, then stops sending.
    virtual void Release() = 0;                                             // 1
    virtual void SendEvent(const wchar_t* eventCode, const wchar_t* json) = 0; // 2
    virtual const wchar_t* GetSessionId() = 0;                              // 3
    ORVIK_UNUSED_SLOT(4)
    virtual void SetStatisticsText(const wchar_t* applicationKey) = 0;      // 5
    ORVIK_UNUSED_SLOT(6)
    virtual void SetStatisticsText2(const wchar_t* productVersionId) = 0;   // 7
    virtual void SetMode(int mode) = 0;                                     // 8

protected:
    ~IOrvikStatistics() = default;
};

struct IOrvikExport {
    virtual void Release() = 0;                                             // 0
    virtual void SetNotifyWindow(HWND window) = 0;                          // 1
    virtual void SetProductText(const wchar_t* settingsPath) = 0;          // 2
    ORVIK_UNUSED_SLOT(3) ORVIK_UNUSED_SLOT(4)
    virtual IOrvikUrlBuilder* GetUrlBuilder() = 0;                          // 5
    virtual IOrvikProductInfo* GetProductInfo() = 0;                        // 6
    virtual IOrvikServerInfo* GetServerInfo() = 0;                          // 7
    virtual IOrvikUserInfo* GetUserInfo() = 0;                              // 8
    virtual IOrvikStatistics* GetStatistics() = 0;                          // 9
    ORVIK_UNUSED_SLOT(10) ORVIK_UNUSED_SLOT(11) ORVIK_UNUSED_SLOT(12)
    virtual void SetStartupText(const wchar_t* secondServiceBase, int reserved) = 0; // 13
    ORVIK_UNUSED_SLOT(14) ORVIK_UNUSED_SLOT(15) ORVIK_UNUSED_SLOT(16) ORVIK_UNUSED_SLOT(17)
    ORVIK_UNUSED_SLOT(18)
    // Starts the one request for the client answer, on the library's own thread.
    virtual void Initialise(const wchar_t* versionCode, const wchar_t* code,
                            const wchar_t* productCode, const wchar_t* applicationKey,
                            const wchar_t* accountServiceBase, int reserved,
                            const wchar_t* extra) = 0;                      // 19

protected:
    ~IOrvikExport() = default;
};

#undef ORVIK_UNUSED_SLOT

using GetOrvikExportFn = IOrvikExport* (*)();

// Messages the library posts to the notify window.
constexpr UINT UM_ACCOUNT_STATE_CHANGED = 31026;   // the login state changed
constexpr UINT UM_ACCOUNT_ERROR = 31028;           // lParam: the error code
constexpr LPARAM kAccountErrorDeviceLimit = -10004;
