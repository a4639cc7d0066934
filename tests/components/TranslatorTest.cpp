#include <gtest/gtest.h>

#include <string>

#include "tests/support/ComponentLoader.h"
#include "dui/res.mgr/ITranslator.h"
#include "dui/core/base/SRefPtr.h"

using DUI::SRefPtr;

namespace {

class TranslatorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_tr = SRefPtr<DUI::ITranslatorMgr>::Adopt(m_dll.Create<DUI::ITranslatorMgr>());
        ASSERT_TRUE(m_tr);
    }

    SRefPtr<DUI::ILang> NewLang(const wchar_t* name)
    {
        DUI::ILang* lang = nullptr;
        EXPECT_TRUE(m_tr->CreateLang(&lang));
        lang->SetName(name);
        return SRefPtr<DUI::ILang>::Adopt(lang);
    }

    // The caller's two-step protocol: ask for the size, then fill a buffer.
    std::wstring Tr(const wchar_t* text, const wchar_t* ctx)
    {
        const int n = m_tr->Translate(text, ctx, nullptr, 0);
        if (n == 0) return text;
        std::wstring out(n, L'\0');
        EXPECT_EQ(m_tr->Translate(text, ctx, out.data(), n), n);
        out.resize(n - 1);
        return out;
    }

    testcomp::ComponentLoader m_dll{L"translator.dll"};
    SRefPtr<DUI::ITranslatorMgr> m_tr;
};

} // namespace

TEST_F(TranslatorTest, TranslatesByContextWithGlobalFallback)
{
    auto en = NewLang(L"en");
    en->AddText(L"text", L"\u63d0\u793a", L"Tip");
    en->AddText(L"", L"\u53d6\u6d88", L"Cancel");
    en->AddText(L"dlg", L"\u63d0\u793a", L"Notice");
    EXPECT_EQ(Tr(L"\u63d0\u793a", L"text"), L"\u63d0\u793a");   // nothing installed yet
    ASSERT_TRUE(m_tr->InstallLang(en.Get()));

    struct Case { const char* name; const wchar_t* text; const wchar_t* ctx; std::wstring want; };
    const Case cases[] = {
        {"own context", L"\u63d0\u793a", L"text", L"Tip"},
        {"other context", L"\u63d0\u793a", L"dlg", L"Notice"},
        {"global fallback", L"\u53d6\u6d88", L"text", L"Cancel"},
        {"unknown stays", L"\u66f4\u65b0", L"text", L"\u66f4\u65b0"},
        {"unknown context, no global entry", L"\u63d0\u793a", L"menu", L"\u63d0\u793a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Tr(c.text, c.ctx), c.want);
    }
    // A buffer one short is not written.
    wchar_t buf[3] = {L'x', L'x', L'x'};
    EXPECT_EQ(m_tr->Translate(L"\u63d0\u793a", L"text", buf, 3), 4);
    EXPECT_EQ(buf[0], L'x');
}

TEST_F(TranslatorTest, LanguagesSwitchReplaceAndUninstall)
{
    auto en = NewLang(L"en"), jp = NewLang(L"jp");
    en->AddText(L"", L"a", L"A-en");
    jp->AddText(L"", L"a", L"A-jp");
    m_tr->InstallLang(en.Get());
    m_tr->InstallLang(jp.Get());
    wchar_t name[8];
    EXPECT_EQ(m_tr->GetLanguage(name, 8), 2);
    EXPECT_STREQ(name, L"en");   // the first installed language became current
    EXPECT_EQ(Tr(L"a", nullptr), L"A-en");
    m_tr->SetLanguage(L"jp");
    EXPECT_EQ(Tr(L"a", nullptr), L"A-jp");
    auto jp2 = NewLang(L"jp");
    jp2->AddText(L"", L"a", L"A-jp2");
    m_tr->InstallLang(jp2.Get());
    EXPECT_EQ(Tr(L"a", nullptr), L"A-jp2");
    EXPECT_TRUE(m_tr->UninstallLang(L"jp"));
    EXPECT_FALSE(m_tr->UninstallLang(L"jp"));
    EXPECT_EQ(Tr(L"a", nullptr), L"a");
    EXPECT_FALSE(m_tr->InstallLang(NewLang(L"").Get()));
}

TEST_F(TranslatorTest, FontsChangeOnlyWhatTheLanguageGives)
{
    auto en = NewLang(L"en");
    en->AddFont(L"title", L"Segoe UI", 0);
    en->AddFont(L"big", L"", -20);
    m_tr->InstallLang(en.Get());
    LOGFONTW lf = {};
    lf.lfHeight = -12;
    lstrcpyW(lf.lfFaceName, L"SimSun");
    EXPECT_TRUE(m_tr->TranslateFont(L"title", &lf));
    EXPECT_STREQ(lf.lfFaceName, L"Segoe UI");
    EXPECT_EQ(lf.lfHeight, -12);
    EXPECT_TRUE(m_tr->TranslateFont(L"big", &lf));
    EXPECT_STREQ(lf.lfFaceName, L"Segoe UI");
    EXPECT_EQ(lf.lfHeight, -20);
    EXPECT_FALSE(m_tr->TranslateFont(L"other", &lf));
    EXPECT_FALSE(m_tr->TranslateFont(L"title", nullptr));
}
