#pragma once
// The program's statistics events, sent through the account-service library:
// "1" for each conversion result, "3" for a web page that failed to load.
#include <map>
#include <string>

#include "dui/core/base/TStringT.h"

class CCodeData;

// Context fields other parts keep up to date ("function_module", "trigger_position").
std::map<std::wstring, std::wstring>& GetStatContext();

void SendStatisticsJson(const DUI::SStringW& eventCode, CCodeData& record);
void ReportModuleEvent(std::wstring window, std::wstring button, std::wstring type,
                       std::map<std::wstring, std::wstring> extra);
// Sent only while the library's channel text is exactly "1".
void ReportPageLoadFailure(const std::wstring& address);
