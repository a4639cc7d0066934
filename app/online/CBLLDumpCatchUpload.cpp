#include "app/online/CBLLDumpCatchUpload.h"

#include <cstdio>

#include "app/core/CCurlHttpPost.h"
#include "app/core/CCurlHttpStatus.h"
#include "app/core/OsInfo.h"
#include "app/core/TextEncoding.h"
#include "app/core/UrlText.h"
#include "app/online/CAccountService.h"
#include "app/online/ServiceAddresses.h"

namespace {

std::string Utf8Of(const wchar_t* text)
{
    std::string out;
    if (!text || !WideToUtf8(text, out)) out.clear();
    return out;
}

} // namespace

int CBLLDumpCatchUpload::OnDump(EXCEPTION_POINTERS* pointers, const char* text)
{
    if (m_uploadCount > 0) return 1;
    m_uploadCount = 1;
    m_form["exception"] = AnsiToUtf8(text ? text : "");
    FillFromAccountService();
    if (pointers && pointers->ExceptionRecord)
        m_form["exception"] += FormatExceptionText(*pointers->ExceptionRecord, GetOSProductName());
    Upload();
    return 1;
}

void CBLLDumpCatchUpload::SetReportFields(const char* vform, const char* uid, const char* mcode)
{
    m_form["vform"] = vform ? vform : "";
    m_form["uid"] = uid ? uid : "";
    m_form["mcode"] = mcode ? mcode : "";
}

void CBLLDumpCatchUpload::FillFromAccountService()
{
    CAccountService* facade = CAccountService::Instance();
    IOrvikServerInfo* server = facade->GetServerInfo();
    IOrvikUserInfo* user = facade->GetUserInfo();
    m_form["vform"] = server ? Utf8Of(server->GetVersionInformation()) : std::string();
    m_form["uid"] = user ? Utf8Of(user->GetUserId()) : std::string();
    m_form["mcode"] = server ? Utf8Of(server->GetMachineCode()) : std::string();
}

std::string CBLLDumpCatchUpload::FormatExceptionText(const EXCEPTION_RECORD& record, const std::wstring& systemName)
{
    const std::string name = Utf8Of(systemName.c_str());
    // "%p" of the C run time pads to 16 upper-case digits; spelled out so it
    // does not depend on which run time formats it.
    char text[512];
    const int length = std::snprintf(
        text, sizeof(text),
        "ExceptionCode:0x%08x,ExceptionFlags:0x%08x,SysName:%s,ExceptionAddress:0x%016llX,NumberParameters:0x%08x\n\n\n",
        static_cast<unsigned>(record.ExceptionCode), static_cast<unsigned>(record.ExceptionFlags), name.c_str(),
        static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(record.ExceptionAddress)),
        static_cast<unsigned>(record.NumberParameters));
    if (length < 0 || length >= static_cast<int>(sizeof(text))) return std::string();
    return std::string(text, length);
}

void CBLLDumpCatchUpload::Upload()
{
    CCurlHttpStatus<CCurlHttpPost> post(ToUtf8(ServiceAddresses::Get(ServiceAddress::CrashLog)).c_str(), 0, 0);
    post.SetBody(BuildQueryString(m_form));
    const bool transferred = post.Perform();
    if (transferred && post.HttpStatus() < 400) {
        // The reply is UTF-8: shown as UTF-16, it reads right whatever the
        // system's 8-bit code pages are.
        MessageBoxW(nullptr, FromUtf8(post.Response()).c_str(), L"提示", MB_SYSTEMMODAL);
        return;
    }
    // A refusal by the service is a failure too, not a reply to show as one.
    const std::wstring error =
        transferred ? L"The crash-log service refused the report (HTTP " + std::to_wstring(post.HttpStatus()) + L")."
                    : std::wstring(post.ErrorText());
    MessageBoxW(nullptr, error.c_str(), L"错误", MB_SYSTEMMODAL);
}
