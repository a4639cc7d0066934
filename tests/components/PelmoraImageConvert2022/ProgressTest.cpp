// The monitors: every step reports in bands under its own tag and never
// backwards; a cancelled 100-megapixel load or save stops within 100 ms and
// leaves nothing. And converters on eight threads at once give the bytes one
// thread gives.
#include "tests/components/PelmoraImageConvert2022/ConverterHandle.h"
#include "tests/components/PelmoraImageConvert2022/Fixtures.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using pelmoratest::ConverterHandle;
using pelmoratest::Utf8;
using Clock = std::chrono::steady_clock;

class RecordingMonitor : public IMonitorProgress {
public:
    explicit RecordingMonitor(int stage) : m_stage(stage) {}

    bool OnProgress(const char* tag, long long done, long long total) override
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_reports.push_back({tag, done, total});
        if (m_cancelAt > 0 && total > 0 && done * 100 >= total * m_cancelAt && !m_cancelled) {
            m_cancelled = true;
            m_cancelTime = Clock::now();
        }
        return true;
    }
    int GetUserValue() override { return m_stage; }
    bool IsCancelled() override { return m_cancelled; }

    void CancelAtPercent(int percent) { m_cancelAt = percent; }
    Clock::time_point CancelTime() const { return m_cancelTime; }
    bool Cancelled() const { return m_cancelled; }

    struct Report {
        std::string tag;
        long long done, total;
    };
    std::vector<Report> Reports() const { std::lock_guard<std::mutex> lock(m_lock); return m_reports; }

private:
    int m_stage;
    mutable std::mutex m_lock;
    std::vector<Report> m_reports;
    int m_cancelAt = 0;
    std::atomic<bool> m_cancelled{false};
    Clock::time_point m_cancelTime;
};

// A 24-bit BMP of the given size with a pattern, written without holding it all.
std::wstring WriteBmp(const testsupport::TempFolder& folder, const wchar_t* name, unsigned width, unsigned height)
{
    std::wstring path = folder.File(name);
    std::ofstream out(std::filesystem::path(path), std::ios::binary);
    size_t stride = (width * 3 + 3) & ~size_t{3};
    std::string header(54, '\0');
    auto put32 = [&](size_t at, unsigned v) { for (int i = 0; i < 4; ++i) header[at + i] = static_cast<char>(v >> (8 * i)); };
    header[0] = 'B'; header[1] = 'M';
    put32(2, static_cast<unsigned>(54 + stride * height)); put32(10, 54); put32(14, 40); put32(18, width); put32(22, height);
    header[26] = 1; header[28] = 24;
    out << header;
    std::string row(stride, '\0');
    for (unsigned y = 0; y < height; ++y) {
        for (unsigned x = 0; x < width; ++x) {
            row[x * 3] = static_cast<char>(x ^ y);
            row[x * 3 + 1] = static_cast<char>(y);
            row[x * 3 + 2] = static_cast<char>(x);
        }
        out.write(row.data(), static_cast<std::streamsize>(row.size()));
    }
    return path;
}

struct Monitors {
    RecordingMonitor load{0}, save{1}, resize{2}, classify{3}, dither{4};
    void Attach(IImageConverter* c)
    {
        c->SetMonitor(0, &load); c->SetMonitor(2, &resize); c->SetMonitor(3, &classify);
        c->SetMonitor(4, &dither); c->SetMonitor(1, &save);
    }
};

TEST(PelmoraProgress, EveryStepReportsUnderItsTagInBandsThatNeverGoBack)
{
    testsupport::TempFolder folder(L"pelmora");
    std::wstring source = WriteBmp(folder, L"big.bmp", 2400, 1800);
    ConverterHandle converter;
    Monitors monitors;
    monitors.Attach(converter.Get());
    ASSERT_TRUE(converter->Load(Utf8(source).c_str())) << converter.Error();
    ASSERT_TRUE(converter->Resize(1200, 900)) << converter.Error();
    ASSERT_TRUE(converter->SetOutputFormat("PNG"));
    ASSERT_TRUE(converter->SetEncoding(50, "PNG", 0));
    ASSERT_TRUE(converter->Save(Utf8(folder.File(L"out.png")).c_str())) << converter.Error();
    const std::pair<RecordingMonitor*, const char*> stages[] = {
        {&monitors.load, "Load/"}, {&monitors.resize, "Resiz"}, {&monitors.classify, "Dithe"}, {&monitors.dither, "Dithe"}, {&monitors.save, "Save/"}};
    for (const auto& [monitor, prefix] : stages) {
        SCOPED_TRACE(prefix);
        auto reports = monitor->Reports();
        ASSERT_GE(reports.size(), 3u);   // bands, not one call
        for (size_t i = 0; i < reports.size(); ++i) {
            EXPECT_EQ(reports[i].tag.substr(0, 5), prefix);
            if (i > 0 && reports[i].tag == reports[i - 1].tag) {
                EXPECT_GE(reports[i].done, reports[i - 1].done);
            }
        }
        EXPECT_EQ(reports.back().done, reports.back().total);
    }
}

// One test for both steps: the 100-megapixel source is written once.
TEST(PelmoraProgress, CancelledLoadAndSaveOfAHundredMegapixelsStopWithin100Ms)
{
    testsupport::TempFolder folder(L"pelmora");
    std::wstring source = WriteBmp(folder, L"huge.bmp", 10000, 10000);
    {
        ConverterHandle converter;
        Monitors monitors;
        monitors.Attach(converter.Get());
        monitors.load.CancelAtPercent(30);
        EXPECT_FALSE(converter->Load(Utf8(source).c_str()));
        auto stopped = Clock::now();
        ASSERT_TRUE(monitors.load.Cancelled());
        EXPECT_EQ(converter.Error(), "操作已取消");
        EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(stopped - monitors.load.CancelTime()).count(), 100);
    }
    ConverterHandle converter;
    Monitors monitors;
    monitors.Attach(converter.Get());
    ASSERT_TRUE(converter->Load(Utf8(source).c_str())) << converter.Error();
    ASSERT_TRUE(converter->SetOutputFormat("JPG"));
    monitors.save.CancelAtPercent(30);
    std::wstring out = folder.File(L"out.jpg");
    EXPECT_FALSE(converter->Save(Utf8(out).c_str()));
    auto stopped = Clock::now();
    ASSERT_TRUE(monitors.save.Cancelled());
    EXPECT_EQ(converter.Error(), "操作已取消");
    EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(stopped - monitors.save.CancelTime()).count(), 100);
    EXPECT_FALSE(std::filesystem::exists(out));
}

std::string ReadAll(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(PelmoraConcurrency, EightThreadsGiveTheBytesOfOne)
{
    const auto& fixtures = pelmoratest::Fixtures::Get();
    ASSERT_FALSE(fixtures.List().empty()) << fixtures.Error();
    testsupport::TempFolder folder(L"pelmora");
    auto convert = [&](const std::string& name, const char* format, const std::wstring& out) {
        ConverterHandle converter;
        return converter->Load(Utf8(fixtures.Path(name)).c_str()) && converter->SetOutputFormat(format) &&
               converter->Resize(90, 50) && converter->SetEncoding(60, format, 0) && converter->Save(Utf8(out).c_str());
    };
    const char* formats[] = {"JPG", "PNG", "GIF", "TIF", "WEBP"};
    std::map<std::wstring, std::string> expected;
    for (const auto& f : fixtures.List())
        for (const char* format : formats) {
            std::wstring out = folder.File(std::wstring(f.name.begin(), f.name.end()) + L"." + std::wstring(format, format + strlen(format)));
            ASSERT_TRUE(convert(f.name, format, out)) << f.name << ' ' << format;
            expected[out] = ReadAll(out);
        }
    std::atomic<int> failures{0};
    std::mutex failedLock;
    std::string failed;
    std::vector<std::thread> threads;
    for (int t = 0; t < 8; ++t)
        threads.emplace_back([&, t] {
            size_t i = 0;
            for (const auto& f : fixtures.List())
                for (const char* format : formats) {
                    if (i++ % 8 != static_cast<size_t>(t)) continue;
                    std::wstring out = folder.File(std::to_wstring(t) + L"_" + std::wstring(f.name.begin(), f.name.end()) + L"." +
                                                   std::wstring(format, format + strlen(format)));
                    std::wstring reference = folder.File(std::wstring(f.name.begin(), f.name.end()) + L"." + std::wstring(format, format + strlen(format)));
                    if (!convert(f.name, format, out) || ReadAll(out) != expected[reference]) {
                        ++failures;
                        std::lock_guard<std::mutex> lock(failedLock);
                        failed += f.name + "." + format + " ";
                    }
                }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(failures.load(), 0) << failed;
}

}  // namespace
