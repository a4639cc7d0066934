#include "app/online/StatisticsEvents.h"

#include "app/core/CBase64Ex.h"
#include "app/core/GlobalSetting.h"
#include "app/core/TextEncoding.h"
#include "app/online/CAccountService.h"
#include "app/online/CCodeData.h"

std::map<std::wstring, std::wstring>& GetStatContext()
{
    static std::map<std::wstring, std::wstring> context = {
        {L"function_module", L"other"},
        {L"trigger_position", L"title"},
    };
    return context;
}

void SendStatisticsJson(const DUI::SStringW& eventCode, CCodeData& record)
{
    const std::wstring text = record.ToWideString();
    if (IOrvikStatistics* statistics = CAccountService::Instance()->GetStatistics())
        statistics->SendEvent(eventCode.c_str(), text.c_str());
}

void ReportModuleEvent(std::wstring window, std::wstring button, std::wstring type,
                       std::map<std::wstring, std::wstring> extra)
{
    CCodeData record;
    record.SetWindow(window);
    record.SetButton(button);
    record.SetType(type);
    auto& ext = record.Ext().Strings();
    for (const auto& [key, value] : extra) ext[key] = value;
    ext[L"event_type"] = L"parameter";
    if (extra.find(L"user_type") == extra.end()) {
        const GlobalSetting& settings = GlobalSetting::Instance();
        ext[L"user_type"] = !settings.loggedIn ? L"0" : settings.vipAccount ? L"2" : L"1";
    }
    GetStatContext();
    SendStatisticsJson(L"1", record);
}

void ReportPageLoadFailure(const std::wstring& address)
{
    IOrvikProductInfo* product = CAccountService::Instance()->GetProductInfo();
    const wchar_t* channel = product ? product->GetChannelText() : nullptr;
    if (!channel || std::wstring(channel) != L"1") return;
    CCodeData record;
    record.SetWindow(L"");
    record.SetButton(L"");
    record.SetType(L"process");
    auto& ext = record.Ext().Strings();
    ext[L"describe"] = L"load_web_page_fail";
    std::string bytes;
    if (!WideToUtf8(address, bytes)) bytes.clear();
    ext[L"url"] = CBase64Ex().EncodeToWide(bytes.data(), bytes.size());
    SendStatisticsJson(L"3", record);
}
