// orvik.dll: our stand-in for the account-service library. The root and its
// sub-interfaces are thin faces over one OrvikSession; the session's threads
// end in IOrvikExport::Release, never in DllMain, where joining would hang.
#include <winsock2.h>
#include <windows.h>

#include <memory>
#include <mutex>
#include <string>

#include "app/online/IOrvikExport.h"
#include "components/orvik/OrvikAccount.h"
#include "components/orvik/OrvikMachineCode.h"
#include "components/orvik/OrvikPageUrl.h"
#include "components/orvik/OrvikStatisticsQueue.h"
#include "components/orvik/OrvikTextPool.h"

namespace {

std::wstring Text(const wchar_t* text)
{
    return text ? std::wstring(text) : std::wstring();
}

struct OrvikSession {
    OrvikAccount account;
    OrvikStatisticsQueue statistics;
    OrvikTextPool texts;
    std::mutex lock;
    std::wstring settingsPath;
    std::wstring productWebPage;
    std::wstring serviceBase;
    std::wstring machineCode = OrvikMachineCode();
    int startupState = 0;
    bool initialised = false;
    bool statisticsReleased = false;

    const wchar_t* Keep(const std::wstring& text) { return texts.Keep(text); }
};

class UrlBuilder final : public IOrvikUrlBuilder {
public:
    explicit UrlBuilder(OrvikSession& s) : m_s(s) {}
    int QueryStartup(int) override { return m_s.account.StartupValue(); }
    const wchar_t* BuildPageUrl(const wchar_t* record, const wchar_t* path, const wchar_t* base) override
    {
        return m_s.Keep(::BuildPageUrl(Text(record), Text(path), Text(base)));
    }
    bool OpenServicePage(const wchar_t* title, const wchar_t* tag, int, const wchar_t* base) override
    {
        // The record's values go in as they are, as in every page record.
        const std::wstring record = L"{\"u_id\":\"" + m_s.account.User().id + L"\",\"title\":\"" + Text(title) +
                                    L"\",\"source\":\"" + Text(tag) + L"\",\"dev\":\"dui\"}";
        const std::wstring url = ::BuildPageUrl(record, L"Index/Service/Contact?", Text(base));
        return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL)) > 32;
    }
    const wchar_t* BuildKeyedPageUrl(const wchar_t* record, const wchar_t* path, const wchar_t* base,
                                     const wchar_t* key) override
    {
        return m_s.Keep(::BuildKeyedPageUrl(Text(record), Text(path), Text(base), Text(key)));
    }

private:
    OrvikSession& m_s;
};

class ProductInfo final : public IOrvikProductInfo {
public:
    explicit ProductInfo(OrvikSession& s) : m_s(s) {}
    const wchar_t* GetLatestVersion() override { return m_s.Keep(m_s.account.LatestVersion()); }
    const wchar_t* GetProductWebPage() override
    {
        std::lock_guard<std::mutex> lock(m_s.lock);
        return m_s.Keep(m_s.productWebPage);
    }
    void SetProductString(const wchar_t* page) override
    {
        std::lock_guard<std::mutex> lock(m_s.lock);
        m_s.productWebPage = Text(page);
    }
    bool AdvertsEnabled() override { return m_s.account.AdvertsEnabled(); }
    bool AccountFeaturesEnabled() override { return m_s.account.AccountsEnabled(); }
    const wchar_t* GetChannelText() override { return m_s.Keep(m_s.account.Channel()); }
    const wchar_t* GetConfigValue(const wchar_t* name) override { return m_s.Keep(m_s.account.ConfigValue(Text(name))); }
    bool CheckStartup(int value) override { return value != 0; }

private:
    OrvikSession& m_s;
};

class ServerInfo final : public IOrvikServerInfo {
public:
    explicit ServerInfo(OrvikSession& s) : m_s(s) {}
    const wchar_t* GetCurrentVersion() override { return m_s.Keep(m_s.account.CurrentVersion()); }
    const wchar_t* GetVersionInformation() override
    {
        return m_s.Keep(L"VeskPDF2Image " + m_s.account.CurrentVersion() + L" latest " + m_s.account.LatestVersion());
    }
    const wchar_t* GetMachineCode() override { return m_s.Keep(m_s.machineCode); }

private:
    OrvikSession& m_s;
};

class UserInfo final : public IOrvikUserInfo {
public:
    explicit UserInfo(OrvikSession& s) : m_s(s) {}
    const wchar_t* GetUserId() override { return m_s.Keep(m_s.account.User().id); }
    const wchar_t* GetDisplayName() override { return m_s.Keep(m_s.account.User().name); }
    void SetLoginEntry(const wchar_t* entry) override
    {
        if (Text(entry) == L"0") m_s.account.WatchLogin();
    }
    void SetStartupState(int state) override
    {
        std::lock_guard<std::mutex> lock(m_s.lock);
        m_s.startupState = state;
    }
    bool IsLoggedIn() override { return m_s.account.User().loggedIn; }
    void LogOut() override { m_s.account.LogOut(); }
    const wchar_t* GetAccountKindText() override { return m_s.Keep(m_s.account.User().kind); }
    bool IsOverDeviceLimit() override { return m_s.account.User().overDeviceLimit; }

private:
    OrvikSession& m_s;
};

class Statistics final : public IOrvikStatistics {
public:
    explicit Statistics(OrvikSession& s) : m_s(s) {}
    void Start() override { m_s.statistics.Start(); }
    void Release() override
    {
        {
            std::lock_guard<std::mutex> lock(m_s.lock);
            m_s.statisticsReleased = true;
        }
        m_s.statistics.Release();
    }
    void SendEvent(const wchar_t* code, const wchar_t* json) override { m_s.statistics.Send(Text(code), Text(json)); }
    const wchar_t* GetSessionId() override { return m_s.Keep(m_s.statistics.SessionId()); }
    void SetStatisticsText(const wchar_t* key) override { m_s.statistics.SetApplicationKey(Text(key)); }
    void SetStatisticsText2(const wchar_t* id) override { m_s.statistics.SetProductVersionId(Text(id)); }
    void SetMode(int mode) override { m_s.statistics.SetMode(mode); }

private:
    OrvikSession& m_s;
};

class Root final : public IOrvikExport {
public:
    void Release() override;
    void SetNotifyWindow(HWND window) override { m_s.account.SetNotifyWindow(window); }
    void SetProductText(const wchar_t* path) override
    {
        std::lock_guard<std::mutex> lock(m_s.lock);
        m_s.settingsPath = Text(path);
    }
    IOrvikUrlBuilder* GetUrlBuilder() override { return &m_urls; }
    IOrvikProductInfo* GetProductInfo() override { return &m_product; }
    IOrvikServerInfo* GetServerInfo() override { return &m_server; }
    IOrvikUserInfo* GetUserInfo() override { return &m_user; }
    IOrvikStatistics* GetStatistics() override { return &m_statistics; }
    void SetStartupText(const wchar_t* secondBase, int) override { m_s.statistics.SetServiceBase(Text(secondBase)); }
    void Initialise(const wchar_t* versionCode, const wchar_t* code, const wchar_t* productCode, const wchar_t* key,
                    const wchar_t* base, int, const wchar_t*) override
    {
        {
            std::lock_guard<std::mutex> lock(m_s.lock);
            if (m_s.initialised) return;
            m_s.initialised = true;
        }
        m_s.account.Start({Text(versionCode), Text(code), Text(productCode), Text(key), Text(base), m_s.machineCode});
    }

private:
    OrvikSession m_s;
    UrlBuilder m_urls{m_s};
    ProductInfo m_product{m_s};
    ServerInfo m_server{m_s};
    UserInfo m_user{m_s};
    Statistics m_statistics{m_s};
};

std::mutex g_rootLock;
Root* g_root = nullptr;

void Root::Release()
{
    {
        std::lock_guard<std::mutex> lock(g_rootLock);
        if (g_root == this) g_root = nullptr;
    }
    m_s.account.Stop();
    m_s.statistics.Release(m_s.statisticsReleased ? 0 : 1000);
    delete this;
}

} // namespace

extern "C" __declspec(dllexport) IOrvikExport* GetOrvikExport()
{
    std::lock_guard<std::mutex> lock(g_rootLock);
    if (!g_root) g_root = new (std::nothrow) Root();
    return g_root;
}
