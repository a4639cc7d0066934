#include "app/online/CAccountService.h"

#include <winsock2.h>
#include <windows.h>

#include "app/core/SStringBridge.h"
#include "app/core/TextUtil.h"
#include "app/online/ServiceAddresses.h"

const std::wstring PageTheme = L"default";

namespace {

CAccountService* g_instance = nullptr;
bool g_initialised = false;

constexpr wchar_t kFeedbackKey[] = L"Gh3sWq8LmZt5Rv1NcYe6Kp0XuBd2";

[[noreturn]] void EndForMissingLibrary(const wchar_t* text)
{
    MessageBoxW(nullptr, text, L"Tip", MB_SYSTEMMODAL);
    ExitProcess(static_cast<UINT>(-1));
}

std::wstring Text(const wchar_t* text)
{
    return text ? std::wstring(text) : std::wstring();
}

} // namespace

CAccountService* CAccountService::Instance()
{
    if (!g_instance) g_instance = new CAccountService();
    return g_instance;
}

void CAccountService::DestroyInstance()
{
    if (!g_instance) return;
    g_instance->Unload();
    delete g_instance;
    g_instance = nullptr;
    // The flag belongs to the library that was initialised, which is gone.
    g_initialised = false;
}

bool CAccountService::IsInitialised()
{
    return g_initialised;
}

CAccountService::CAccountService()
{
    m_module = LoadLibraryW(L"orvik.dll");
    if (!m_module) EndForMissingLibrary(L"can't load orvik");
    m_export = reinterpret_cast<GetOrvikExportFn>(reinterpret_cast<void*>(GetProcAddress(m_module, "GetOrvikExport")));
    // Without its entry point the library is as good as missing.
    if (!m_export) EndForMissingLibrary(L"can't load orvik: orvik.dll has no GetOrvikExport");
}

CAccountService::~CAccountService()
{
    Unload();
}

bool CAccountService::Init(const std::wstring& productName, const std::wstring& settingsPath,
                           const std::wstring& versionCode, const std::wstring& code, const std::wstring& productCode,
                           const std::wstring& applicationKey, const std::wstring& accountServiceBase,
                           const std::wstring& secondServiceBase, const std::wstring& productWebPage,
                           const std::wstring& productVersionId, const std::wstring& applicationKey2,
                           const std::wstring& spare1, const std::wstring& spare2, const std::wstring& spare3,
                           const std::wstring& spare4)
{
    g_initialised = true;
    m_productName = productName;
    m_versionCode = versionCode;
    m_code = code;
    m_productCode = productCode;
    m_applicationKey = applicationKey;
    m_accountServiceBase = accountServiceBase;
    m_spare1 = spare1;
    m_spare2 = spare2;
    m_spare3 = spare3;
    m_secondServiceBase = secondServiceBase;
    m_productWebPage = productWebPage;
    m_productVersionId = productVersionId;
    m_applicationKey2 = applicationKey2;
    m_spare4 = spare4;
    IOrvikExport* root = GetRoot();
    if (!root) return true;
    root->SetProductText(ToSString(settingsPath).c_str());
    if (IOrvikProductInfo* product = GetProductInfo()) product->SetProductString(m_productWebPage.c_str());
    root->Initialise(m_versionCode.c_str(), m_code.c_str(), m_productCode.c_str(), m_applicationKey.c_str(),
                     m_accountServiceBase.c_str(), 0, L"");
    return true;
}

IOrvikExport* CAccountService::GetRoot() const
{
    return m_export ? m_export() : nullptr;
}

IOrvikUrlBuilder* CAccountService::GetUrlBuilder() const
{
    IOrvikExport* root = GetRoot();
    return root ? root->GetUrlBuilder() : nullptr;
}

IOrvikProductInfo* CAccountService::GetProductInfo() const
{
    IOrvikExport* root = GetRoot();
    return root ? root->GetProductInfo() : nullptr;
}

IOrvikServerInfo* CAccountService::GetServerInfo() const
{
    IOrvikExport* root = GetRoot();
    return root ? root->GetServerInfo() : nullptr;
}

IOrvikUserInfo* CAccountService::GetUserInfo() const
{
    IOrvikExport* root = GetRoot();
    return root ? root->GetUserInfo() : nullptr;
}

IOrvikStatistics* CAccountService::GetStatistics() const
{
    IOrvikExport* root = GetRoot();
    return root ? root->GetStatistics() : nullptr;
}

DUI::SStringW CAccountService::AccountPageUrl(const wchar_t* path) const
{
    IOrvikUserInfo* user = GetUserInfo();
    IOrvikUrlBuilder* urls = GetUrlBuilder();
    if (!user || !urls) return DUI::SStringW();
    const std::wstring record = FormatWString(L"{\"u_id\":\"%s\",\"theme\":\"%s\",\"dev\":\"dui\"}",
                                              Text(user->GetUserId()).c_str(), PageTheme.c_str());
    return ToSString(Text(urls->BuildPageUrl(record.c_str(), path, m_accountServiceBase.c_str())));
}

DUI::SStringW CAccountService::GetLoginPageUrl() const
{
    return AccountPageUrl(L"Index/UserLogin/DoMergeLogin?");
}

DUI::SStringW CAccountService::GetUserCenterPageUrl() const
{
    return AccountPageUrl(L"Index/UserLogin/UserCenterNew?");
}

DUI::SStringW CAccountService::GetAboutPageUrl() const
{
    return AccountPageUrl(L"Index/UserLogin/About?");
}

DUI::SStringW CAccountService::GetFeedbackPageUrl() const
{
    IOrvikUserInfo* user = GetUserInfo();
    IOrvikStatistics* statistics = GetStatistics();
    IOrvikUrlBuilder* urls = GetUrlBuilder();
    if (!user || !statistics || !urls) return DUI::SStringW();
    const std::wstring userId = Text(user->GetUserId());
    std::wstring sessionId = Text(statistics->GetSessionId());
    if (sessionId.empty()) sessionId = L"isNothing";
    const std::wstring kind = Text(user->GetAccountKindText());
    const std::wstring record =
        FormatWString(L"{\"u_id\":\"%s\",\"theme\":\"%s\",\"dev\":\"dui\",\"session_id\":\"%s\"}", userId.c_str(),
                      PageTheme.c_str(), sessionId.c_str());
    const std::wstring base = ServiceAddresses::Get(ServiceAddress::FeedbackService);
    const std::wstring url =
        Text(urls->BuildKeyedPageUrl(record.c_str(), L"QuestionAdvice/questionAdvice?", base.c_str(), kFeedbackKey));
    return ToSString(FormatWString(L"%s&orvik_type=%s", url.c_str(), kind.c_str()));
}

void CAccountService::Unload()
{
    if (m_export) {
        if (IOrvikStatistics* statistics = GetStatistics()) statistics->Release();
        if (IOrvikExport* root = GetRoot()) root->Release();
    }
    if (m_module) FreeLibrary(m_module);
    m_module = nullptr;
    m_export = nullptr;
    for (std::wstring* text : {&m_productName, &m_versionCode, &m_code, &m_productCode, &m_applicationKey,
                               &m_accountServiceBase, &m_spare1, &m_spare2, &m_spare3, &m_secondServiceBase,
                               &m_productWebPage, &m_productVersionId, &m_applicationKey2, &m_spare4})
        text->clear();
}
