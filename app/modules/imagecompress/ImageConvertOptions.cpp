#include "app/modules/imagecompress/ImageConvertOptions.h"

#include <thread>

#include "app/core/AppPaths.h"
#include "app/core/SStringBridge.h"
#include "dui/res.mgr/SAppTranslator.h"

ImageConvertOptions::ImageConvertOptions()
    : resolutionText(DUI::TranslateText(L"不调整", L"text")),
      outputFolder(GetDesktopPath()),
      workerCount(static_cast<int>(std::thread::hardware_concurrency() / 2))
{
}

DUI::SStringW ImageConvertOptions::GetOutputFolder() const
{
    DUI::SStringW folder = outputFolder;
    if (!createSubfolder) return folder;
    if (folder.IsEmpty() || folder[folder.GetLength() - 1] != L'\\') folder += L'\\';
    folder += kOutputSubfolder;
    return folder;
}

std::wstring CutAtLastBackslash(const DUI::SStringW& text)
{
    const int slash = text.ReverseFind(L'\\');
    return slash < 0 ? ToStdString(text) : ToStdString(text.Left(slash));
}
