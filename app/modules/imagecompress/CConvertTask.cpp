#include "app/modules/imagecompress/CConvertTask.h"

#include <memory>

#include "app/core/FileNames.h"
#include "app/core/FolderCreate.h"
#include "app/core/SStringBridge.h"
#include "app/core/UniqueFileName.h"

namespace {

DUI::SStringW WithBackslash(DUI::SStringW folder)
{
    if (folder.IsEmpty() || folder[folder.GetLength() - 1] != L'\\') folder += L'\\';
    return folder;
}

} // namespace

DUI::SStringW OutputExtension(const DUI::SStringW& formatName)
{
    DUI::SStringW ext = formatName.Find(L"PNG") >= 0 ? DUI::SStringW(L"PNG") : formatName;
    ext.MakeLower();
    return ext;
}

void CConvertTask::BuildOutputPath()
{
    // Without a source there is nothing to name, and no empty file is reserved.
    if (sourcePath.IsEmpty()) {
        outputPath.Empty();
        return;
    }
    DUI::SStringW folder;
    if (options.location == 2) {
        folder = WithBackslash(options.GetOutputFolder());
    } else {
        folder = ToSString(CutAtLastBackslash(sourcePath));
        folder += options.createSubfolder ? DUI::SStringW(L"\\") + kOutputSubfolder + L"\\" : DUI::SStringW(L"\\");
    }
    // The folder first: a name is reserved only in a folder that exists, and
    // two files of one title into a new folder must not both get the bare name.
    const std::wstring parent = CutAtLastBackslash(folder);
    if (GetFileAttributesW(parent.c_str()) == INVALID_FILE_ATTRIBUTES) (void)CreateDirectoryTreeW(parent);
    const DUI::SStringW path = folder + GetFileTitleS(sourcePath) + L"." + OutputExtension(options.formatName);
    outputPath = MakeNumberedFileName(path);
}

bool CConvertTask::Run()
{
    // Whoever sets the flag first reports: this run, or a cancel that came
    // before it, never both.
    if (startedFlag.exchange(true)) return true;
    BuildOutputPath();
    auto result = std::make_unique<CImgTaskResult>();
    result->sourcePath = sourcePath;
    result->outputPath = outputPath;
    result->status = IMG_STATUS_FAILED;
    if (!sourcePath.IsEmpty() && !outputPath.IsEmpty()) (void)CImgConvertTask::Run(result.get());
    Report(result.release());
    return true;
}

bool CConvertTask::OnCancel()
{
    (void)Cancel();
    if (startedFlag.exchange(true)) return true;
    auto result = std::make_unique<CImgTaskResult>();
    result->sourcePath = sourcePath;
    result->cancelled = 1;
    result->status = IMG_STATUS_FAILED;
    Report(result.release());
    return true;
}

void CConvertTask::Report(CImgTaskResult* result)
{
    std::unique_ptr<CImgTaskResult> owned(result);
    // The receiver owns what it is sent; with no window there is none.
    if (notifyWindow && IsWindow(notifyWindow))
        SendMessageW(notifyWindow, UM_IMAGE_CONVERT_RESULT, reinterpret_cast<WPARAM>(owned.release()), 0);
}
