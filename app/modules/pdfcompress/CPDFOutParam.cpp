#include "app/modules/pdfcompress/CPDFOutParam.h"

#include <winsock2.h>
#include <windows.h>
#include <shlwapi.h>

#include "app/core/AppPaths.h"

namespace {

const wchar_t kSection[] = L"PDF";

int InRange(int value, int smallest, int largest, int fallback)
{
    return value < smallest || value > largest ? fallback : value;
}

}  // namespace

CPDFOutParam::CPDFOutParam() : CPDFOutParam(ToStdString(GetAppDataDir())) {}

CPDFOutParam::CPDFOutParam(const std::wstring& dataFolder)
    : m_outputDir(ToStdString(GetDesktopPath()) + L"\\")
{
    std::wstring folder = dataFolder + L"module-pdf\\";
    if (!PathFileExistsW(folder.c_str())) CreateDirectoryW(folder.c_str(), nullptr);
    SetFile(folder + L"config.ini");
}

void CPDFOutParam::Read()
{
    m_section = kSection;
    m_outputDir = GetString(L"outputdir", m_outputDir);
    m_model = InRange(GetInt(L"model", m_model), 0, 1, 0);
    m_level = InRange(GetInt(L"level", m_level), 0, 2, 1);
    m_ratio = InRange(GetInt(L"ratio", m_ratio), 1, 100, 50);
    m_outputType = InRange(GetInt(L"outputType", m_outputType), 0, 1, 0);
}

void CPDFOutParam::Write()
{
    m_section = kSection;
    (void)WriteInt(L"model", m_model);
    (void)WriteInt(L"level", m_level);
    (void)WriteInt(L"ratio", m_ratio);
    WriteString(L"outputdir", m_outputDir);
    (void)WriteInt(L"outputType", m_outputType);
}
