// Compresses PDF files through CPDFCompress and ends with one line of figures:
// files=N seconds=S bytes_in=A bytes_out=B
#include <winsock2.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/modules/pdfcompress/CPDFCompress.h"

namespace {

struct Args {
    int level = 1;
    std::wstring out;
    std::vector<std::wstring> files;
};

bool ParseArgs(int argc, wchar_t** argv, Args& args)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring a = argv[i];
        if (a == L"--level" && i + 1 < argc) {
            args.level = _wtoi(argv[++i]);
        } else if (a == L"--out" && i + 1 < argc) {
            args.out = argv[++i];
        } else if (a.rfind(L"--", 0) == 0) {
            return false;
        } else {
            args.files.push_back(a);
        }
    }
    return !args.out.empty() && !args.files.empty();
}

long long SizeOf(const std::wstring& path)
{
    std::error_code ec;
    auto size = std::filesystem::file_size(path, ec);
    return ec ? 0 : static_cast<long long>(size);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    Args args;
    if (!ParseArgs(argc, argv, args)) {
        std::fprintf(stderr, "usage: pdf_compress [--level 0|1|2] --out DIR FILE...\n");
        return 2;
    }
    std::filesystem::create_directories(args.out);
    PdfCompressArgs chosen = ChooseCompressArgs(0, args.level, 50);
    long long bytesIn = 0, bytesOut = 0;
    int failures = 0;
    auto start = std::chrono::steady_clock::now();
    for (const auto& file : args.files) {
        std::wstring output = (std::filesystem::path(args.out) / std::filesystem::path(file).filename()).wstring();
        CPDFCompress compress;
        compress.m_onFailed = [&](int code, const std::wstring&, const std::wstring&) {
            ++failures;
            std::fprintf(stderr, "failed (%d): %ls\n", code, file.c_str());
        };
        compress.Compress(file, output, chosen.settingsLevel, chosen.resolution, chosen.downsample);
        bytesIn += SizeOf(file);
        bytesOut += SizeOf(output);
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("files=%zu seconds=%.3f bytes_in=%lld bytes_out=%lld\n", args.files.size() - failures, seconds, bytesIn,
                bytesOut);
    return failures == 0 ? 0 : 1;
}
