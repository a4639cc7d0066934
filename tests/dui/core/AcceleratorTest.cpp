#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/app/core/DebugCapture.h"
#include "dui/core/CAccelerator.h"
#include "dui/core/CFocusManager.h"

using namespace DUI;

namespace {

constexpr DWORD kAlt = 0x10000, kCtrl = 0x20000, kShift = 0x40000;

TEST(AcceleratorTest, PackedFormAndConstructors)
{
    const CAccelerator a('A', TRUE, TRUE, TRUE);
    EXPECT_EQ(a.GetAcc(), kCtrl | kAlt | kShift | 'A');
    EXPECT_EQ(a.GetModifier(), CAccelerator::Mod_Ctrl | CAccelerator::Mod_Alt | CAccelerator::Mod_Shift);
    EXPECT_EQ(a.GetKey(), 'A');
    EXPECT_EQ(CAccelerator(kShift | VK_F5), CAccelerator(VK_F5, FALSE, FALSE, TRUE));
    EXPECT_NE(CAccelerator(kShift | VK_F5), CAccelerator(VK_F5, TRUE, FALSE, FALSE));
}

TEST(AcceleratorTest, FormatHotkey)
{
    struct Case { DWORD packed; const wchar_t* text; };
    const Case cases[] = {
        {0, L"\u65E0"},
        {kCtrl | kAlt | kShift | 'A', L"Ctrl+Shift+Alt+A"},
        {VK_F12, L"F12"},
        {VK_F1, L"F1"},
        {kCtrl | '7', L"Ctrl+7"},
        {kAlt | VK_NUMPAD3, L"Alt+Num 3"},
        {VK_NUMPAD0, L"Num 0"},
        {VK_MULTIPLY, L"Num *"},
        {kShift | VK_ADD, L"Shift+Num +"},
        {VK_DECIMAL, L"Num Del"},
        {VK_TAB, L"Tab"}, {VK_RETURN, L"Enter"}, {VK_ESCAPE, L"ESC"}, {VK_SPACE, L"Space"},
        {VK_PRIOR, L"PageUp"}, {VK_NEXT, L"PageDown"}, {VK_END, L"End"}, {VK_HOME, L"Home"},
        {VK_LEFT, L"Left"}, {VK_UP, L"Up"}, {VK_RIGHT, L"Right"}, {VK_DOWN, L"Down"},
        {VK_PRINT, L"Print"}, {VK_INSERT, L"Insert"}, {VK_DELETE, L"Delete"},
        {kCtrl | VK_OEM_COMMA, L"Ctrl+,"},
        {kCtrl, L"Ctrl+"},
        {VK_F13, L""},
        {VK_LWIN, L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_STREQ(CAccelerator::FormatHotkey(c.packed).c_str(), c.text);
    }
    EXPECT_STREQ(CAccelerator(VK_F5, TRUE, FALSE, FALSE).FormatHotkey().c_str(), L"Ctrl+F5");
}

TEST(AcceleratorTest, ParseHotkeyText)
{
    struct Case { const wchar_t* text; DWORD packed; };
    const Case cases[] = {
        {L"Ctrl+Shift+F5", kCtrl | kShift | 116},
        {L"alt+num 3", kAlt | 0x63},
        {L"CTRL+a", kCtrl | 'A'},
        {L"shift+alt+ctrl+z", kCtrl | kShift | kAlt | 'Z'},
        {L"f12", VK_F12},
        {L"F24", VK_F24},
        {L"ctrl+num +", kCtrl | VK_ADD},
        {L"num +", VK_ADD},
        {L"num *", VK_MULTIPLY},
        {L"Num Del", VK_DECIMAL},
        {L"ctrl+end", kCtrl | VK_END},
        {L"tab", VK_TAB},
        {L"ctrl+;", kCtrl | VK_OEM_1},
        {L"'", VK_OEM_7}, {L",", VK_OEM_COMMA}, {L"-", VK_OEM_MINUS}, {L".", VK_OEM_PERIOD},
        {L"/", VK_OEM_2}, {L"=", VK_OEM_PLUS}, {L"[", VK_OEM_4}, {L"\\", VK_OEM_5},
        {L"]", VK_OEM_6}, {L"`", VK_OEM_3},
        {L"esc", VK_ESCAPE}, {L"Enter", VK_RETURN}, {L"pageup", VK_PRIOR}, {L"pagedown", VK_NEXT},
        {L"insert", VK_INSERT}, {L"space", VK_SPACE}, {L"delete", VK_DELETE}, {L"print", VK_PRINT},
        // Modifiers alone, as while the keys are still held in a hot-key box.
        {L"ctrl", kCtrl},
        {L"Ctrl+Alt", kCtrl | kAlt},
        {L"ctrl+", kCtrl},
        {L"", 0},
        // The key ends the text.
        {L"ctrl+a+b", kCtrl | 'A'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CAccelerator::ParseHotkeyText(c.text), c.packed);
    }
}

TEST(AcceleratorTest, TextsThatDoNotParseGiveNothingAndAreLogged)
{
    const std::wstring tooLong = L"ctrl+" + std::wstring(95, L'a');
    ASSERT_EQ(tooLong.size(), 100u);
    std::wstring longest;
    for (int i = 0; i < 18; ++i)
        longest += L"ctrl+";
    longest += L"alt+num 5";
    ASSERT_EQ(longest.size(), 99u);
    const std::wstring cases[] = {
        tooLong, L"ctrl+foo", L"ctrl+f0", L"f25", L"fx", L"num x", L"num 12", L"alt+\u4E2D",
        L"ctrl+ a", L"?",
    };
    for (const std::wstring& text : cases) {
        SCOPED_TRACE(text);
        DebugCapture capture;
        EXPECT_EQ(CAccelerator::ParseHotkeyText(text.c_str()), 0u);
        EXPECT_FALSE(capture.Lines().empty());
    }
    EXPECT_EQ(CAccelerator::ParseHotkeyText(longest.c_str()), kCtrl | kAlt | VK_NUMPAD5);
}

TEST(AcceleratorTest, TranslateKey)
{
    struct Case { const wchar_t* word; WORD vKey; };
    const Case cases[] = {
        {L"f5", 116}, {L"f1", VK_F1}, {L"num 0", VK_NUMPAD0}, {L"num 9", VK_NUMPAD9},
        {L"a", 'A'}, {L"z", 'Z'}, {L"0", '0'}, {L"9", '9'}, {L"up", VK_UP}, {L"down", VK_DOWN},
        {L"left", VK_LEFT}, {L"right", VK_RIGHT}, {L"home", VK_HOME},
        {L"A", 0}, {L"ctrl", 0}, {L"", 0}, {L"num ", 0}, {L"f", 'F'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(CAccelerator::TranslateKey(c.word), c.vKey);
    }
}

// Every key that has a name reads back as itself, with every modifier set.
TEST(AcceleratorTest, FormatThenParseRoundTrip)
{
    int named = 0;
    const DWORD modifierSets[] = {0, kCtrl, kAlt | kShift, kCtrl | kAlt | kShift};
    for (DWORD modifiers : modifierSets) {
        for (WORD vKey = 1; vKey < 256; ++vKey) {
            if (CAccelerator::GetKeyName(vKey).IsEmpty())
                continue;
            ++named;
            const DWORD packed = modifiers | vKey;
            const SStringW text = CAccelerator::FormatHotkey(packed);
            SCOPED_TRACE(text.c_str());
            EXPECT_EQ(CAccelerator::ParseHotkeyText(text), packed);
        }
    }
    // Letters, digits, numpad, F1-F12, the named keys and punctuation.
    EXPECT_GE(named, 4 * (26 + 10 + 10 + 12 + 18));
}

class Target : public IAcceleratorTarget
{
public:
    Target(const char* name, std::vector<std::string>& log, BOOL answer = FALSE)
        : m_name(name), m_log(log), m_answer(answer)
    {
    }
    BOOL OnAcceleratorPressed(const CAccelerator&) override
    {
        m_log.push_back(m_name);
        if (onPress)
            onPress();
        return m_answer;
    }
    std::function<void()> onPress;

private:
    std::string m_name;
    std::vector<std::string>& m_log;
    BOOL m_answer;
};

TEST(AcceleratorTest, RegistryAsksNewestFirstUntilOneHandles)
{
    CFocusManager fm(nullptr);
    std::vector<std::string> log;
    Target a("a", log), b("b", log, TRUE), c("c", log);
    const CAccelerator ctrlS('S', TRUE, FALSE, FALSE);
    EXPECT_FALSE(fm.ProcessAccelerator(ctrlS));
    fm.RegisterAccelerator(ctrlS, &a);
    fm.RegisterAccelerator(ctrlS, &b);
    fm.RegisterAccelerator(ctrlS, &c);
    EXPECT_TRUE(fm.ProcessAccelerator(ctrlS));
    EXPECT_EQ(log, (std::vector<std::string>{"c", "b"}));

    log.clear();
    fm.UnregisterAccelerator(ctrlS, &b);
    EXPECT_FALSE(fm.ProcessAccelerator(ctrlS));
    EXPECT_EQ(log, (std::vector<std::string>{"c", "a"}));

    // Twice registered: asked twice; one unregistration removes one.
    log.clear();
    fm.RegisterAccelerator(ctrlS, &a);
    fm.ProcessAccelerator(ctrlS);
    EXPECT_EQ(log, (std::vector<std::string>{"a", "c", "a"}));
    log.clear();
    fm.UnregisterAccelerators(&a);
    fm.ProcessAccelerator(ctrlS);
    EXPECT_EQ(log, (std::vector<std::string>{"c", "a"}));

    log.clear();
    EXPECT_FALSE(fm.ProcessAccelerator(CAccelerator('S', FALSE, FALSE, FALSE)));
    fm.UnregisterAccelerators(&a);
    fm.UnregisterAccelerators(&c);
    EXPECT_FALSE(fm.ProcessAccelerator(ctrlS));
    EXPECT_TRUE(log.empty());
}

// A target may unregister itself or others while the key is handled; one
// removed meanwhile is not asked (it may be gone already).
TEST(AcceleratorTest, TargetsUnregisteringDuringTheCall)
{
    CFocusManager fm(nullptr);
    std::vector<std::string> log;
    const CAccelerator f2(VK_F2, FALSE, FALSE, FALSE);
    const CAccelerator f3(VK_F3, FALSE, FALSE, FALSE);
    Target a("a", log), b("b", log), c("c", log);
    fm.RegisterAccelerator(f2, &a);
    fm.RegisterAccelerator(f3, &a);
    fm.RegisterAccelerator(f2, &b);
    fm.RegisterAccelerator(f2, &c);
    c.onPress = [&] {
        fm.UnregisterAccelerator(f2, &c);
        fm.UnregisterAccelerators(&b);
    };
    EXPECT_FALSE(fm.ProcessAccelerator(f2));
    EXPECT_EQ(log, (std::vector<std::string>{"c", "a"}));
    log.clear();
    EXPECT_FALSE(fm.ProcessAccelerator(f2));
    EXPECT_FALSE(fm.ProcessAccelerator(f3));
    EXPECT_EQ(log, (std::vector<std::string>{"a", "a"}));
    fm.UnregisterAccelerators(&a);
}

} // namespace
