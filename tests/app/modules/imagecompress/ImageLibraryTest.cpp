// The tasks over the real image library: many converters at once, names
// that clash, and targets refused before the library makes anything.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/core/SStringBridge.h"
#include "app/core/TextEncoding.h"
#include "app/core/TaskManager.h"
#include "app/modules/imagecompress/CConvertTask.h"
#include "app/modules/imagecompress/CImgAnalyzeTask.h"
#include "tests/app/modules/imagecompress/ResultWindow.h"
#include "tests/support/TempFolder.h"

namespace {

// A 24-bit bottom-up BMP with a colour ramp: a source every build of the
// library reads.
std::string BmpBytes(int width, int height)
{
    const int stride = (width * 3 + 3) & ~3;
    const uint32_t pixels = static_cast<uint32_t>(stride * height);
    std::string b(54 + pixels, '\0');
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<uint32_t>(b.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    b[26] = 1;
    b[28] = 24;
    put32(34, pixels);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            char* p = &b[54 + y * stride + x * 3];
            p[0] = static_cast<char>(x * 255 / width);
            p[1] = static_cast<char>(y * 255 / height);
            p[2] = static_cast<char>((x + y) & 0xFF);
        }
    return b;
}

std::shared_ptr<CConvertTask> JpgTask(const std::wstring& source, const std::wstring& out, HWND window)
{
    auto task = std::make_shared<CConvertTask>();
    task->sourcePath = source.c_str();
    task->options.formatName = L"JPG";
    task->options.quality = 80;
    task->options.outputFolder = out.c_str();
    task->options.location = 2;
    task->options.createSubfolder = false;
    task->progressValue = std::make_shared<std::atomic<int>>(0);
    task->notifyWindow = window;
    return task;
}

} // namespace

TEST(ImageLibraryTasks, EightConvertersAtOnceIntoOneFolderKeepEveryOutput)
{
    testsupport::TempFolder folder(L"imgeight");
    const std::wstring out = folder.File(L"out");
    ResultWindow window;
    TaskManager manager;
    manager.SetMaxWorkers(8);
    manager.SetNotifyWindow(window.Hwnd());
    std::vector<std::shared_ptr<CConvertTask>> tasks;
    for (int i = 0; i < 8; ++i) {
        const std::wstring sub = L"src" + std::to_wstring(i);
        std::filesystem::create_directories(folder.File(sub));
        const std::wstring source = folder.Write(sub + L"\\photo.bmp", BmpBytes(320 + i, 240));
        tasks.push_back(JpgTask(source, out, window.Hwnd()));
        manager.AddTask(L"convert|" + source, tasks.back());
    }
    ASSERT_TRUE(window.WaitForResults(8));
    ASSERT_TRUE(window.WaitForIdle());
    std::set<std::wstring> names;
    std::set<uint64_t> widths;
    for (const auto& r : window.results) {
        SCOPED_TRACE(ToUtf8(ToStdString(r->sourcePath)));
        EXPECT_EQ(r->status, 2) << ToUtf8(ToStdString(r->message));
        EXPECT_EQ(r->cancelled, 0);
        names.insert(std::filesystem::path(ToStdString(r->outputPath)).filename().wstring());
        CImgTaskResult read;
        read.sourcePath = r->outputPath;
        CImgAnalyzeTask analyze;
        ASSERT_EQ(analyze.Run(&read), 0);
        EXPECT_EQ(read.height, 240u);
        widths.insert(read.width);
    }
    const std::set<std::wstring> expected = {L"photo.jpg",   L"photo_0.jpg", L"photo_1.jpg", L"photo_2.jpg",
                                             L"photo_3.jpg", L"photo_4.jpg", L"photo_5.jpg", L"photo_6.jpg"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(widths.size(), 8u) << "each output holds its own source";
    for (const auto& task : tasks) EXPECT_EQ(task->progressValue->load(), 100);
}

TEST(ImageLibraryTasks, TargetsTooLargeAreRefusedAndLeaveNothing)
{
    testsupport::TempFolder folder(L"imgbig");
    const std::wstring source = folder.Write(L"small.bmp", BmpBytes(64, 48));
    const std::wstring out = folder.File(L"out");
    ResultWindow window;
    struct Case { const char* name; int width, height, scale; };
    const Case cases[] = {{"49999 squared", 49999, 49999, 100}, {"negative ratio", -1, -1, -50}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto task = JpgTask(source, out, window.Hwnd());
        task->options.width = c.width;
        task->options.height = c.height;
        task->options.scalePercent = c.scale;
        ASSERT_TRUE(task->Run());
        ASSERT_FALSE(window.results.empty());
        const CImgTaskResult& r = *window.results.back();
        EXPECT_EQ(r.status, 3);
        EXPECT_STREQ(r.message.c_str(), L"图片尺寸过大");
        EXPECT_TRUE(std::filesystem::is_empty(out));
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"out", L"small.bmp"}));
}

TEST(ImageLibraryTasks, AnalysisOfARealFile)
{
    testsupport::TempFolder folder(L"imgread");
    const std::wstring source = folder.Write(L"图 片.bmp", BmpBytes(300, 200));
    CImgTaskResult result;
    result.sourcePath = source.c_str();
    CImgAnalyzeTask task;
    ASSERT_EQ(task.Run(&result), 0);
    EXPECT_EQ(result.width, 300u);
    EXPECT_EQ(result.height, 200u);
    EXPECT_STREQ(result.dimensionsText.c_str(), L"300*200");
    EXPECT_STREQ(result.sizeText.c_str(), L"175.83KB");   // 180054 bytes
    const std::wstring broken = folder.Write(L"broken.jpg", "not an image");
    CImgTaskResult bad;
    bad.sourcePath = broken.c_str();
    EXPECT_EQ(task.Run(&bad), 2);
    EXPECT_EQ(bad.status, 1);
}
