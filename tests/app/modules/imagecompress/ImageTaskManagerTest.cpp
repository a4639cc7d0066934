#include "app/modules/imagecompress/ImageTaskManager.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/core/FileNames.h"
#include "app/core/SStringBridge.h"
#include "app/core/TextEncoding.h"
#include "app/modules/imagecompress/CImgAnalyzeTask.h"
#include "tests/app/core/AppDataGuard.h"
#include "tests/app/modules/imagecompress/FakeImageEngine.h"
#include "tests/app/modules/imagecompress/ResultWindow.h"
#include "tests/support/TempFolder.h"

using fakeengine::FakeEngine;

namespace {

class ImageTaskManagerTest : public ::testing::Test {
protected:
    ImageConvertOptions OptionsFor(const wchar_t* format)
    {
        ImageConvertOptions o;
        o.formatName = format;
        o.outputFolder = m_out.c_str();
        o.location = 2;
        o.createSubfolder = false;
        return o;
    }
    ImageFileItem ItemFor(const std::wstring& name)
    {
        ImageFileItem item;
        item.path = m_folder.Write(name, "bytes").c_str();
        item.extension = GetFileExtS(item.path);
        return item;
    }

    // The manager makes the module's folder in the program's data folder.
    AppDataGuard m_data;
    testsupport::TempFolder m_folder{L"imgmgr"};
    std::wstring m_out = m_folder.File(L"out");
    FakeEngine m_engine;
    ResultWindow m_window;
};

} // namespace

TEST(ImageTaskManagerWorkers, HalfTheHardwareThreadsAtLeastOne)
{
    struct Case { unsigned threads; int workers; };
    for (const Case& c : {Case{0, 1}, Case{1, 1}, Case{2, 1}, Case{3, 1}, Case{8, 4}, Case{16, 8}}) {
        SCOPED_TRACE(c.threads);
        EXPECT_EQ(ImageTaskManager::WorkerCountFor(c.threads), c.workers);
    }
    EXPECT_EQ(ImageTaskManager::TaskKey(L"C:\\a b\\x.jpg"), L"convert|C:\\a b\\x.jpg");
}

TEST_F(ImageTaskManagerTest, MakesTheModuleFolderAndKnowsTheReadableFormats)
{
    ImageTaskManager manager(m_engine);
    EXPECT_TRUE(std::filesystem::is_directory(ToStdString(GetImageModuleDir())));
    EXPECT_EQ(manager.readableFormats.size(), 82u);
}

TEST_F(ImageTaskManagerTest, KeepFormatByTheExactExtension)
{
    ImageTaskManager manager(m_engine);
    manager.SetMaxWorkers(1);
    struct Case { const wchar_t* name; const char* format; const wchar_t* output; };
    const Case cases[] = {
        {L"photo.png", "PNG", L"photo.png"},
        {L"shot.PNG", "JPG", L"shot.jpg"},
        {L"scan.bmp", "BMP", L"scan.bmp"},
        {L"image.gif", "JPG", L"image.jpg"},
        {L"pic.jpeg", "JPG", L"pic.jpg"},
    };
    size_t done = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(ToUtf8(c.name));
        manager.AddConvertTask(ItemFor(c.name), OptionsFor(L"keepfmt"), m_window.Hwnd());
        ASSERT_TRUE(m_window.WaitForResults(++done));
        EXPECT_EQ(m_engine.calls.format, c.format);
        EXPECT_EQ(ToStdString(m_window.results.back()->outputPath), m_out + L"\\" + c.output);
    }
    ASSERT_TRUE(m_window.WaitForIdle());
}

TEST_F(ImageTaskManagerTest, TheItemsProgressAndWindowGoToTheTask)
{
    ImageTaskManager manager(m_engine);
    ImageFileItem item = ItemFor(L"a.jpg");
    manager.AddConvertTask(item, OptionsFor(L"PNG24"), m_window.Hwnd());
    ASSERT_TRUE(m_window.WaitForResults(1));
    EXPECT_EQ(item.progressValue->load(), 100) << "the item's own counter moved";
    EXPECT_EQ(m_engine.calls.format, "PNG24");
    EXPECT_EQ(ToStdString(m_window.results[0]->outputPath), m_out + L"\\a.png");
    ASSERT_TRUE(m_window.WaitForIdle());
}

TEST_F(ImageTaskManagerTest, AQueuedTaskOfThePathIsReplacedAndNeverReports)
{
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> loads{0};
    m_engine.script.during = [&](const std::string& step) {
        if (step == "Load" && ++loads == 1) WaitForSingleObject(go, 30000);
    };
    ImageTaskManager manager(m_engine);
    manager.SetMaxWorkers(1);
    const ImageFileItem first = ItemFor(L"first.jpg");
    const ImageFileItem second = ItemFor(L"second.jpg");
    manager.AddConvertTask(first, OptionsFor(L"JPG"), m_window.Hwnd());
    ASSERT_TRUE(testsupport::PumpUntil([&] { return loads.load() == 1; }));
    manager.AddConvertTask(second, OptionsFor(L"BMP"), m_window.Hwnd());
    manager.AddConvertTask(second, OptionsFor(L"PNG"), m_window.Hwnd());
    EXPECT_TRUE(manager.HasConversion(second.path));
    EXPECT_EQ(manager.GetTaskNames().size(), 2u);
    SetEvent(go);
    ASSERT_TRUE(m_window.WaitForIdle());
    CloseHandle(go);
    ASSERT_EQ(m_window.results.size(), 2u);
    EXPECT_EQ(ToStdString(m_window.results[1]->outputPath), m_out + L"\\second.png");
    EXPECT_EQ(m_window.results[1]->cancelled, 0);
    EXPECT_FALSE(std::filesystem::exists(m_out + L"\\second.bmp"));
    EXPECT_FALSE(manager.HasConversion(second.path));
}

TEST_F(ImageTaskManagerTest, CancellingByPathAndAll)
{
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_engine.script.during = [&](const std::string& step) {
        if (step == "Load") WaitForSingleObject(go, 30000);
    };
    ImageTaskManager manager(m_engine);
    manager.SetMaxWorkers(1);
    const ImageFileItem a = ItemFor(L"a.jpg"), b = ItemFor(L"b.jpg"), c = ItemFor(L"c.jpg");
    for (const ImageFileItem* item : {&a, &b, &c}) manager.AddConvertTask(*item, OptionsFor(L"JPG"), m_window.Hwnd());
    EXPECT_TRUE(manager.CancelConversion(b.path));
    ASSERT_EQ(m_window.results.size(), 1u) << "a queued task reports its own cancel";
    EXPECT_EQ(ToStdString(m_window.results[0]->sourcePath), ToStdString(b.path));
    EXPECT_FALSE(manager.CancelConversion(L"Z:\\nowhere.jpg"));
    manager.CancelAllConversions();
    SetEvent(go);
    ASSERT_TRUE(m_window.WaitForIdle());
    ASSERT_TRUE(m_window.WaitForResults(3));
    CloseHandle(go);
    for (const auto& r : m_window.results) EXPECT_EQ(r->cancelled, 1);
    EXPECT_TRUE(manager.GetTaskNames().empty());
    EXPECT_TRUE(!std::filesystem::exists(m_out) || std::filesystem::is_empty(m_out));
}

TEST_F(ImageTaskManagerTest, AnalyzeFillsTheItemOrLeavesIt)
{
    ImageTaskManager manager(m_engine);
    ImageFileItem item;
    const DUI::SStringW path = m_folder.Write(L"相片.JPG", "x").c_str();
    ASSERT_EQ(manager.AnalyzeFile(path, m_window.Hwnd(), item), 0);
    EXPECT_TRUE(item.path == path);
    EXPECT_STREQ(item.name.c_str(), L"相片.JPG");
    EXPECT_STREQ(item.extension.c_str(), L"JPG") << "as written";
    EXPECT_STREQ(item.sizeText.c_str(), L"1.50KB");
    EXPECT_EQ(item.width, 4000u);
    EXPECT_EQ(item.height, 3000u);
    EXPECT_STREQ(item.dimensionsText.c_str(), L"4000*3000");

    m_engine.script.failedInfo = true;
    ImageFileItem untouched;
    EXPECT_EQ(manager.AnalyzeFile(path, m_window.Hwnd(), untouched), 2);
    EXPECT_TRUE(untouched.path.IsEmpty());
    EXPECT_EQ(manager.AnalyzeFile(L"", m_window.Hwnd(), untouched), 2);
}

TEST(CImgAnalyzeTask, SizeTexts)
{
    struct Case { uint64_t bytes; const wchar_t* text; };
    const Case cases[] = {
        {0, L"0.00B"},          {500, L"500.00B"},          {1023, L"1023.00B"},
        {1024, L"1.00KB"},      {1536, L"1.50KB"},          {1048576 + 512, L"1.00MB"},
        {1572864, L"1.50MB"},   {4294967295ull, L"3.99GB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_STREQ(FormatAnalyzedSize(c.bytes).c_str(), c.text);
    }
}

TEST(CImgAnalyzeTask, UnreadableAndEmptyLeaveTheTexts)
{
    FakeEngine engine;
    engine.script.failedInfo = true;
    CImgAnalyzeTask task(nullptr, engine);
    CImgTaskResult result;
    result.sourcePath = L"C:\\x.jpg";
    result.sizeText = L"kept";
    EXPECT_EQ(task.Run(&result), 2);
    EXPECT_EQ(result.status, 1);
    EXPECT_STREQ(result.sizeText.c_str(), L"kept");
    CImgTaskResult empty;
    EXPECT_EQ(task.Run(&empty), 2);
    EXPECT_EQ(empty.status, 3) << "an empty path touches nothing";
    EXPECT_EQ(engine.created.load(), engine.released.load());
}
