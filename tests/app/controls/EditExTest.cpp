// The program's edit extensions on real host windows whose messages pass
// through the application's loop: "edit2" ends editing on a click elsewhere
// and on its accelerator, shows focus as checked and dims a disabled cue;
// "chatedit" asks its text services for links.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ControlsTestEnv.h"
#include "app/controls/SChatEdit.h"
#include "app/controls/SCtrlEditEx.h"
#include "dui/control/SButton.h"
#include "dui/core/CAccelerator.h"
#include "dui/core/base/SlotFunctor.h"

namespace {

using namespace ctltest;

constexpr UINT kSentinel = WM_APP + 0x75;

// Notes when the test's sentinel message comes through the loop, so a test
// knows that what it posted before has been dispatched.
class SentinelFilter : public DUI::IMessageFilter
{
public:
    BOOL PreTranslateMessage(MSG* msg) override
    {
        seen = seen || msg->message == kSentinel;
        return FALSE;
    }
    bool seen = false;
};

// Counts the presses of the key it is registered for.
class CountingTarget : public IAcceleratorTarget
{
public:
    BOOL OnAcceleratorPressed(const CAccelerator&) override
    {
        ++presses;
        return TRUE;
    }
    int presses = 0;
};

class EditExTest : public ControlsTest
{
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        m_app->TplRegisterFactory<SCtrlEditEx>();
        m_app->TplRegisterFactory<SChatEdit>();
        m_app->GetMsgLoop()->AddMessageFilter(&m_sentinel);
    }
    void TearDown() override
    {
        m_app->GetMsgLoop()->RemoveMessageFilter(&m_sentinel);
        ControlsTest::TearDown();
    }
    HWND ShowEdits()
    {
        m_host = NewHost(L"LAYOUT:XML_EDITS");
        m_hwnd = Shown(m_host);
        return m_hwnd;
    }
    template <class T = SWindow>
    T* Get(LPCWSTR name)
    {
        return Child<T>(m_host, name);
    }
    // Posts the messages as the system queues input and runs them through
    // the application's loop.
    void Post(std::initializer_list<MSG> msgs)
    {
        for (const MSG& m : msgs)
            ::PostMessageW(m_hwnd, m.message, m.wParam, m.lParam);
        m_sentinel.seen = false;
        ::PostMessageW(m_hwnd, kSentinel, 0, 0);
        ASSERT_TRUE(LoopUntil([&] { return m_sentinel.seen; }));
    }
    void ClickAt(SWindow* w, int dx = 20)
    {
        const RECT rc = w->GetWindowRect();
        const LPARAM at = MAKELPARAM(rc.left + dx, (rc.top + rc.bottom) / 2);
        Post({MSG{m_hwnd, WM_LBUTTONDOWN, MK_LBUTTON, at}, MSG{m_hwnd, WM_LBUTTONUP, 0, at}});
    }
    void Press(WORD key)
    {
        Post({MSG{m_hwnd, WM_KEYDOWN, key, 1}, MSG{m_hwnd, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001)}});
    }
    // The states "on_richedit_edit_end" reported.
    void LogStates(SCtrlEditEx* edit)
    {
        edit->SubscribeEvent(SEvtEditStateChanged::EventID, StdFunctionSlot([this](EventArgs* e) {
            m_states.push_back(static_cast<SEvtEditStateChanged*>(e)->iState);
            return true;
        }));
    }

    SentinelFilter m_sentinel;
    SHostWnd* m_host = nullptr;
    HWND m_hwnd = nullptr;
    std::vector<int> m_states;
};

TEST_F(EditExTest, AClickOutsideTheEditEndsEditingAndAClickInsideChangesNothing)
{
    ASSERT_NE(ShowEdits(), nullptr);
    auto* edit = Get<SCtrlEditEx>(L"value");
    ASSERT_NE(edit, nullptr);
    LogStates(edit);

    ClickAt(edit);
    ASSERT_TRUE(edit->IsFocused());
    EXPECT_EQ(m_states, std::vector<int>({1}));
    EXPECT_TRUE(edit->IsChecked());
    EXPECT_TRUE(edit->IsEditing());
    ClickAt(edit, 150);
    EXPECT_TRUE(edit->IsFocused());
    EXPECT_EQ(m_states, std::vector<int>({1}));

    // A window that takes no focus of its own: only the edit's watch on the
    // loop ends editing here.
    ClickAt(Get(L"plain"));
    EXPECT_FALSE(edit->IsFocused());
    EXPECT_EQ(m_states, std::vector<int>({1, 0}));
    EXPECT_FALSE(edit->IsChecked());
    EXPECT_FALSE(edit->IsEditing());
    ClickAt(Get(L"plain"));
    EXPECT_EQ(m_states, std::vector<int>({1, 0}));

    ClickAt(edit);
    ClickAt(Get(L"other"));
    EXPECT_TRUE(Get(L"other")->IsFocused());
    EXPECT_EQ(m_states, std::vector<int>({1, 0, 1, 0}));
}

TEST_F(EditExTest, TheAcceleratorEndsEditingOnlyWhileTheEditHasTheFocus)
{
    ASSERT_NE(ShowEdits(), nullptr);
    auto* edit = Get<SCtrlEditEx>(L"value");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetAccel(), static_cast<DWORD>(VK_F2));
    LogStates(edit);
    // Another target of the same keys, registered before the edit ever is.
    CountingTarget earlier;
    IAcceleratorMgr* accelerators = m_host->GetAcceleratorMgr();
    accelerators->RegisterAccelerator(CAccelerator(VK_F2), &earlier);
    accelerators->RegisterAccelerator(CAccelerator(VK_F3), &earlier);

    Get(L"other")->SetFocus();
    Press(VK_F2);
    EXPECT_EQ(earlier.presses, 1);
    EXPECT_TRUE(m_states.empty());

    edit->SetFocus();
    Press(VK_F2);
    EXPECT_FALSE(edit->IsFocused());
    EXPECT_EQ(m_states, std::vector<int>({1, 0}));
    EXPECT_EQ(earlier.presses, 1) << "the edit took the key";
    Press(VK_F2);
    EXPECT_EQ(earlier.presses, 2) << "and gave it up with the focus";

    // A new key while editing replaces the old one at once.
    edit->SetFocus();
    EXPECT_EQ(edit->SetAttribute(L"accel", L"F3", FALSE), S_FALSE);
    Press(VK_F2);
    EXPECT_EQ(earlier.presses, 3);
    EXPECT_TRUE(edit->IsFocused());
    Press(VK_F3);
    EXPECT_FALSE(edit->IsFocused());
    EXPECT_EQ(earlier.presses, 3);
    accelerators->UnregisterAccelerators(&earlier);
    accelerators->UnregisterAccelerators(&earlier);
}

// Pixels of the blue cue: blue clearly above red and green.
std::vector<uint32_t> CueInkOf(IPaintSurface* surface, const RECT& rc)
{
    std::vector<uint32_t> ink;
    for (int y = rc.top; y < rc.bottom; ++y) {
        for (int x = rc.left; x < rc.right; ++x) {
            const uint32_t p = hosttest::SurfacePixel(surface, x, y);
            const int b = p & 0xFF, g = (p >> 8) & 0xFF, r = (p >> 16) & 0xFF;
            if (b > 0xF0 && r + 60 < b && g + 60 < b)
                ink.push_back(p);
        }
    }
    return ink;
}

int LeastRed(const std::vector<uint32_t>& ink)
{
    int least = 255;
    for (uint32_t p : ink) least = std::min<int>(least, (p >> 16) & 0xFF);
    return least;
}

TEST_F(EditExTest, ADisabledEditShowsItsCueAtSeventyPercentOfTheCueOpacity)
{
    ASSERT_NE(ShowEdits(), nullptr);
    auto* on = Get<SCtrlEditEx>(L"value");
    auto* off = Get<SCtrlEditEx>(L"off");
    ASSERT_TRUE(off->IsDisabled(TRUE));
    Flush(m_host);
    const std::vector<uint32_t> full = CueInkOf(m_host->GetMemSurface(), on->GetClientRect());
    const std::vector<uint32_t> dimmed = CueInkOf(m_host->GetMemSurface(), off->GetClientRect());
    ASSERT_GT(full.size(), 10u);
    ASSERT_GT(dimmed.size(), 10u);
    // Fully covered pixels: pure blue, or blue at 178/255 over white.
    EXPECT_LT(LeastRed(full), 12);
    EXPECT_NEAR(LeastRed(dimmed), 255 - 178, 8);
    EXPECT_EQ(off->GetCueColor(), 0xFFFF0000u) << "dimmed for the paint only";

    off->EnableWindow(TRUE, TRUE);
    Flush(m_host);
    EXPECT_LT(LeastRed(CueInkOf(m_host->GetMemSurface(), off->GetClientRect())), 12);
}

TEST_F(EditExTest, AttributesOfTheEditExtension)
{
    ASSERT_NE(ShowEdits(), nullptr);
    auto* edit = Get<SCtrlEditEx>(L"value");
    EXPECT_STREQ(edit->GetClassTag(), L"edit2");
    EXPECT_STREQ(SCtrlEditEx::GetBaseTagStatic(), L"edit");
    for (LPCWSTR kind : {L"edit2", L"edit", L"richedit", L"div", L"window"})
        EXPECT_TRUE(edit->IsKindOf(kind)) << kind;

    const COLORREF cue = edit->GetCueColor();
    EXPECT_EQ(edit->SetAttribute(L"cueColor", L"", FALSE), E_FAIL);
    EXPECT_EQ(edit->GetCueColor(), cue);
    EXPECT_EQ(edit->SetAttribute(L"cueText", L"Width", FALSE), S_OK);
    EXPECT_EQ(edit->GetCueText(), L"Width");

    EXPECT_EQ(edit->SetAttribute(L"colorTextDisable", L"#ff0000", FALSE), S_OK);
    EXPECT_EQ(edit->GetStyle().GetTextColor(3) & 0xFFFFFF, 0x0000FFu);
    // The text takes the colour of the state; without a disabled colour it
    // keeps the one it has rather than turning white.
    edit->EnableWindow(FALSE, TRUE);
    EXPECT_EQ(edit->GetDefaultCharFormat().crTextColor, 0x0000FFu);
    edit->EnableWindow(TRUE, TRUE);
    EXPECT_EQ(edit->GetDefaultCharFormat().crTextColor, 0u);
    auto* off = Get<SCtrlEditEx>(L"off");
    off->EnableWindow(TRUE, TRUE);
    off->EnableWindow(FALSE, TRUE);
    EXPECT_EQ(off->GetDefaultCharFormat().crTextColor, 0u);

    edit->SetAttribute(L"align", L"center", FALSE);
    EXPECT_TRUE(edit->GetStyle().GetTextAlign() & DT_CENTER);
    EXPECT_TRUE(edit->GetEditStyle() & ES_CENTER);
    EXPECT_EQ(edit->GetDefaultParaFormat().wAlignment, PFA_CENTER);
}

TEST_F(EditExTest, DestroyingAFocusedEditEndsEditing)
{
    ASSERT_NE(ShowEdits(), nullptr);
    auto* edit = Get<SCtrlEditEx>(L"value");
    LogStates(edit);
    ClickAt(edit);
    ASSERT_TRUE(edit->IsFocused());
    ASSERT_TRUE(edit->GetParent()->DestroyChild(edit));
    EXPECT_EQ(m_states, std::vector<int>({1, 0}));
    // The loop no longer asks the edit about clicks.
    ClickAt(Get(L"plain"));
    ClickAt(Get(L"other"));
    EXPECT_TRUE(Get(L"other")->IsFocused());
}

TEST_F(EditExTest, AChatEditAsksItsTextServicesForLinks)
{
    ASSERT_NE(ShowEdits(), nullptr);
    auto* chat = Get<SChatEdit>(L"chat");
    ASSERT_NE(chat, nullptr);
    EXPECT_STREQ(chat->GetClassTag(), L"chatedit");
    EXPECT_TRUE(chat->IsKindOf(L"richedit"));
    EXPECT_FALSE(chat->IsKindOf(L"edit"));
    ASSERT_NE(chat->GetEventSet()->GetEventObject(10000500), nullptr);
    EXPECT_EQ(chat->GetEventSet()->GetEventObject(10000500)->GetName(), L"on_chatedit_key_return");

    struct Case
    {
        LPCWSTR name;
        LRESULT want;
    };
    const Case cases[] = {
        {L"chat", ENM_LINK},
        {L"chatChange", ENM_LINK | ENM_CHANGE},
        {L"rich", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::string(c.name, c.name + wcslen(c.name)));
        SRichEdit* edit = Get<SRichEdit>(c.name);
        ASSERT_NE(edit, nullptr);
        EXPECT_EQ(edit->DeliverSwndMessage(EM_GETEVENTMASK) & (ENM_LINK | ENM_CHANGE), c.want);
    }
}

TEST_F(EditExTest, EditsWithCueTextsAsAPersonSeesThem)
{
    // The system skins come from the test program as they come from the
    // program; the provider that finds them is let go after loading.
    IResProvider* system = nullptr;
    CreateResProvider(RES_PE, &system);
    ASSERT_TRUE(system->Init(reinterpret_cast<WPARAM>(::GetModuleHandleW(nullptr))));
    ASSERT_EQ(m_app->LoadSystemNamedResource(system) & 1, 0) << "the system skins";
    system->Release();
    m_host = NewHost(L"LAYOUT:XML_EDITS_LOOK");
    m_hwnd = Shown(m_host);
    ASSERT_NE(m_hwnd, nullptr);
    Get(L"focused")->SetFocus();
    Get(L"typed")->SetFocus();
    ::SendMessageW(m_hwnd, WM_CHAR, 'O', 0);
    ::SendMessageW(m_hwnd, WM_CHAR, 'k', 0);
    Get(L"focused")->SetFocus();
    Flush(m_host);
    IPaintSurface* image = m_host->GetMemSurface();
    MaybeSavePng(image, L"edits_cue_texts.png");

    // The default cue grey shows only in the boxes that should show it.
    auto greyInk = [&](LPCWSTR name) {
        const RECT rc = Get(name)->GetClientRect();
        int n = 0;
        for (int y = rc.top; y < rc.bottom; ++y) {
            for (int x = rc.left; x < rc.right; ++x) {
                const uint32_t p = hosttest::SurfacePixel(image, x, y);
                const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
                n += r == g && g == b && r < 0xF0 && r >= 0xC8;
            }
        }
        return n;
    };
    EXPECT_GT(greyInk(L"empty"), 10);
    EXPECT_EQ(greyInk(L"focused"), 0);
    EXPECT_EQ(Get(L"typed")->GetWindowText(), L"Ok");
    EXPECT_GT(greyInk(L"centred"), 10);
    EXPECT_GT(greyInk(L"enabled2"), 10);
    EXPECT_GT(greyInk(L"disabled2"), 10);
}

} // namespace
