#include "app/modules/imagecompress/CConvertTask.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "app/core/SStringBridge.h"
#include "app/core/TextEncoding.h"
#include "tests/app/modules/imagecompress/FakeImageEngine.h"
#include "tests/app/modules/imagecompress/ResultWindow.h"
#include "tests/support/TempFolder.h"

using fakeengine::FakeEngine;

namespace {

class CConvertTaskTest : public ::testing::Test {
protected:
    std::shared_ptr<CConvertTask> MakeTask(const std::wstring& source)
    {
        auto task = std::make_shared<CConvertTask>(m_engine);
        task->sourcePath = source.c_str();
        task->options.outputFolder = m_out.c_str();
        task->options.location = 2;
        task->options.createSubfolder = false;
        task->notifyWindow = m_window.Hwnd();
        return task;
    }

    testsupport::TempFolder m_folder{L"imgtask"};
    std::wstring m_source = m_folder.Write(L"photo.jpg", "source bytes");
    std::wstring m_out = m_folder.File(L"out");
    FakeEngine m_engine;
    ResultWindow m_window;
};

} // namespace

TEST_F(CConvertTaskTest, TheResultReachesAMessageOnlyWindowFromAWorker)
{
    auto task = MakeTask(m_source);
    task->progressValue = std::make_shared<std::atomic<int>>(0);
    std::thread worker([&] { task->Run(); });
    ASSERT_TRUE(m_window.WaitForResults(1));
    worker.join();
    const CImgTaskResult& r = *m_window.results[0];
    EXPECT_EQ(ToStdString(r.sourcePath), m_source);
    EXPECT_EQ(ToStdString(r.outputPath), m_out + L"\\photo.jpg") << "one backslash after the folder";
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.cancelled, 0);
    EXPECT_TRUE(std::filesystem::exists(m_out + L"\\photo.jpg"));
    EXPECT_EQ(task->progressValue->load(), 100);
    EXPECT_EQ(m_window.results.size(), 1u);
}

TEST_F(CConvertTaskTest, OutputNamesByFormatFolderAndClash)
{
    const std::wstring srcFolder = m_folder.Folder();
    struct Case { const char* name; const wchar_t* format; int location; bool subfolder; std::wstring expected; };
    const Case cases[] = {
        {"custom folder", L"JPG", 2, false, m_out + L"\\photo.jpg"},
        {"clash", L"JPG", 2, false, m_out + L"\\photo_0.jpg"},
        {"second clash", L"JPG", 2, false, m_out + L"\\photo_1.jpg"},
        {"PNG24 is png", L"PNG24", 2, false, m_out + L"\\photo.png"},
        {"PNG8 is png", L"PNG8", 2, false, m_out + L"\\photo_0.png"},
        {"webp", L"WEBP", 2, false, m_out + L"\\photo.webp"},
        {"custom folder's sub-folder", L"JPG", 2, true, m_out + L"\\VeskPDF转图片\\photo.jpg"},
        {"source folder's sub-folder", L"BMP", 1, true, srcFolder + L"VeskPDF转图片\\photo.bmp"},
        {"beside the source, never the source", L"JPG", 1, false, srcFolder + L"photo_0.jpg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto task = MakeTask(m_source);
        task->options.formatName = c.format;
        task->options.location = c.location;
        task->options.createSubfolder = c.subfolder;
        task->BuildOutputPath();
        EXPECT_EQ(ToStdString(task->outputPath), c.expected);
        EXPECT_TRUE(std::filesystem::exists(c.expected)) << "the name is reserved";
    }
    EXPECT_EQ(std::filesystem::file_size(m_source), 12u);
}

TEST_F(CConvertTaskTest, OutputFolderAndCutTexts)
{
    ImageConvertOptions o;
    struct Case { const wchar_t* folder; bool sub; const wchar_t* expected; };
    const Case cases[] = {
        {L"D:\\out", false, L"D:\\out"},
        {L"D:\\out\\", true, L"D:\\out\\VeskPDF转图片"},
        {L"D:\\out", true, L"D:\\out\\VeskPDF转图片"},
    };
    for (const Case& c : cases) {
        o.outputFolder = c.folder;
        o.createSubfolder = c.sub;
        EXPECT_STREQ(o.GetOutputFolder().c_str(), c.expected);
    }
    EXPECT_EQ(CutAtLastBackslash(L"C:\\a\\b.jpg"), L"C:\\a");
    EXPECT_EQ(CutAtLastBackslash(L"b.jpg"), L"b.jpg");
    EXPECT_EQ(CutAtLastBackslash(L""), L"");
    EXPECT_STREQ(OutputExtension(L"PNG64").c_str(), L"png");
    EXPECT_STREQ(OutputExtension(L"TIFF").c_str(), L"tiff");
}

TEST_F(CConvertTaskTest, WithoutPathsNothingConvertsAndTheFailureIsStillSent)
{
    auto task = MakeTask(L"");
    EXPECT_TRUE(task->Run());
    ASSERT_EQ(m_window.results.size(), 1u) << "sent from this thread, handled at once";
    EXPECT_EQ(m_window.results[0]->status, 3);
    EXPECT_TRUE(m_window.results[0]->outputPath.IsEmpty());
    EXPECT_EQ(m_engine.created.load(), 0);
    EXPECT_FALSE(std::filesystem::exists(m_out)) << "no name reserved";
}

TEST_F(CConvertTaskTest, CancelOfAQueuedTaskReportsOnceAndMakesNothing)
{
    auto task = MakeTask(m_source);
    task->progressValue = std::make_shared<std::atomic<int>>(30);
    EXPECT_TRUE(task->OnCancel());
    EXPECT_TRUE(task->OnCancel()) << "the manager may cancel twice";
    EXPECT_TRUE(task->Run()) << "a worker that took it anyway";
    ASSERT_EQ(m_window.results.size(), 1u);
    const CImgTaskResult& r = *m_window.results[0];
    EXPECT_EQ(r.cancelled, 1);
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(ToStdString(r.sourcePath), m_source);
    EXPECT_TRUE(r.outputPath.IsEmpty());
    EXPECT_EQ(task->progressValue->load(), 100);
    EXPECT_EQ(m_engine.created.load(), 0);
    EXPECT_FALSE(std::filesystem::exists(m_out));
}

TEST_F(CConvertTaskTest, CancelOfARunningTaskThroughTheManager)
{
    std::atomic<bool> loading{false};
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    m_engine.script.during = [&](const std::string& step) {
        if (step != "Load") return;
        loading = true;
        WaitForSingleObject(go, 30000);
    };
    TaskManager manager;
    manager.SetNotifyWindow(m_window.Hwnd());
    auto task = MakeTask(m_source);
    manager.AddTask(L"convert|photo", task);
    ASSERT_TRUE(testsupport::PumpUntil([&] { return loading.load(); }));
    EXPECT_TRUE(manager.CancelTask(L"convert|photo"));
    EXPECT_TRUE(m_window.results.empty()) << "a running task reports through its own run";
    SetEvent(go);
    ASSERT_TRUE(m_window.WaitForResults(1));
    ASSERT_TRUE(m_window.WaitForIdle());
    CloseHandle(go);
    const CImgTaskResult& r = *m_window.results[0];
    EXPECT_EQ(r.cancelled, 1);
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(std::filesystem::is_empty(m_out)) << "the reserved output is gone";
    EXPECT_EQ(m_engine.released.load(), 1);
    EXPECT_EQ(m_window.results.size(), 1u);
}
