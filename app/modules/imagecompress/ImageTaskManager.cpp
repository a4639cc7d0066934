#include "app/modules/imagecompress/ImageTaskManager.h"

#include <thread>

#include "app/core/AppPaths.h"
#include "app/core/FileNames.h"
#include "app/core/FolderCreate.h"
#include "app/modules/imagecompress/CImgAnalyzeTask.h"
#include "app/modules/imagecompress/CompressModeTable.h"

namespace {

// Under "keepfmt" only these exact extensions keep their format; every
// other source, upper-case names included, becomes a JPG.
ImageFormatInfo KeptFormatFor(const DUI::SStringW& extension)
{
    if (extension == L"bmp") return GetImageFormatInfo(kBmpFormatId);
    if (extension == L"png") return GetImageFormatInfo(kPngFormatId);
    return GetImageFormatInfo(kJpgFormatId);
}

DUI::SStringW LastComponent(const DUI::SStringW& path)
{
    const int slash = path.ReverseFind(L'\\');
    return slash < 0 ? path : path.Mid(slash + 1, path.GetLength() - slash - 1);
}

} // namespace

DUI::SStringW GetImageModuleDir()
{
    DUI::SStringW folder = GetAppDataDir();
    folder += kImageModuleFolder;
    folder += L'\\';
    return folder;
}

int ImageTaskManager::WorkerCountFor(unsigned hardwareThreads)
{
    const int half = static_cast<int>(hardwareThreads / 2);
    return half < 1 ? 1 : half;
}

std::wstring ImageTaskManager::TaskKey(const DUI::SStringW& path)
{
    return std::wstring(kConvertTaskPrefix) + ToStdString(path);
}

ImageTaskManager::ImageTaskManager(IImageEngine& engine) : m_engine(engine)
{
    SetMaxWorkers(WorkerCountFor(std::thread::hardware_concurrency()));
    // A folder that cannot be made shows up later as settings that do not stick.
    (void)CreateDirectoryTree(GetImageModuleDir());
    readableFormats = CompressModeTable::Instance().GetReadableFormatMap();
}

int ImageTaskManager::AnalyzeFile(const DUI::SStringW& path, HWND window, ImageFileItem& item)
{
    SetNotifyWindow(window);
    CImgTaskResult result;
    result.sourcePath = path;
    CImgAnalyzeTask task(window, m_engine);
    const int code = task.Run(&result);
    if (code != 0) return code;
    item.path = path;
    item.name = LastComponent(path);
    item.extension = GetFileExtS(path);
    item.sizeText = result.sizeText;
    item.width = result.width;
    item.height = result.height;
    item.dimensionsText = result.dimensionsText;
    return code;
}

bool ImageTaskManager::AddConvertTask(const ImageFileItem& item, const ImageConvertOptions& taskOptions, HWND window)
{
    SetNotifyWindow(window);
    auto task = std::make_shared<CConvertTask>(m_engine);
    task->sourcePath = item.path;
    task->options = taskOptions;
    if (taskOptions.formatName == L"keepfmt") {
        const ImageFormatInfo row = KeptFormatFor(item.extension);
        task->options.formatName = row.upperName;
        task->options.formatId = row.id;
    }
    task->progressValue = item.progressValue;
    task->notifyWindow = window;
    AddKeyedTask(item.path, std::move(task));
    return true;
}

void ImageTaskManager::AddKeyedTask(const DUI::SStringW& path, std::shared_ptr<CConvertTask> task)
{
    const std::wstring key = TaskKey(path);
    if (HasTask(key)) {
        try {
            auto old = std::dynamic_pointer_cast<CConvertTask>(GetTask(key));
            // Claimed before it began: it will neither run nor report, and
            // the cancel takes it off the list.
            if (old && !old->startedFlag.exchange(true)) (void)CancelTask(key);
        } catch (const wchar_t*) {
            // Finished and removed meanwhile: the name is free.
        }
    }
    AddTask(key, std::move(task));
}

bool ImageTaskManager::HasConversion(const DUI::SStringW& path)
{
    return HasTask(TaskKey(path));
}

bool ImageTaskManager::CancelConversion(const DUI::SStringW& path)
{
    return CancelTask(TaskKey(path));
}

void ImageTaskManager::CancelAllConversions()
{
    for (const std::wstring& name : GetTaskNames())
        if (name.find(kConvertTaskPrefix) != std::wstring::npos) (void)CancelTask(name);
}
