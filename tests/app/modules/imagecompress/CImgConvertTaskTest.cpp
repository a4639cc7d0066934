#include "app/modules/imagecompress/CImgConvertTask.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "tests/app/modules/imagecompress/FakeImageEngine.h"
#include "tests/support/TempFolder.h"

using fakeengine::FakeEngine;

namespace {

class CImgConvertTaskTest : public ::testing::Test {
protected:
    // Runs one conversion of src.jpg into out.jpg (reserved beforehand, as
    // the task's creator does) and returns its result.
    CImgTaskResult RunTask(CImgConvertTask& task)
    {
        CImgTaskResult result;
        result.sourcePath = m_source.c_str();
        result.outputPath = m_output.c_str();
        EXPECT_TRUE(task.Run(&result));
        EXPECT_EQ(m_engine.created.load(), m_engine.released.load()) << "every converter released";
        return result;
    }
    bool OutputExists() const { return std::filesystem::exists(m_output); }

    testsupport::TempFolder m_folder{L"imgconv"};
    std::wstring m_source = m_folder.Write(L"src.jpg", "source bytes");
    std::wstring m_output = m_folder.Write(L"out.jpg", "");
    FakeEngine m_engine;
};

} // namespace

TEST_F(CImgConvertTaskTest, StepsInOrderWithMonitorsForEveryStage)
{
    CImgConvertTask task(m_engine);
    task.options.quality = 35;
    const CImgTaskResult r = RunTask(task);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.cancelled, 0);
    EXPECT_TRUE(r.message.IsEmpty());
    EXPECT_EQ(m_engine.calls.stages, (std::vector<int>{0, 2, 3, 4, 1}));
    EXPECT_EQ(m_engine.calls.names,
              (std::vector<std::string>{"Load", "PrepareImage", "GetInfo", "SetOutputFormat", "SetEncoding", "Save"}))
        << "no Resize at scale 100, no SetResolution at dpi -1";
    EXPECT_EQ(m_engine.calls.format, "JPG");
    EXPECT_EQ(m_engine.calls.quality, 35);
    EXPECT_EQ(m_engine.calls.targetBytes, 0u);
    EXPECT_TRUE(OutputExists());
}

TEST_F(CImgConvertTaskTest, ResizeTargets)
{
    struct Case { const char* name; int width, height, scale; bool resized; uint32_t w, h; bool tooLarge; };
    const Case cases[] = {
        {"scale 100", -1, -1, 100, false, 0, 0, false},
        {"one side unset uses the scale", 640, -1, 100, false, 0, 0, false},
        {"half", -1, -1, 50, true, 2000, 1500, false},
        {"ratio 56", -1, -1, 56, true, 2240, 1680, false},
        {"exact size", 295, 413, 100, true, 295, 413, false},
        // A hand-edited settings file: these wrapped in unsigned arithmetic.
        {"negative scale", -1, -1, -50, false, 0, 0, true},
        {"huge scale", -1, -1, 2000000, false, 0, 0, true},
        {"49999 squared", 49999, 49999, 100, false, 0, 0, true},
        {"negative width", -5, 413, 100, false, 0, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeEngine engine;
        CImgConvertTask task(engine);
        task.options.width = c.width;
        task.options.height = c.height;
        task.options.scalePercent = c.scale;
        CImgTaskResult result;
        result.sourcePath = m_source.c_str();
        result.outputPath = m_output.c_str();
        std::filesystem::resize_file(m_output, 0);
        ASSERT_TRUE(task.Run(&result));
        const auto& names = engine.calls.names;
        EXPECT_EQ(std::count(names.begin(), names.end(), "Resize"), c.resized ? 1 : 0);
        if (c.resized) {
            EXPECT_EQ(engine.calls.resizeWidth, c.w);
            EXPECT_EQ(engine.calls.resizeHeight, c.h);
        }
        if (c.tooLarge) {
            EXPECT_STREQ(result.message.c_str(), L"图片尺寸过大");
            EXPECT_EQ(result.status, 3);
            EXPECT_EQ(std::count(names.begin(), names.end(), "Save"), 0) << "refused before anything is made";
            EXPECT_FALSE(OutputExists());
            m_output = m_folder.Write(L"out.jpg", "");
        } else {
            EXPECT_EQ(result.status, 2);
        }
    }
}

TEST_F(CImgConvertTaskTest, TargetAbove2GBReachesTheEngineUnsignedAndResolutionIsSet)
{
    CImgConvertTask task(m_engine);
    task.options.targetSize = static_cast<int>(4293918720u);   // 4095 MB as the settings hold it
    task.options.dpi = 300;
    task.options.formatName = L"PNG24";
    EXPECT_EQ(RunTask(task).status, 2);
    EXPECT_EQ(m_engine.calls.targetBytes, 4293918720u);
    EXPECT_DOUBLE_EQ(m_engine.calls.dpi, 300.0);
    EXPECT_EQ(m_engine.calls.format, "PNG24");
}

TEST_F(CImgConvertTaskTest, AFailingStepGivesTheEnginesTextAndLeavesNoFile)
{
    for (const char* step : {"Load", "SetOutputFormat", "SetEncoding", "Save"}) {
        SCOPED_TRACE(step);
        FakeEngine engine;
        engine.script.failStep = step;
        engine.script.errorText = "无法写入输出文件";
        CImgConvertTask task(engine);
        CImgTaskResult result;
        result.sourcePath = m_source.c_str();
        result.outputPath = m_output.c_str();
        ASSERT_TRUE(task.Run(&result));
        EXPECT_EQ(result.status, 3);
        EXPECT_EQ(result.cancelled, 0);
        EXPECT_STREQ(result.message.c_str(), L"无法写入输出文件");
        EXPECT_FALSE(OutputExists()) << "the reserved output goes";
        EXPECT_TRUE(std::filesystem::exists(m_source));
        EXPECT_EQ(engine.created.load(), 1);
        EXPECT_EQ(engine.released.load(), 1);
        m_output = m_folder.Write(L"out.jpg", "");
    }
}

TEST_F(CImgConvertTaskTest, ANullResultIsRefusedAndAnEmptySourceConvertsNothing)
{
    CImgConvertTask task(m_engine);
    EXPECT_FALSE(task.Run(nullptr));
    CImgTaskResult result;
    result.outputPath = m_output.c_str();
    ASSERT_TRUE(task.Run(&result));
    EXPECT_EQ(result.status, 3);
    EXPECT_TRUE(m_engine.calls.names.empty());
    EXPECT_FALSE(OutputExists());
}

TEST_F(CImgConvertTaskTest, CancelBeforeTheRun)
{
    CImgConvertTask task(m_engine);
    task.progressValue = std::make_shared<std::atomic<int>>(0);
    EXPECT_TRUE(task.Cancel());
    EXPECT_EQ(task.progressValue->load(), 100);
    const CImgTaskResult r = RunTask(task);
    EXPECT_EQ(r.cancelled, 1);
    EXPECT_EQ(r.status, 3);
    EXPECT_TRUE(m_engine.calls.names.empty()) << "nothing is loaded";
    EXPECT_FALSE(OutputExists());
    EXPECT_TRUE(task.startedFlag.load());
}

TEST_F(CImgConvertTaskTest, CancelDuringTheRun)
{
    // Whether the engine fails its step on a cancel or finishes it, the run
    // ends there, says cancelled and leaves no file.
    struct Case { const char* step; bool engineStops; int status; };
    const Case cases[] = {{"Load", true, 3}, {"Load", false, 2}, {"SetEncoding", false, 2}, {"Save", true, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.step) + (c.engineStops ? " stops" : " finishes"));
        FakeEngine engine;
        CImgConvertTask task(engine);
        engine.script.stopWhenCancelled = c.engineStops;
        engine.script.during = [&](const std::string& step) {
            if (step == c.step) (void)task.Cancel();
        };
        CImgTaskResult result;
        result.sourcePath = m_source.c_str();
        result.outputPath = m_output.c_str();
        ASSERT_TRUE(task.Run(&result));
        EXPECT_EQ(result.cancelled, 1);
        EXPECT_EQ(result.status, c.status);
        EXPECT_FALSE(OutputExists());
        const auto& names = engine.calls.names;
        EXPECT_EQ(names.back(), c.step) << "no step after the cancelled one";
        m_output = m_folder.Write(L"out.jpg", "");
    }
}

TEST_F(CImgConvertTaskTest, ProgressNeverFallsAndEndsAt100)
{
    auto progress = std::make_shared<std::atomic<int>>(0);
    m_engine.progress = progress.get();
    CImgConvertTask task(m_engine);
    task.progressValue = progress;
    task.options.scalePercent = 50;
    EXPECT_EQ(RunTask(task).status, 2);
    const std::vector<int>& seen = m_engine.calls.progressSeen;
    ASSERT_EQ(seen.size(), 12u) << "four bands each of load, resize and save";
    for (size_t i = 1; i < seen.size(); ++i) EXPECT_GE(seen[i], seen[i - 1]) << i;
    EXPECT_EQ(seen[3], 20) << "load ends at its share";
    EXPECT_EQ(seen[7], 40) << "resize ends at its share";
    EXPECT_EQ(seen.back(), 100);
    EXPECT_EQ(progress->load(), 100);
}

TEST_F(CImgConvertTaskTest, AnOutputThatIsTheSourceIsRefusedAndTheSourceKept)
{
    for (const std::wstring& output : {m_source, m_folder.File(L"SRC.JPG")}) {
        SCOPED_TRACE(ToUtf8(output));
        FakeEngine engine;
        CImgConvertTask task(engine);
        CImgTaskResult result;
        result.sourcePath = m_source.c_str();
        result.outputPath = output.c_str();
        ASSERT_TRUE(task.Run(&result));
        EXPECT_EQ(result.status, 3);
        EXPECT_STREQ(result.message.c_str(), L"输出文件与源文件相同");
        EXPECT_TRUE(engine.calls.names.empty());
        ASSERT_TRUE(std::filesystem::exists(m_source));
        EXPECT_EQ(std::filesystem::file_size(m_source), 12u);
    }
}

TEST(CCMNProgress, StageShareOnlyRisesAndIgnoresEmptyReports)
{
    auto progress = std::make_shared<std::atomic<int>>(0);
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    CCMNProgress dither(kImageStageDither, "Dithe", 40, 25, progress, cancel);
    struct Report { long long done, total; int expected; };
    const Report reports[] = {
        {0, 0, 0},        // total 0 changes nothing
        {1, 2, 52},       // 40 + trunc(12.5)
        {1, 4, 52},       // lower: kept
        {4, 4, 65},
        {9, 4, 65},       // past the total: the stage's end
        {-3, 4, 65},
    };
    for (const Report& r : reports) {
        SCOPED_TRACE(r.done);
        EXPECT_TRUE(dither.OnProgress("Dither/x", r.done, r.total));
        EXPECT_EQ(progress->load(), r.expected);
    }
    EXPECT_EQ(dither.GetUserValue(), kImageStageDither);
    EXPECT_FALSE(dither.IsCancelled());
    cancel->store(true);
    EXPECT_TRUE(dither.IsCancelled());

    CCMNProgress detached(kImageStageLoad, "Load/", 0, 20, nullptr, cancel);
    EXPECT_TRUE(detached.OnProgress("Load/", 1, 1)) << "no counter: nothing to do";

    CCMNProgress save(kImageStageSave, "Save/", 85, 15, progress, cancel);
    save.filterActive = true;
    EXPECT_TRUE(save.OnProgress("Load/x", 1, 1));
    EXPECT_EQ(progress->load(), 65) << "another stage's tag is ignored while filtering";
    EXPECT_TRUE(save.OnProgress("Save/x", 1, 1));
    EXPECT_EQ(progress->load(), 100);
}

TEST(CCMNProgress, ARaiseNeverUndoesACancelsHundred)
{
    for (int round = 0; round < 200; ++round) {
        std::atomic<int> progress{0};
        std::atomic<bool> fell{false};
        std::thread raiser([&] {
            for (int v = 1; v <= 99; ++v) {
                RaiseProgress(progress, v);
            }
        });
        std::thread canceller([&] { progress.exchange(100); });
        canceller.join();
        for (int i = 0; i < 1000 && !fell; ++i) fell = progress.load() != 100;
        raiser.join();
        ASSERT_FALSE(fell.load());
        ASSERT_EQ(progress.load(), 100) << "round " << round;
    }
}
