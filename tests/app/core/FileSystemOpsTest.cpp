#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

#include "app/core/FolderCreate.h"
#include "app/core/ShellFileOps.h"
#include "app/core/SStringBridge.h"
#include "app/core/UniqueFileName.h"
#include "tests/app/core/TempFolder.h"

namespace {

std::wstring Std(const DUI::SStringW& s) { return ToStdString(s); }
DUI::SStringW S(const std::wstring& s) { return ToSString(s); }

// Runs `work(thread index)` on several threads released together.
template <typename Work>
void RunTogether(int threads, Work work)
{
    std::atomic<bool> go{false};
    std::vector<std::thread> pool;
    for (int t = 0; t < threads; ++t)
        pool.emplace_back([&, t] {
            while (!go)
                std::this_thread::yield();
            work(t);
        });
    go = true;
    for (auto& th : pool)
        th.join();
}

class FileSystemOpsTest : public ::testing::Test {
protected:
    TempFolder m_dir;
};

TEST_F(FileSystemOpsTest, CreateDirectoryTreeMakesEveryMissingLevel)
{
    std::wstring deep = m_dir / L"a\\b\\c";
    EXPECT_TRUE(CreateDirectoryTree(S(deep)));
    EXPECT_TRUE(TempFolder::IsFolder(deep));
    EXPECT_TRUE(CreateDirectoryTree(S(deep))) << "an existing tree is success";
    EXPECT_TRUE(CreateDirectoryTreeW(m_dir / L"x\\y\\")) << "trailing backslash";
    EXPECT_TRUE(TempFolder::IsFolder(m_dir / L"x\\y"));
    EXPECT_TRUE(CreateDirectoryTreeW(m_dir / L"中文目录\\子目录"));
    EXPECT_TRUE(TempFolder::IsFolder(m_dir / L"中文目录\\子目录"));
}

TEST_F(FileSystemOpsTest, CreateDirectoryTreeFailsWhenAFileBlocksALevel)
{
    TempFolder::WriteFile(m_dir / L"blocker", "x");
    EXPECT_FALSE(CreateDirectoryTreeW(m_dir / L"blocker\\sub"));
    EXPECT_EQ(TempFolder::ReadFile(m_dir / L"blocker"), "x");
}

TEST_F(FileSystemOpsTest, CreateDirectoryTreeGivesTrailingDotOrBlankANumber)
{
    struct Case { const char* name; std::wstring last, created; };
    const Case cases[] = {
        {"dot", L"name.", L"name.(1)"},
        {"blank", L"name ", L"name (1)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(CreateDirectoryTreeW(m_dir / c.last));
        EXPECT_TRUE(TempFolder::IsFolder(m_dir / c.created));
    }
}

TEST_F(FileSystemOpsTest, CreateDirectoryTreeFromManyThreadsOnOverlappingPaths)
{
    std::atomic<int> failures{0};
    RunTogether(8, [&](int t) {
        for (int i = 0; i < 10; ++i) {
            std::wstring path = m_dir / (L"shared\\level" + std::to_wstring(i % 3) + L"\\t" + std::to_wstring(t));
            if (!CreateDirectoryTreeW(path) || !TempFolder::IsFolder(path))
                ++failures;
        }
    });
    EXPECT_EQ(failures.load(), 0);
}

TEST_F(FileSystemOpsTest, CreateOutputFolderReusesFoldersAndStepsAroundFiles)
{
    struct Case { const char* name; std::vector<std::wstring> files, folders; std::wstring base, expected; };
    const Case cases[] = {
        {"missing", {}, {}, L"new", L"new\\"},
        {"existing folder", {}, {L"res"}, L"res", L"res\\"},
        {"file in the way", {L"out"}, {}, L"out", L"out(0)\\"},
        {"two files in the way", {L"doc", L"doc(0)"}, {}, L"doc", L"doc(1)\\"},
        {"file then folder", {L"mix"}, {L"mix(0)"}, L"mix", L"mix(0)\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& f : c.files)
            TempFolder::WriteFile(m_dir / f, "keep");
        for (const auto& d : c.folders)
            CreateDirectoryW((m_dir / d).c_str(), nullptr);
        EXPECT_EQ(Std(CreateOutputFolder(S(m_dir / c.base))), m_dir / c.expected);
        EXPECT_TRUE(TempFolder::IsFolder(m_dir / c.expected));
        for (const auto& f : c.files)
            EXPECT_EQ(TempFolder::ReadFile(m_dir / f), "keep");
    }
}

TEST_F(FileSystemOpsTest, CreateOutputFolderDoesNotDoubleATrailingBackslash)
{
    const std::wstring driveRoot = m_dir.Path().substr(0, 3); // "C:\" or the like
    struct Case { const char* name; std::wstring base, expected; };
    const Case cases[] = {
        {"folder", m_dir / L"sub\\", m_dir / L"sub\\"},
        {"drive root", driveRoot, driveRoot},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Std(CreateOutputFolder(S(c.base))), c.expected);
    }
}

TEST_F(FileSystemOpsTest, ReserveUniqueFileNumbersAroundExistingFiles)
{
    TempFolder::WriteFile(m_dir / L"a.jpg", "first");
    TempFolder::WriteFile(m_dir / L"a(1).jpg", "second");
    std::wstring folder = m_dir.Path();
    folder.pop_back(); // the function adds the backslash itself
    std::wstring got = Std(ReserveUniqueFile(S(folder), L"a", L"jpg"));
    EXPECT_EQ(got, m_dir / L"a(2).jpg");
    EXPECT_TRUE(TempFolder::Exists(got));
    EXPECT_EQ(TempFolder::ReadFile(got), "");
    EXPECT_EQ(TempFolder::ReadFile(m_dir / L"a.jpg"), "first");
    EXPECT_EQ(TempFolder::ReadFile(m_dir / L"a(1).jpg"), "second");
    EXPECT_EQ(Std(ReserveUniqueFile(S(m_dir.Path()), L"页面", L"png")), m_dir / L"页面.png");
}

TEST_F(FileSystemOpsTest, ReserveUniqueFileStepsOverAFolderOfTheSameName)
{
    CreateDirectoryW((m_dir / L"b.png").c_str(), nullptr);
    EXPECT_EQ(Std(ReserveUniqueFile(S(m_dir.Path()), L"b", L"png")), m_dir / L"b(1).png");
}

TEST_F(FileSystemOpsTest, ReserveUniqueFileGivesEmptyWhenNothingCanBeCreated)
{
    struct Case { const char* name; std::wstring folder, file; };
    const Case cases[] = {
        {"missing folder", m_dir / L"nope", L"a"},
        {"name too long", m_dir.Path(), std::wstring(260, L'n')},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Std(ReserveUniqueFile(S(c.folder), S(c.file), L"jpg")), L"");
    }
}

// The reason reaches the caller: the call that failed, its code and the name it tried.
TEST_F(FileSystemOpsTest, ReserveUniqueFileTellsWhyNoNameWasReserved)
{
    struct Case { const char* name; std::wstring folder, file; const wchar_t* call; unsigned long code; std::wstring path; };
    const std::wstring longName(260, L'n');
    const Case cases[] = {
        {"missing folder", m_dir / L"nope", L"a", L"CreateFileW", ERROR_PATH_NOT_FOUND, m_dir / L"nope\\a.jpg"},
        {"name too long", m_dir.Path(), longName, L"MAX_PATH", ERROR_FILENAME_EXCED_RANGE,
         m_dir.Path() + longName + L".jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring reserved = L"stale";
        const CallStatus status = ReserveUniqueFile(c.folder, c.file, L"jpg", reserved);
        EXPECT_FALSE(status.Ok());
        EXPECT_EQ(status.Call(), c.call);
        EXPECT_EQ(status.Code(), c.code);
        EXPECT_EQ(status.Path(), c.path);
        EXPECT_EQ(reserved, L"");
    }
    std::wstring reserved;
    const CallStatus status = ReserveUniqueFile(m_dir.Path(), L"ok", L"png", reserved);
    EXPECT_TRUE(status.Ok());
    EXPECT_EQ(status.Text(), L"");
    EXPECT_EQ(reserved, m_dir / L"ok.png");
}

TEST_F(FileSystemOpsTest, CreateDirectoryTreeTellsWhichLevelFailedAndWhy)
{
    TempFolder::WriteFile(m_dir / L"blocker", "x");
    const CallStatus status = TryCreateDirectoryTree(m_dir / L"blocker\\sub\\deeper");
    EXPECT_FALSE(status.Ok());
    EXPECT_EQ(status.Call(), L"CreateDirectoryW");
    EXPECT_EQ(status.Code(), static_cast<unsigned long>(ERROR_ALREADY_EXISTS));
    EXPECT_EQ(status.Path(), m_dir / L"blocker\\");
    EXPECT_EQ(status.Text(), L"CreateDirectoryW failed (183): " + (m_dir / L"blocker\\"));
    EXPECT_TRUE(TryCreateDirectoryTree(m_dir / L"fine\\tree").Ok());
}

TEST_F(FileSystemOpsTest, ReserveUniqueFileNeverHandsOutOneNameTwiceAcrossThreads)
{
    TempFolder::WriteFile(m_dir / L"page.png", "original");
    constexpr int kThreads = 8, kEach = 25;
    std::vector<std::vector<std::wstring>> got(kThreads);
    RunTogether(kThreads, [&](int t) {
        for (int i = 0; i < kEach; ++i)
            got[t].push_back(Std(ReserveUniqueFile(S(m_dir.Path()), L"page", L"png")));
    });
    std::set<std::wstring> unique;
    for (const auto& list : got)
        for (const auto& path : list) {
            EXPECT_FALSE(path.empty());
            EXPECT_TRUE(TempFolder::Exists(path));
            unique.insert(path);
        }
    EXPECT_EQ(unique.size(), size_t(kThreads * kEach));
    EXPECT_EQ(unique.count(m_dir / L"page.png"), 0u);
    EXPECT_EQ(TempFolder::ReadFile(m_dir / L"page.png"), "original");
}

TEST_F(FileSystemOpsTest, MakeNumberedFileNameChoosesTheFirstFreeNumber)
{
    struct Case { const char* name; std::vector<std::wstring> existing; std::wstring path, expected; };
    const Case cases[] = {
        {"free", {}, L"p.png", L"p.png"},
        {"taken twice", {L"q.png", L"q_0.png"}, L"q.png", L"q_1.png"},
        {"taken once", {L"r.jpg"}, L"r.jpg", L"r_0.jpg"},
        {"no extension", {L"plain"}, L"plain", L"plain_0"},
        {"dotted title", {L"a.b.pdf"}, L"a.b.pdf", L"a.b_0.pdf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const auto& f : c.existing)
            TempFolder::WriteFile(m_dir / f, "old");
        std::wstring got = Std(MakeNumberedFileName(S(m_dir / c.path)));
        EXPECT_EQ(got, m_dir / c.expected);
        EXPECT_TRUE(TempFolder::Exists(got));
        for (const auto& f : c.existing)
            EXPECT_EQ(TempFolder::ReadFile(m_dir / f), "old");
    }
}

TEST_F(FileSystemOpsTest, MakeNumberedFileNameInAMissingFolderReturnsThePath)
{
    std::wstring path = m_dir / L"later\\x.png";
    EXPECT_EQ(Std(MakeNumberedFileName(S(path))), path);
    EXPECT_FALSE(TempFolder::Exists(m_dir / L"later"));
}

TEST_F(FileSystemOpsTest, MakeNumberedFileNameNeverHandsOutOneNameTwiceAcrossThreads)
{
    constexpr int kThreads = 8, kEach = 20;
    std::vector<std::vector<std::wstring>> got(kThreads);
    RunTogether(kThreads, [&](int t) {
        for (int i = 0; i < kEach; ++i)
            got[t].push_back(Std(MakeNumberedFileName(S(m_dir / L"img.jpg"))));
    });
    std::set<std::wstring> unique;
    for (const auto& list : got)
        unique.insert(list.begin(), list.end());
    EXPECT_EQ(unique.size(), size_t(kThreads * kEach));
}

TEST_F(FileSystemOpsTest, ShellDeletePermanentRemovesFilesAndWholeTrees)
{
    CreateDirectoryTreeW(m_dir / L"tree\\inner");
    TempFolder::WriteFile(m_dir / L"tree\\inner\\f.txt", "x");
    TempFolder::WriteFile(m_dir / L"single.txt", "y");
    EXPECT_TRUE(ShellDeletePermanent(S(m_dir / L"tree")));
    EXPECT_FALSE(TempFolder::Exists(m_dir / L"tree"));
    std::wstring forward = m_dir / L"single.txt";
    for (auto& c : forward)
        if (c == L'\\')
            c = L'/';
    EXPECT_TRUE(ShellDeletePermanent(S(forward))) << "forward slashes are accepted";
    EXPECT_FALSE(TempFolder::Exists(m_dir / L"single.txt"));
    // The data folder's temp folder is passed as it is built, with its backslash.
    CreateDirectoryTreeW(m_dir / L"temp\\inner");
    TempFolder::WriteFile(m_dir / L"temp\\inner\\list", "x");
    EXPECT_TRUE(ShellDeletePermanent(S(m_dir / L"temp\\")));
    EXPECT_FALSE(TempFolder::Exists(m_dir / L"temp"));
    EXPECT_FALSE(ShellDeletePermanent(DUI::SStringW()));
    EXPECT_TRUE(TempFolder::IsFolder(m_dir.Path())) << "an empty path deletes nothing";
}

TEST_F(FileSystemOpsTest, DeleteMagickTempFilesRemovesOnlyTheEnginesFiles)
{
    TempFolder::WriteFile(m_dir / L"magick-1a2b", "t");
    TempFolder::WriteFile(m_dir / L"magick-zz.tmp", "t");
    TempFolder::WriteFile(m_dir / L"Magick-x", "k");
    TempFolder::WriteFile(m_dir / L"photo.jpg", "k");
    CreateDirectoryW((m_dir / L"magick-dir").c_str(), nullptr);
    DeleteMagickTempFiles(m_dir.Path());
    EXPECT_FALSE(TempFolder::Exists(m_dir / L"magick-1a2b"));
    EXPECT_FALSE(TempFolder::Exists(m_dir / L"magick-zz.tmp"));
    EXPECT_TRUE(TempFolder::Exists(m_dir / L"Magick-x"));
    EXPECT_TRUE(TempFolder::Exists(m_dir / L"photo.jpg"));
    EXPECT_TRUE(TempFolder::IsFolder(m_dir / L"magick-dir"));
}

TEST_F(FileSystemOpsTest, OpenFolderInExplorerCreatesAMissingFolder)
{
    // Only the missing-folder branch: an existing folder would start Explorer.
    std::wstring missing = m_dir / L"open\\me";
    OpenFolderInExplorer(nullptr, S(missing));
    EXPECT_TRUE(TempFolder::IsFolder(missing));
}

} // namespace
