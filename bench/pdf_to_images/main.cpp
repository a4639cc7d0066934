// Converts PDF files through RenderPdfToImages and ends with one line of figures:
// pages=N seconds=S pages_per_s=R peak_mb=M
#include <winsock2.h>
#include <windows.h>
#include <psapi.h>

#include <poppler-document.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/modules/pdf2image/PdfPageRange.h"
#include "app/modules/pdf2image/PdfRenderer.h"

namespace {

struct Args {
    std::wstring format = L"jpg";
    int dpi = 192;
    bool longPicture = false;
    bool horizontal = false;
    int threads = 0;  // 0: as many as the program would use
    std::wstring out;
    std::vector<std::wstring> files;
};

bool ParseArgs(int argc, wchar_t** argv, Args& args)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring a = argv[i];
        bool hasValue = i + 1 < argc;
        if (a == L"--format" && hasValue) {
            args.format = argv[++i];
        } else if (a == L"--dpi" && hasValue) {
            args.dpi = _wtoi(argv[++i]);
        } else if (a == L"--threads" && hasValue) {
            args.threads = _wtoi(argv[++i]);
        } else if (a == L"--out" && hasValue) {
            args.out = argv[++i];
        } else if (a == L"--long") {
            args.longPicture = true;
        } else if (a == L"--horizontal") {
            args.horizontal = true;
        } else if (a.rfind(L"--", 0) == 0) {
            return false;
        } else {
            args.files.push_back(a);
        }
    }
    return !args.out.empty() && !args.files.empty() && args.dpi > 0 && args.threads >= 0;
}

int CountPages(const std::wstring& path)
{
    std::vector<char> bytes = ReadFileBytes(path);
    std::unique_ptr<poppler::document> doc(poppler::document::load_from_data(&bytes));
    return doc ? PageCountOf(*doc) : 0;
}

PdfRenderOptions OptionsFor(const Args& args, const std::wstring& file)
{
    std::filesystem::path source(file);
    PdfRenderOptions options;
    options.path = file;
    options.extension = args.format;
    options.title = source.stem().wstring();
    // One folder per file, as the module lays its results out.
    std::filesystem::path folder = std::filesystem::path(args.out) / (args.longPicture ? L"" : options.title);
    std::filesystem::create_directories(folder);
    options.outputFolder = folder.wstring();
    if (options.outputFolder.back() != L'\\') options.outputFolder += L'\\';
    options.resolution = args.dpi;
    options.longPicture = args.longPicture;
    options.horizontal = args.horizontal;
    options.rangeText = L"1-";
    return options;
}

double PeakMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize / (1024.0 * 1024.0);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    Args args;
    if (!ParseArgs(argc, argv, args)) {
        std::fprintf(stderr, "usage: pdf_to_images [--format jpg|png|bmp] [--dpi N] [--long] [--horizontal] [--threads N] --out DIR "
                     "FILE...\n");
        return 2;
    }
    InitPopplerDataDir();
    int pages = 0, failures = 0;
    std::vector<PdfRenderOptions> runs;
    for (const auto& file : args.files) {
        runs.push_back(OptionsFor(args, file));
        pages += CountPages(file);
    }
    auto start = std::chrono::steady_clock::now();
    for (const auto& options : runs) {
        PdfRenderJob job;
        job.onFailure = [&](int code, const std::wstring& message, const std::wstring&) {
            ++failures;
            std::fprintf(stderr, "failed (%d, %zu chars): %ls\n", code, message.size(), options.path.c_str());
        };
        std::vector<std::wstring> written;
        RenderPdfToImages(job, written, options, args.threads > 0 ? args.threads : RenderThreadCount());
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("pages=%d seconds=%.3f pages_per_s=%.2f peak_mb=%.1f threads=%d\n", pages, seconds,
                seconds > 0 ? pages / seconds : 0.0, PeakMegabytes(), args.threads > 0 ? args.threads : RenderThreadCount());
    return failures == 0 ? 0 : 1;
}
