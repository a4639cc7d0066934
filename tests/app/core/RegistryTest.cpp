#include <gtest/gtest.h>

#include <stdexcept>

#include <winsock2.h>
#include <windows.h>
#include <sddl.h>

#include "app/core/CRegistryEx.h"

namespace {

// A private key under HKCU for one test process, deleted with its whole tree.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_path = L"Software\\VeskCoreTest_" + std::to_wstring(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  m_root.Put(), nullptr), ERROR_SUCCESS);
    }
    void TearDown() override
    {
        m_root.Reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, m_path.c_str());
    }
    void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD bytes)
    {
        ASSERT_EQ(RegSetValueExW(m_root.Get(), name, 0, type, static_cast<const BYTE*>(data), bytes), ERROR_SUCCESS);
    }
    // The message of the exception `call` throws, or "" when it does not throw.
    template <typename Call>
    static std::string Thrown(Call call)
    {
        try {
            call();
        } catch (const std::exception& e) {
            return e.what();
        }
        return {};
    }

    std::wstring m_path;
    DUI::SRegKey m_root;
};

TEST_F(RegistryTest, WrittenStringReadsBackAndMissingValueGivesDefault)
{
    CRegistryEx reg;
    reg.SetRootKey(m_root.Get());
    reg.CreateKey();
    reg.SetValueName(L"InstallDir");
    EXPECT_EQ(reg.GetSz(L"default"), L"default");
    std::wstring data = L"C:\\程序\\Vesk";
    EXPECT_EQ(reg.SetRegData(data.c_str(), DWORD((data.size() + 1) * 2)), 0);
    EXPECT_EQ(reg.GetSz(L""), data);

    CRegistryEx other;
    other.SetRootKey(m_root.Get());
    other.Key(L"Software\\VeskPDF2Image");
    other.SetValueName(L"InstallDir");
    EXPECT_EQ(other.GetSz(L""), data) << "CreateKey made Software\\VeskPDF2Image under the root";
}

TEST_F(RegistryTest, StringKindsReadAsTheirFirstText)
{
    const wchar_t expand[] = L"%TEMP%\\x";
    const wchar_t multi[] = L"first\0second\0";
    const wchar_t noTerminator[] = {L'a', L'b', L'c'};
    SetRaw(L"expand", REG_EXPAND_SZ, expand, sizeof(expand));
    SetRaw(L"multi", REG_MULTI_SZ, multi, sizeof(multi));
    SetRaw(L"bare", REG_SZ, noTerminator, sizeof(noTerminator));
    SetRaw(L"empty", REG_SZ, L"", 0);
    struct Case { const wchar_t* name; std::wstring expected; };
    const Case cases[] = {{L"expand", L"%TEMP%\\x"}, {L"multi", L"first"}, {L"bare", L"abc"}, {L"empty", L""}};
    CRegistryEx reg;
    reg.SetRootKey(HKEY_CURRENT_USER);
    reg.Key(m_path);
    for (const auto& c : cases) {
        reg.SetValueName(c.name);
        EXPECT_EQ(reg.GetSz(L"def"), c.expected);
    }
}

TEST_F(RegistryTest, FailuresThrowTheDocumentedTexts)
{
    DWORD number = 5;
    SetRaw(L"number", REG_DWORD, &number, sizeof(number));
    CRegistryEx reg;
    reg.SetValueName(L"number");
    EXPECT_EQ(Thrown([&] { reg.GetSz(L""); }), "Err:hKey is null,number,CRegistryEx::GetSz");

    reg.Key(m_path);
    EXPECT_EQ(Thrown([&] { reg.GetSz(L""); }), "Err:type not match(4),number,CRegistryEx::GetSz");

    std::wstring missing = m_path + L"\\missing";
    std::string text = Thrown([&] { reg.Key(missing); });
    EXPECT_EQ(text, "Err:2," + std::string(missing.begin(), missing.end()) + ",CRegistryEx::Key");
    reg.SetValueName(L"v");
    EXPECT_EQ(Thrown([&] { reg.GetSz(L""); }), "Err:hKey is null,v,CRegistryEx::GetSz") << "a failed Key leaves no key open";
    EXPECT_EQ(Thrown([&] { reg.SetRegData(L"x", 4); }).rfind("Err:", 0), 0u);
}

TEST_F(RegistryTest, ViewFlagFollowsThePath)
{
    struct Case { const wchar_t* path; REGSAM flag; };
    const Case cases[] = {
        {L"Software\\WOW6432Node\\Vendor", KEY_WOW64_32KEY},
        {L"software\\wow6432node\\vendor", KEY_WOW64_32KEY},
        {L"Software\\Vendor", KEY_WOW64_64KEY},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CRegistryEx::AddWowFlags(KEY_READ, c.path), KEY_READ | c.flag);
}

TEST_F(RegistryTest, ReadOnlyKeyOpensThroughTheSecondAttempt)
{
    DUI::SRegKey child;
    ASSERT_EQ(RegCreateKeyExW(m_root.Get(), L"child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, child.Put(), nullptr),
              ERROR_SUCCESS);
    const wchar_t value[] = L"visible";
    ASSERT_EQ(RegSetValueExW(child.Get(), L"v", 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof(value)),
              ERROR_SUCCESS);
    // Everyone may read and delete the key; nobody may write to it.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KRWDRCSD;;;WD)", SDDL_REVISION_1,
                                                                     &descriptor, nullptr));
    LONG set = RegSetKeySecurity(child.Get(), DACL_SECURITY_INFORMATION, descriptor);
    LocalFree(descriptor);
    ASSERT_EQ(set, ERROR_SUCCESS);
    DUI::SRegKey probe;
    if (RegOpenKeyExW(m_root.Get(), L"child", 0, KEY_WRITE, probe.Put()) == ERROR_SUCCESS)
        GTEST_SKIP() << "this system does not enforce registry key rights";

    CRegistryEx reg;
    reg.SetRootKey(m_root.Get());
    reg.Key(L"child");
    reg.SetValueName(L"v");
    EXPECT_EQ(reg.GetSz(L""), L"visible");
    EXPECT_EQ(Thrown([&] { reg.SetRegData(L"x", 4); }), "Err:5,v,CRegistryEx::SetRegData");
}

} // namespace
