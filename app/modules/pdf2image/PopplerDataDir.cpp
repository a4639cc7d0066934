// InitPopplerDataDir (declared in PdfRenderer.h): kept apart because it alone
// needs the program-data folder of the application core.
#include <winsock2.h>
#include <windows.h>

#include <poppler-global.h>

#include <string>

#include "app/core/AppPaths.h"
#include "app/core/CorePath.h"
#include "app/core/TextEncoding.h"
#include "app/modules/pdf2image/PdfRenderer.h"

void InitPopplerDataDir()
{
    const std::wstring program = GetModuleFolder();
    const std::wstring candidates[] = {
        WithoutTrailingBackslash(ToStdString(GetAppDataDir())) + L"\\popplerdata",
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
