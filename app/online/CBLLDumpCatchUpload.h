#pragma once
// The program's crash observer: posts one short report per run to the
// crash-log service as a form, then shows the service's reply, or why the
// post failed, in a system-modal message box. Runs on the thread the crash
// catcher calls it on and blocks it until the box is closed.
#include <cstdint>
#include <map>
#include <string>

#include "app/online/IDumpCatchMgr.h"

class CBLLDumpCatchUpload : public CDumpCatchObserverBase {
public:
    int OnDump(EXCEPTION_POINTERS* pointers, const char* text) override;
    ~CBLLDumpCatchUpload() override = default;
    void SetReportFields(const char* vform, const char* uid, const char* mcode) override;

    // "ExceptionCode:0x%08x,...\n\n\n" for the record; empty when formatting fails.
    static std::string FormatExceptionText(const EXCEPTION_RECORD& record, const std::wstring& systemName);
    const std::map<std::string, std::string>& Form() const { return m_form; }

private:
    void FillFromAccountService();
    void Upload();

    int32_t m_uploadCount = 0;
    std::map<std::string, std::string> m_form;
};
