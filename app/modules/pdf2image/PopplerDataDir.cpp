// InitPopplerDataDir (declared in PdfRenderer.h): kept apart because it alone
// needs the program-data folder of the application core.
#include <winsock2.h>
#include <windows.h>

#include <poppler-global.h>

#include <string>

#include "app/core/AppPaths.h"
#include "app/core/TextEncoding.h"
#include "app/modules/pdf2image/PdfRenderer.h"

namespace {

std::wstring ProgramFolder()
{
    wchar_t path[1024] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, 1024);
    std::wstring folder(path, length < 1024 ? length : 0);
    size_t slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash);
}

std::wstring WithoutTrailingBackslash(std::wstring folder)
{
    if (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
    return folder;
}

}  // namespace

void InitPopplerDataDir()
{
    std::wstring program = ProgramFolder();
    const std::wstring candidates[] = {
        WithoutTrailingBackslash(std::wstring(GetAppDataDir().c_str())) + L"\\popplerdata",
        program + L"\\popplerdata",
        program + L"\\..\\..\\VeskPDF2Image\\popplerdata",
    };
    std::wstring chosen = candidates[2];
    for (const auto& folder : candidates) {
        if (GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES) {
            chosen = folder;
            break;
        }
    }
    poppler::set_data_dir(WideToOemString(chosen));
}
