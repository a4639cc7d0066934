#pragma once
// The image compression module's task manager: its conversion tasks keyed
// by "convert|" and the file's path, on at most half the hardware threads;
// the shared conversion options, the file store and the readable formats.
#include <winsock2.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "app/core/TaskManager.h"
#include "app/modules/imagecompress/CConvertTask.h"
#include "app/modules/imagecompress/ImageConvertOptions.h"
#include "app/modules/imagecompress/ImageEngine.h"
#include "app/modules/imagecompress/ImageFileStore.h"
#include "dui/core/base/TStringT.h"

inline constexpr const wchar_t* kConvertTaskPrefix = L"convert|";
inline constexpr const wchar_t* kImageModuleFolder = L"module-image";

class ImageTaskManager : public TaskManager {
public:
    explicit ImageTaskManager(IImageEngine& engine = LibraryImageEngine());

    // Half the hardware threads, at least one.
    static int WorkerCountFor(unsigned hardwareThreads);
    static std::wstring TaskKey(const DUI::SStringW& path);

    // Analyses on the calling thread; on 0 fills the item from the file.
    int AnalyzeFile(const DUI::SStringW& path, HWND window, ImageFileItem& item);
    // Queues the item's conversion, reporting to window. Always true.
    bool AddConvertTask(const ImageFileItem& item, const ImageConvertOptions& options, HWND window);

    // A task of that path that has not begun is replaced, without a report
    // of its own; one already running goes on and the new one is not listed.
    void AddKeyedTask(const DUI::SStringW& path, std::shared_ptr<CConvertTask> task);
    bool HasConversion(const DUI::SStringW& path);
    bool CancelConversion(const DUI::SStringW& path);
    void CancelAllConversions();

    ImageConvertOptions options;
    ImageFileStore store;
    std::map<DUI::SStringW, DUI::SStringW> readableFormats;

private:
    IImageEngine& m_engine;
};

// The folder of the module's settings and engine cache, with a backslash.
DUI::SStringW GetImageModuleDir();
