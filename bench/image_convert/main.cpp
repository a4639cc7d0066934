// Converts JPEG files through the image-conversion library on worker threads,
// one converter per file, as the image module does, and times it.
// Usage: image_convert_dll --quality Q [--target BYTES] [--threads N] --out DIR FILE...
// Ends with: files= workers= seconds= out_bytes= failed=
#include "components/PelmoraImageConvert2022/PelmoraImageConvert2022.h"

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

struct Options {
    int quality = 35;
    unsigned target = 0;
    unsigned threads = std::max(1u, std::thread::hardware_concurrency() / 2);
    std::wstring out;
    std::vector<std::wstring> files;
};

bool Parse(int argc, wchar_t** argv, Options& o)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring a = argv[i];
        bool more = i + 1 < argc;
        if (a == L"--quality" && more) o.quality = std::stoi(argv[++i]);
        else if (a == L"--target" && more) o.target = static_cast<unsigned>(std::stoul(argv[++i]));
        else if (a == L"--threads" && more) o.threads = static_cast<unsigned>(std::stoul(argv[++i]));
        else if (a == L"--out" && more) o.out = argv[++i];
        else o.files.push_back(a);
    }
    return !o.out.empty() && !o.files.empty() && o.threads > 0;
}

bool ConvertOne(const Options& o, const std::wstring& file, unsigned long long& bytes)
{
    std::filesystem::path out = std::filesystem::path(o.out) / std::filesystem::path(file).filename();
    IImageConverter* c = CrceateImgConvert();
    bool ok = c->Load(Utf8(file).c_str()) && c->PrepareImage(0) && c->SetOutputFormat("JPG") &&
              c->SetEncoding(o.quality, "JPG", o.target) && c->Save(Utf8(out.wstring()).c_str());
    if (!ok) std::fprintf(stderr, "%s: %s\n", Utf8(file).c_str(), c->GetLastErrorText());
    ReleaseImgConvert(c);
    std::error_code ignored;
    if (ok) bytes += std::filesystem::file_size(out, ignored);
    return ok;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    setvbuf(stdout, nullptr, _IONBF, 0);
    Options o;
    if (!Parse(argc, argv, o)) {
        std::fprintf(stderr, "usage: image_convert_dll --quality Q [--target BYTES] [--threads N] --out DIR FILE...\n");
        return 2;
    }
    std::filesystem::create_directories(o.out);
    std::atomic<size_t> next{0};
    std::atomic<unsigned long long> bytes{0};
    std::atomic<int> failed{0};
    auto start = std::chrono::steady_clock::now();
    std::vector<std::thread> workers;
    for (unsigned t = 0; t < o.threads; ++t)
        workers.emplace_back([&] {
            unsigned long long mine = 0;
            for (size_t i; (i = next++) < o.files.size();)
                if (!ConvertOne(o, o.files[i], mine)) ++failed;
            bytes += mine;
        });
    for (auto& w : workers) w.join();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("files=%zu workers=%u seconds=%.3f out_bytes=%llu failed=%d\n", o.files.size(), o.threads, seconds,
                bytes.load(), failed.load());
    return failed ? 1 : 0;
}
