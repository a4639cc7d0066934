// The part host: its own layout from "src", and the messages it hands to
// its handler before its caption behaviour sees them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PartHostTest.h"
#include "tests/app/core/DebugCapture.h"

namespace {

using namespace parttest;

// Notes each call as "name a b c"; claims what it gets when told to.
class RecordingHandler : public ISCtrlPartHandler
{
public:
    explicit RecordingHandler(SCtrlPart* part) : ISCtrlPartHandler(nullptr, part) {}

    void OnInitDialog(UINT msg, WPARAM wp, LPARAM lp) override { Note(L"init", msg, wp, lp); }
    void OnCommand(UINT code, UINT id, LPARAM control) override { Note(L"command", code, id, control); }
    LRESULT OnUserMessage(UINT msg, WPARAM wp, LPARAM lp) override
    {
        Note(L"user", msg, wp, lp);
        return 77;
    }
    void OnCopyData(WPARAM wp, LPARAM data) override { Note(L"copydata", 0, wp, data); }
    void OnTimer(UINT_PTR id) override
    {
        ISCtrlPartHandler::OnTimer(id);
        Note(L"timer", 0, id, 0);
    }

    std::vector<std::wstring> calls;
    bool claim = false;

private:
    void Note(LPCWSTR name, UINT_PTR a, UINT_PTR b, LPARAM c)
    {
        calls.push_back(std::wstring(name) + L" " + std::to_wstring(a) + L" " + std::to_wstring(b) + L" " +
                        std::to_wstring(c));
        if (claim)
            m_part->SetMsgHandled(TRUE);
    }
};

using PartTest = PartHostTest;

TEST_F(PartTest, IsACaptionMadeByItsTag)
{
    auto made = SRefPtr<SWindow>::Adopt(m_app->NewWindowByTag(L"part"));
    ASSERT_TRUE(made);
    for (LPCWSTR kind : {L"part", L"captionex", L"caption", L"window"})
        EXPECT_TRUE(made->IsKindOf(kind)) << kind;
    EXPECT_STREQ(SCtrlPart::GetBaseTagStatic(), L"captionex");
    EXPECT_EQ(static_cast<SCtrlPart*>(made.Get())->GetDragMode(), SCaptionEx::DragMode_Caption);
}

TEST_F(PartTest, HandsItsMessagesToItsHandler)
{
    COPYDATASTRUCT data = {0x720, 0, nullptr};
    const LPARAM dataParam = reinterpret_cast<LPARAM>(&data);
    struct Case
    {
        const char* name;
        UINT msg;
        WPARAM wp;
        LPARAM lp;
        std::wstring call;
        LRESULT claimedResult;
        BOOL handledUnclaimed;   // by the caption and plain window maps
    };
    const Case cases[] = {
        {"init dialog", WM_INITDIALOG, 3, 4, L"init 272 3 4", 0, FALSE},
        {"command: code, id, control", WM_COMMAND, MAKEWPARAM(42, 7), 0x1234, L"command 7 42 4660", 0, FALSE},
        {"copied data", WM_COPYDATA, 9, dataParam, L"copydata 0 9 " + std::to_wstring(dataParam), 0, FALSE},
        {"timer", WM_TIMER, 5, 0, L"timer 0 5 0", 0, FALSE},
        {"first user message", WM_USER, 1, 2, L"user 1024 1 2", 77, FALSE},
        {"program message", WM_USER + 321, 0, 0, L"user 1345 0 0", 77, FALSE},
        {"the scale message goes on to the window", UM_SETSCALE, 150, 0, L"user 2024 150 0", 77, TRUE},
    };
    auto part = SRefPtr<SCtrlPart>::Adopt(new SCtrlPart());
    RecordingHandler handler(part.Get());
    part->SetHandler(&handler);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (bool claim : {false, true}) {
            SCOPED_TRACE(claim ? "claimed" : "left");
            handler.calls.clear();
            handler.claim = claim;
            BOOL handled = !claim;
            const LRESULT result = part->DeliverSwndMessage(c.msg, c.wp, c.lp, &handled);
            EXPECT_EQ(handler.calls, std::vector<std::wstring>{c.call});
            EXPECT_EQ(handled, claim ? TRUE : c.handledUnclaimed);
            if (claim) {
                EXPECT_EQ(result, c.claimedResult);
            }
        }
    }
}

TEST_F(PartTest, WithoutAHandlerBehavesAsItsCaption)
{
    auto part = SRefPtr<SCtrlPart>::Adopt(new SCtrlPart());
    BOOL handled = TRUE;
    part->DeliverSwndMessage(WM_TIMER, 1, 0, &handled);
    EXPECT_FALSE(handled);
    part->DeliverSwndMessage(WM_USER + 1, 1, 0, &handled);
    EXPECT_FALSE(handled);
    part->DeliverSwndMessage(WM_LBUTTONDBLCLK, 0, 0, &handled);
    EXPECT_TRUE(handled);
}

TEST_F(PartTest, SrcLoadsTheNamedLayoutInPlaceOfTheLastOne)
{
    struct Case
    {
        const char* name;
        LPCWSTR src;
        LPCWSTR root;   // the window the layout makes; none when it cannot
    };
    const Case cases[] = {
        {"a name alone is a LAYOUT", L"part_title", L"title"},
        {"type and name", L"LAYOUT:part_title", L"title"},
        {"a type of its own", L"XMLTEST:part_other", L"other"},
        {"no such layout", L"part_missing", nullptr},
        {"no such type", L"NOTYPE:part_title", nullptr},
        {"a document that is not a part layout", L"part_noinclude", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto part = SRefPtr<SCtrlPart>::Adopt(new SCtrlPart());
        // A window of the part's own, beside what its layouts make.
        part->CreateChildrenFromXmlText(L"<x><window name=\"own\"/></x>");
        part->SetAttribute(L"src", L"XMLTEST:part_other", FALSE);
        ASSERT_TRUE(part->FindChildByName(L"other"));
        DebugCapture log;
        part->SetAttribute(L"SRC", c.src, FALSE);
        EXPECT_EQ(part->GetLayoutSource(), SStringW(c.src));
        EXPECT_TRUE(part->FindChildByName(L"own", 1));
        if (c.root) {
            SWindow* root = part->FindChildByName(c.root, 1);
            ASSERT_TRUE(root);
            EXPECT_EQ(part->GetChildrenCount(), 2u);
            EXPECT_TRUE(log.Lines().empty());
        } else {
            EXPECT_EQ(part->GetChildrenCount(), 1u);
            const std::vector<std::wstring> lines = log.Lines();
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_NE(lines[0].find(c.src), std::wstring::npos) << lines[0];
        }
    }
}

TEST_F(PartTest, AnEmptySrcKeepsTheContent)
{
    auto part = SRefPtr<SCtrlPart>::Adopt(new SCtrlPart());
    part->SetAttribute(L"src", L"part_title", FALSE);
    part->SetAttribute(L"src", L"", FALSE);
    EXPECT_TRUE(part->FindChildByName(L"logo"));
    EXPECT_EQ(part->GetLayoutSource(), SStringW(L"part_title"));
}

TEST_F(PartTest, ALayoutHoldingItselfStopsAtTheSecondLevel)
{
    DebugCapture log;
    auto part = SRefPtr<SCtrlPart>::Adopt(new SCtrlPart());
    part->SetAttribute(L"src", L"part_self", FALSE);
    auto* inner = static_cast<SCtrlPart*>(part->FindChildByName(L"again"));
    ASSERT_TRUE(inner && inner->IsKindOf(L"part"));
    EXPECT_EQ(inner->GetChildrenCount(), 0u);
    EXPECT_EQ(log.Lines().size(), 1u);
}

TEST_F(PartTest, FindChildSearchesTheHandlersPartAtAnyDepth)
{
    auto part = SRefPtr<SCtrlPart>::Adopt(new SCtrlPart());
    part->SetAttribute(L"src", L"part_title", FALSE);
    RecordingHandler handler(part.Get());
    EXPECT_EQ(SCtrlPart::FindChild(&handler, L"logo"), part->FindChildByName(L"logo"));
    EXPECT_TRUE(SCtrlPart::FindChild(&handler, L"logo"));
    EXPECT_FALSE(SCtrlPart::FindChild(&handler, L"nowhere"));
    EXPECT_FALSE(SCtrlPart::FindChild(&handler, L""));
    RecordingHandler partless(nullptr);
    EXPECT_FALSE(SCtrlPart::FindChild(&partless, L"logo"));
}

uint32_t Pixel(SHostWnd* host, int x, int y)
{
    return hosttest::SurfacePixel(host->GetMemSurface(), x, y);
}

TEST_F(PartTest, ShowsItsLayoutOnAHostAndAnotherSetLater)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_PARTS");
    HWND hwnd = Shown(host, WS_POPUP, 0, 100, 120);
    ASSERT_TRUE(hwnd);
    hosttest::MaybeSavePng(host->GetMemSurface(), L"part_title.png");
    EXPECT_EQ(Pixel(host, 16, 16), 0xFFF0C000u);
    EXPECT_EQ(Pixel(host, 140, 20), 0xFF3060C0u);
    EXPECT_EQ(Pixel(host, 200, 20), 0xFFA0A0A0u);

    auto* top = Child<SCtrlPart>(host, L"top");
    ASSERT_TRUE(top);
    top->SetAttribute(L"src", L"XMLTEST:part_other", FALSE);
    Flush(host);
    hosttest::MaybeSavePng(host->GetMemSurface(), L"part_other.png");
    EXPECT_EQ(Pixel(host, 16, 16), 0xFFC03030u);
    // Where the last layout's title was, the part itself shows.
    EXPECT_EQ(Pixel(host, 140, 20), 0xFFA0A0A0u);
}

TEST_F(PartTest, DragOnAPartMovesTheHostAndDoubleClickMaximisesIt)
{
    SHostWnd* host = NewHost(L"LAYOUT:XML_PARTS");
    HWND hwnd = Shown(host, WS_POPUP, 0, 100, 120);
    ASSERT_TRUE(hwnd);
    // On the part's own area, right of its layout's title.
    const POINT moved = DragOn(hwnd, {200, 20}, {{180, 45}});
    EXPECT_EQ(moved.x, -20);
    EXPECT_EQ(moved.y, 25);

    ::SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(200, 20));
    EXPECT_TRUE(::IsZoomed(hwnd));
    ::SendMessageW(hwnd, WM_LBUTTONDBLCLK, MK_LBUTTON, Point(200, 20));
    EXPECT_FALSE(::IsZoomed(hwnd));
}

} // namespace
