#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>
#include <shlobj.h>

#include "app/core/AppPaths.h"
#include "app/core/CorePath.h"
#include "app/core/FileNames.h"
#include "app/core/OsInfo.h"
#include "app/core/SStringBridge.h"
#include "tests/app/core/AppDataGuard.h"
#include "tests/app/core/TempFolder.h"

namespace {

std::wstring Std(const DUI::SStringW& s) { return ToStdString(s); }
DUI::SStringW S(const std::wstring& s) { return ToSString(s); }

TEST(FileNames, TitleAndExtensionOfAPath)
{
    struct Case { const char* name; std::wstring path, title, extS, extension, baseName, parent; };
    const Case cases[] = {
        {"two dots", L"C:\\a\\b.c.jpg", L"b.c", L"jpg", L"jpg", L"b.c", L"C:\\a\\"},
        {"upper case", L"C:\\a\\b.JPG", L"b", L"JPG", L"JPG", L"b", L"C:\\a\\"},
        {"dot in folder only", L"C:\\dir.old\\name", L"name", L"", L"", L"name", L"C:\\dir.old\\"},
        {"no extension", L"C:\\a\\README", L"README", L"", L"", L"README", L"C:\\a\\"},
        {"double extension", L"C:\\a\\x.pdf.pdf", L"x.pdf", L"pdf", L"pdf", L"x.pdf", L"C:\\a\\"},
        {"tar.gz", L"C:\\a\\b.tar.gz", L"b.tar", L"gz", L"gz", L"b.tar", L"C:\\a\\"},
        {"name equals folder", L"C:\\abc\\abc", L"abc", L"", L"", L"abc", L"C:\\abc\\"},
        {"bare name", L"report.pdf", L"report", L"pdf", L"pdf", L"report", L""},
        {"chinese", L"D:\\文档\\报告.pdf", L"报告", L"pdf", L"pdf", L"报告", L"D:\\文档\\"},
        {"file.txt", L"C:\\dir\\file.txt", L"file", L"txt", L"txt", L"file", L"C:\\dir\\"},
        {"blank after the dot", L"C:\\a\\v1.2 draft", L"v1.2 draft", L"", L"", L"v1.2 draft", L"C:\\a\\"},
        {"forward slashes", L"C:/a/b.png", L"b", L"png", L"png", L"b", L"C:/a/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Std(GetFileTitleS(S(c.path))), c.title);
        EXPECT_EQ(Std(GetFileExtS(S(c.path))), c.extS);
        EXPECT_EQ(GetFileExtension(c.path), c.extension);
        EXPECT_EQ(GetFileBaseName(c.path), c.baseName);
        EXPECT_EQ(GetParentFolder(c.path), c.parent);
    }
}

TEST(FileNames, SizeTextHasOneDecimalAndUnitsUpToGigabytes)
{
    struct Case { uint64_t bytes; std::wstring text; };
    const Case cases[] = {
        {0, L"0.0 B"}, {500, L"500.0 B"}, {1023, L"1023.0 B"}, {1024, L"1.0 KB"},
        {1536, L"1.5 KB"}, {2047, L"1.9 KB"}, {1048576, L"1.0 MB"}, {1073741824, L"1.0 GB"},
        {5ull * 1024 * 1024 * 1024 + 512ull * 1024 * 1024, L"5.5 GB"},
        {2048ull * 1024 * 1024 * 1024, L"2048.0 GB"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(Std(FormatFileSize(c.bytes)), c.text);
    }
}

TEST(FileNames, FileSizeOfExistingAndMissingFiles)
{
    TempFolder dir;
    TempFolder::WriteFile(dir / L"five.bin", "12345");
    TempFolder::WriteFile(dir / L"空.bin", "");
    EXPECT_EQ(GetFileSize64(S(dir / L"five.bin")), 5u);
    EXPECT_EQ(GetFileSize64(S(dir / L"空.bin")), 0u);
    EXPECT_EQ(GetFileSize64(S(dir / L"missing.bin")), 0u);
}

std::wstring ShellFolder(int csidl)
{
    wchar_t buffer[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, buffer, csidl, FALSE);
    return buffer;
}

TEST(AppPaths, FoldersAreBuiltOnTheCommonAppDataFolder)
{
    std::wstring common = ShellFolder(CSIDL_COMMON_APPDATA);
    ASSERT_FALSE(common.empty());
    EXPECT_EQ(Std(GetCommonAppDataPath()), common);
    EXPECT_EQ(Std(GetDesktopPath()), ShellFolder(CSIDL_DESKTOP));
    EXPECT_EQ(Std(GetAppDataDir()), common + L"\\VeskPDF2Image\\");
    EXPECT_EQ(Std(GetTempDir()), common + L"\\VeskPDF2Image\\temp\\");
    EXPECT_EQ(Std(GetWatermarkDir()), common + L"\\VeskPDF2Image\\watermark\\");
    EXPECT_EQ(GetCommonAppDataPathW(), common + L"\\");
    EXPECT_EQ(GetConfigIniPathW(), common + L"\\VeskPDF2Image\\config.ini");
}

TEST(AppPaths, EnsureAppDataFoldersCreatesDataAndWatermarkFolders)
{
    AppDataGuard guard;
    EnsureAppDataFolders();
    EXPECT_TRUE(TempFolder::IsFolder(Std(GetAppDataDir())));
    EXPECT_TRUE(TempFolder::IsFolder(Std(GetWatermarkDir())));
}

TEST(CorePath, SeparatorsAndModulePath)
{
    struct Case { std::wstring in, out; };
    const Case cases[] = {{L"C:/a/b", L"C:\\a\\b"}, {L"C:\\a\\b", L"C:\\a\\b"}, {L"", L""}, {L"//srv/x/", L"\\\\srv\\x\\"}};
    for (auto c : cases) {
        ToBackslashes(c.in);
        EXPECT_EQ(c.in, c.out);
    }
    const Case trimmed[] = {{L"C:\\out\\temp\\", L"C:\\out\\temp"}, {L"C:\\out\\\\", L"C:\\out"},
                            {L"C:\\out", L"C:\\out"}, {L"C:\\", L"C:\\"}, {L"\\", L"\\"}, {L"", L""}};
    for (const auto& c : trimmed)
        EXPECT_EQ(WithoutTrailingBackslash(c.in), c.out);
    // The joining convention: one backslash goes, also a root's.
    const Case joinBase[] = {{L"C:\\out\\", L"C:\\out"}, {L"C:\\out\\\\", L"C:\\out\\"}, {L"C:\\", L"C:"},
                             {L"\\", L"\\"}, {L"", L""}};
    for (const auto& c : joinBase)
        EXPECT_EQ(WithoutOneTrailingBackslash(c.in), c.out);
    const Case ended[] = {{L"C:\\out", L"C:\\out\\"}, {L"C:\\out\\", L"C:\\out\\"}, {L"C:/out/", L"C:/out/"},
                          {L"C:", L"C:\\"}, {L"", L"\\"}};
    for (const auto& c : ended)
        EXPECT_EQ(WithTrailingBackslash(c.in), c.out);
    std::wstring module;
    ASSERT_TRUE(GetModulePath(module));
    EXPECT_NE(module.find(L"test_app_core.exe"), std::wstring::npos) << std::string(module.begin(), module.end());
    EXPECT_EQ(GetModuleFolder() + L"\\test_app_core.exe", module);
}

TEST(OsInfo, ProductNameTable)
{
    struct Case { const char* name; OsVersionFacts facts; std::wstring expected; };
    auto f = [](unsigned long major, unsigned long minor, unsigned long build, unsigned char type,
                unsigned long platform = 2, unsigned short arch = 9, int r2 = 0) {
        OsVersionFacts v;
        v.major = major; v.minor = minor; v.build = build; v.productType = type;
        v.platformId = platform; v.processorArch = arch; v.serverR2 = r2;
        return v;
    };
    const Case cases[] = {
        {"win11 by build", f(10, 0, 22000, 1), L"Microsoft Windows 11"},
        {"win11 threshold", f(10, 0, 21996, 3), L"Microsoft Windows 11"},
        {"win10", f(10, 0, 19045, 1), L"Microsoft Windows 10"},
        {"server 2016", f(10, 0, 14393, 3), L"Microsoft Windows Server 2016 Technical Preview"},
        {"6.4 unknown", f(6, 4, 9800, 1), L"unknown"},
        {"win7", f(6, 1, 7601, 1), L"Microsoft Windows 7"},
        {"2008 R2", f(6, 1, 7601, 3), L"Microsoft Windows Server 2008 R2"},
        {"8.1", f(6, 3, 9600, 1), L"Microsoft Windows 8.1"},
        {"vista", f(6, 0, 6002, 1), L"Microsoft Windows Vista"},
        {"xp x64", f(5, 2, 3790, 1, 2, 9), L"Microsoft Windows XP Professional x64 Edition"},
        {"2003", f(5, 2, 3790, 3, 2, 9, 0), L"Microsoft Windows Server 2003"},
        {"2003 R2", f(5, 2, 3790, 3, 2, 9, 1), L"Microsoft Windows Server 2003 R2"},
        {"xp", f(5, 1, 2600, 1), L"Microsoft Windows XP"},
        {"nt4", f(4, 0, 1381, 1, 2), L"Microsoft Windows NT 4.0"},
        {"95", f(4, 0, 950, 1, 1), L"Microsoft Windows 95"},
        {"98", f(4, 10, 1998, 1, 1), L"Microsoft Windows 98"},
        {"me", f(4, 90, 3000, 1, 1), L"Microsoft Windows Me"},
        {"2000", f(5, 0, 2195, 1), L"Microsoft Windows 2000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(OsProductNameFor(c.facts), c.expected);
    }
}

TEST(OsInfo, RunningSystemHasANameFromTheTable)
{
    ASSERT_TRUE(QueryRtlVersion());
    EXPECT_TRUE(QueryRtlVersion()) << "a second query keeps its answer";
    std::wstring name = GetOSProductName();
    EXPECT_EQ(name.rfind(L"Microsoft Windows ", 0), 0u) << std::string(name.begin(), name.end());
}

} // namespace
