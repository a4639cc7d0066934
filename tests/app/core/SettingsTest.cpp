#include <gtest/gtest.h>

#include "app/core/AppPaths.h"
#include "app/core/CFileIni.h"
#include "app/core/GlobalSetting.h"
#include "app/core/SStringBridge.h"
#include "app/core/TextEncoding.h"
#include "tests/app/core/AppDataGuard.h"
#include "tests/app/core/TempFolder.h"
#include "tests/app/core/Utf16File.h"

namespace {

class CFileIniTest : public ::testing::Test {
protected:
    void UseFile(const std::wstring& content)
    {
        TempFolder::WriteFile(m_path, Utf16File(content));
        m_ini.SetFile(m_path);
        m_ini.SetSection(L"PUBLIC");
    }

    TempFolder m_dir;
    std::wstring m_path = m_dir / L"config.ini";
    CFileIni m_ini;
};

TEST_F(CFileIniTest, MissingFileIsCreatedAsEmptyUtf16)
{
    m_ini.SetFile(m_path);
    EXPECT_EQ(TempFolder::ReadFile(m_path), "\xFF\xFE");
    m_ini.SetFile(m_path);
    EXPECT_EQ(TempFolder::ReadFile(m_path), "\xFF\xFE") << "an existing file is left alone";
}

TEST_F(CFileIniTest, ExistingFileIsNotEmptied)
{
    UseFile(L"[PUBLIC]\r\nkey=value\r\n");
    CFileIni again;
    again.SetFile(m_path);
    again.SetSection(L"PUBLIC");
    EXPECT_EQ(again.GetString(L"key", L"d"), L"value");
}

TEST_F(CFileIniTest, FileInAMissingFolderReadsDefaults)
{
    CFileIni ini;
    ini.SetFile(m_dir / L"no\\such\\config.ini");
    ini.SetSection(L"PUBLIC");
    EXPECT_FALSE(TempFolder::Exists(m_dir / L"no"));
    EXPECT_EQ(ini.GetString(L"a", L"def"), L"def");
    EXPECT_EQ(ini.GetInt(L"a", 7), 7);
    EXPECT_TRUE(ini.GetBool(L"a"));
    EXPECT_FALSE(ini.WriteInt(L"a", 1));
}

TEST_F(CFileIniTest, ReadsFollowTheValueRules)
{
    UseFile(L"[PUBLIC]\r\n"
            L"zero=0\r\nempty=\r\nabc=abc\r\ntwo=2\r\none=1\r\nminus=-1\r\n"
            L"blank42= 42\r\nx=x\r\nsigned=+15px\r\nlong=" + std::wstring(300, L'L') + L"\r\n"
            L"[OTHER]\r\nonlyhere=5\r\n");
    struct BoolCase { const wchar_t* key; bool expected; };
    const BoolCase bools[] = {{L"zero", false}, {L"empty", true}, {L"abc", false}, {L"two", true},
                              {L"one", true}, {L"minus", false}, {L"missing", true}, {L"onlyhere", true}};
    for (const auto& c : bools) {
        SCOPED_TRACE(std::string(c.key, c.key + wcslen(c.key)));
        EXPECT_EQ(m_ini.GetBool(c.key), c.expected);
    }
    struct IntCase { const wchar_t* key; int expected; };
    const IntCase ints[] = {{L"blank42", 42}, {L"x", 0}, {L"missing", -9}, {L"empty", -9},
                            {L"signed", 15}, {L"minus", -1}};
    for (const auto& c : ints) {
        SCOPED_TRACE(std::string(c.key, c.key + wcslen(c.key)));
        EXPECT_EQ(m_ini.GetInt(c.key, -9), c.expected);
    }
    EXPECT_EQ(m_ini.GetString(L"long", L""), std::wstring(259, L'L'));
    EXPECT_EQ(m_ini.GetString(L"empty", L"fallback"), L"fallback");
    m_ini.SetSection(L"OTHER");
    EXPECT_EQ(m_ini.GetInt(L"onlyhere", 0), 5);
}

TEST_F(CFileIniTest, WritesLandInTheSectionAsUtf16)
{
    m_ini.SetFile(m_path);
    m_ini.SetSection(L"PUBLIC");
    EXPECT_TRUE(m_ini.WriteBool(L"doneCreatDir", false));
    EXPECT_TRUE(m_ini.WriteInt(L"count", -12));
    m_ini.WriteString(L"outputdir", L"D:\\输出\\VeskPDF转图片");

    std::string bytes = TempFolder::ReadFile(m_path);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    std::wstring text = FromUtf16File(bytes);
    EXPECT_NE(text.find(L"[PUBLIC]"), std::wstring::npos);
    EXPECT_NE(text.find(L"doneCreatDir=0"), std::wstring::npos);
    EXPECT_NE(text.find(L"outputdir=D:\\输出\\VeskPDF转图片"), std::wstring::npos);

    CFileIni reader;
    reader.SetFile(m_path);
    reader.SetSection(L"PUBLIC");
    EXPECT_FALSE(reader.GetBool(L"doneCreatDir"));
    EXPECT_EQ(reader.GetInt(L"count", 0), -12);
    EXPECT_EQ(reader.GetString(L"outputdir", L""), L"D:\\输出\\VeskPDF转图片");
    EXPECT_TRUE(reader.WriteBool(L"doneCreatDir", true));
    EXPECT_TRUE(reader.GetBool(L"doneCreatDir"));
}

TEST(GlobalSettingTest, SingletonOverTheDataFolderConfig)
{
    AppDataGuard guard;
    EnsureAppDataFolders();
    std::wstring expected = ToStdString(GetCommonAppDataPath()) + L"\\VeskPDF2Image\\config.ini";
    EXPECT_EQ(ToStdString(GlobalSetting::GetConfigIniPath()), expected);

    GlobalSetting& setting = GlobalSetting::Instance();
    EXPECT_EQ(&setting, &GlobalSetting::Instance());
    EXPECT_EQ(setting.GetFile(), expected);
    EXPECT_TRUE(TempFolder::Exists(expected));
    EXPECT_TRUE(setting.doneOpenFile);
    EXPECT_FALSE(setting.doneCreatDir);
    EXPECT_FALSE(setting.loggedIn);
    std::string bytes = TempFolder::ReadFile(expected);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE") << "the settings file is UTF-16LE";
}

} // namespace
