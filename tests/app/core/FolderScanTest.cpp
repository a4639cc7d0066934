#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "app/core/FolderScan.h"
#include "dui/core/base/SHandle.h"
#include "tests/app/core/FolderLink.h"
#include "tests/app/core/TempFolder.h"

namespace {

using Paths = std::vector<std::wstring>;

Paths Sorted(Paths paths)
{
    std::sort(paths.begin(), paths.end());
    return paths;
}

void MakeFolder(const std::wstring& path)
{
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << GetLastError();
}

void MakeFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL)
{
    DUI::SFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr));
    ASSERT_TRUE(file) << GetLastError();
}

class FolderScanTest : public ::testing::Test {
protected:
    std::wstring P(const std::wstring& rel) const { return m_dir / rel; }

    TempFolder m_dir;
};

TEST_F(FolderScanTest, FilesAndFoldersBecomeFilePaths)
{
    MakeFolder(P(L"in"));
    MakeFolder(P(L"in\\sub"));
    MakeFolder(P(L"empty"));
    MakeFile(P(L"in\\a.png"));
    MakeFile(P(L"in\\sub\\b.png"));
    MakeFile(P(L"in\\sub\\h.sys"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    const Paths inside = {P(L"in\\a.png"), P(L"in\\sub\\b.png"), P(L"in\\sub\\h.sys")};

    struct Case {
        const char* name;
        std::wstring path;
        Paths want;
    };
    const Case cases[] = {
        {"a file, as given", P(L"in\\a.png"), {P(L"in\\a.png")}},
        {"a folder, hidden files too", P(L"in"), inside},
        {"a folder with a trailing backslash", P(L"in\\"), inside},
        {"a path that does not exist", P(L"in\\none.png"), {}},
        {"an empty folder", P(L"empty"), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Paths out = {L"kept"};
        CollectFilesRecursive(c.path.c_str(), out);
        ASSERT_FALSE(out.empty());
        EXPECT_EQ(out.front(), L"kept");
        EXPECT_EQ(Sorted(Paths(out.begin() + 1, out.end())), c.want);
    }

    Paths out;
    CollectFilesRecursive(nullptr, out);
    EXPECT_TRUE(out.empty());
}

TEST_F(FolderScanTest, FolderIsListedWhereItIsMet)
{
    MakeFolder(P(L"in"));
    MakeFolder(P(L"in\\sub"));
    for (const wchar_t* name : {L"in\\1", L"in\\2", L"in\\3", L"in\\sub\\x", L"in\\sub\\y"})
        MakeFile(P(name));
    Paths out;
    CollectFilesRecursive(P(L"in").c_str(), out);
    ASSERT_EQ(out.size(), 5u);
    const auto first = std::find(out.begin(), out.end(), P(L"in\\sub\\x"));
    const auto second = std::find(out.begin(), out.end(), P(L"in\\sub\\y"));
    ASSERT_NE(first, out.end());
    ASSERT_NE(second, out.end());
    EXPECT_EQ(std::abs(first - second), 1) << "the sub-folder's files come together, where it is met";
}

// A link back to the scanned folder, a path past MAX_PATH and a folder that
// cannot be listed: the scan ends, keeps every readable file once and
// leaves out only what it cannot read.
TEST_F(FolderScanTest, LoopLongPathAndLockedFolder)
{
    MakeFolder(P(L"root"));
    MakeFile(P(L"root\\top.txt"));
    std::wstring deep = P(L"root");
    for (wchar_t c : {L'a', L'b', L'c'}) {
        deep += L"\\" + std::wstring(100, c);
        MakeFolder(deep);
    }
    const std::wstring farFile = deep + L"\\farFile.txt";
    ASSERT_GT(farFile.size(), 300u);
    MakeFile(farFile);
    MakeFolder(P(L"root\\locked"));
    MakeFile(P(L"root\\locked\\unseen.txt"));

    FolderLink loop(P(L"root\\loop"), P(L"root"));
    if (!loop.Exists())
        GTEST_SKIP() << "no folder link can be made here";
    DUI::SFileHandle lock(CreateFileW(P(L"root\\locked").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(lock) << GetLastError();

    Paths out;
    CollectFilesRecursive(P(L"root").c_str(), out);
    EXPECT_EQ(Sorted(out), Sorted({P(L"root\\top.txt"), farFile}));
}

TEST_F(FolderScanTest, TwentyThousandFilesUnderALoop)
{
    constexpr int kFolders = 20, kPerFolder = 1000;
    MakeFolder(P(L"big"));
    for (int f = 0; f < kFolders; ++f) {
        const std::wstring folder = P(L"big\\f" + std::to_wstring(f));
        MakeFolder(folder);
        for (int i = 0; i < kPerFolder; ++i)
            MakeFile(folder + L"\\" + std::to_wstring(i) + L".pdf");
    }
    FolderLink loop(P(L"big\\f7\\up"), P(L"big"));
    if (!loop.Exists())
        GTEST_SKIP() << "no folder link can be made here";

    Paths out;
    CollectFilesRecursive(P(L"big").c_str(), out);
    EXPECT_EQ(out.size(), static_cast<size_t>(kFolders * kPerFolder));
    EXPECT_EQ(std::set<std::wstring>(out.begin(), out.end()).size(), out.size());
}

} // namespace
