// Converts every JPEG of a folder through the image module's conversion
// task on a task manager, as the module runs a batch, and ends with one line:
// files=N workers=W seconds=S failed=F mb=M analyze_ms=A
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/core/TaskManager.h"
#include "app/modules/imagecompress/CConvertTask.h"
#include "app/modules/imagecompress/CImgAnalyzeTask.h"
#include "app/modules/imagecompress/ImageTaskManager.h"

namespace {

struct Args {
    std::wstring in;
    std::wstring out;
    int quality = 35;
    int target = 0;
    int workers = 0;   // 0: the module's count
    bool analyze = false;
};

bool ParseArgs(int argc, wchar_t** argv, Args& args)
{
    for (int i = 1; i < argc; ++i) {
        const std::wstring a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == L"--in" && hasValue) args.in = argv[++i];
        else if (a == L"--out" && hasValue) args.out = argv[++i];
        else if (a == L"--quality" && hasValue) args.quality = _wtoi(argv[++i]);
        else if (a == L"--target" && hasValue) args.target = _wtoi(argv[++i]);
        else if (a == L"--workers" && hasValue) args.workers = _wtoi(argv[++i]);
        else if (a == L"--analyze") args.analyze = true;
        else return false;
    }
    return !args.in.empty() && !args.out.empty();
}

std::vector<std::wstring> JpegFiles(const std::wstring& folder)
{
    std::vector<std::wstring> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == L".jpg") files.push_back(entry.path().wstring());
    std::sort(files.begin(), files.end());
    return files;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

double AnalyzeAll(const std::vector<std::wstring>& files)
{
    const auto start = std::chrono::steady_clock::now();
    for (const std::wstring& file : files) {
        CImgTaskResult result;
        result.sourcePath = file.c_str();
        CImgAnalyzeTask task;
        (void)task.Run(&result);
    }
    return Seconds(start) * 1000.0;
}

// Results arrive as the module's main window gets them: sent to a window.
struct Tally {
    size_t done = 0;
    size_t failed = 0;
    unsigned long long bytes = 0;
};

LRESULT CALLBACK ResultProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != UM_IMAGE_CONVERT_RESULT) return DefWindowProcW(hwnd, msg, wp, lp);
    std::unique_ptr<CImgTaskResult> result(reinterpret_cast<CImgTaskResult*>(wp));
    auto* tally = reinterpret_cast<Tally*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    ++tally->done;
    if (result->status != IMG_STATUS_SUCCEEDED || result->cancelled) {
        ++tally->failed;
        std::fwprintf(stderr, L"failed: %ls: %ls\n", result->sourcePath.c_str(), result->message.c_str());
    } else {
        std::error_code ignored;
        tally->bytes += std::filesystem::file_size(result->outputPath.c_str(), ignored);
    }
    return 0;
}

HWND MakeResultWindow(Tally& tally)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &ResultProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VeskBenchImageResults";
    RegisterClassW(&wc);
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&tally));
    return hwnd;
}

std::shared_ptr<CConvertTask> MakeTask(const Args& args, const std::wstring& file, HWND window)
{
    auto task = std::make_shared<CConvertTask>();
    task->sourcePath = file.c_str();
    task->options.formatName = L"JPG";
    task->options.formatId = 32;
    task->options.quality = args.quality;
    task->options.targetSize = args.target;
    task->options.outputFolder = args.out.c_str();
    task->options.location = 2;
    task->options.createSubfolder = false;
    task->progressValue = std::make_shared<std::atomic<int>>(0);
    task->notifyWindow = window;
    return task;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    Args args;
    if (!ParseArgs(argc, argv, args)) {
        std::fputs("usage: image_convert --in DIR --out DIR [--quality Q] [--target BYTES] [--workers N] [--analyze]\n",
                   stderr);
        return 2;
    }
    const std::vector<std::wstring> files = JpegFiles(args.in);
    std::filesystem::create_directories(args.out);
    const int workers =
        args.workers > 0 ? args.workers : ImageTaskManager::WorkerCountFor(std::thread::hardware_concurrency());
    const double analyzeMs = args.analyze ? AnalyzeAll(files) : 0.0;

    Tally tally;
    HWND window = MakeResultWindow(tally);
    TaskManager manager;
    manager.SetMaxWorkers(workers);
    // Results are sent, and GetMessage handles sent messages without
    // returning: the posted idle message wakes the loop at the end.
    manager.SetNotifyWindow(window);
    const auto start = std::chrono::steady_clock::now();
    for (const std::wstring& file : files) manager.AddTask(L"convert|" + file, MakeTask(args, file, window));
    while (tally.done < files.size()) {
        MSG msg;
        if (GetMessageW(&msg, nullptr, 0, 0) <= 0) break;
        DispatchMessageW(&msg);
    }
    const double seconds = Seconds(start);
    DestroyWindow(window);
    std::printf("files=%zu workers=%d seconds=%.3f failed=%zu mb=%.3f analyze_ms=%.1f\n", files.size(), workers, seconds,
                tally.failed, tally.bytes / 1048576.0, analyzeMs);
    return tally.failed == 0 ? 0 : 1;
}
