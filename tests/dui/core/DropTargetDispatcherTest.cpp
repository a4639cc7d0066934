// Drag and drop through a host: the dispatcher hit-tests the tree and passes
// the OLE calls to the target of the window under the cursor, both driven
// directly and through a real OLE drag under the system's drag loop.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DropTestObjects.h"
#include "NativeWindowTestSupport.h"
#include "TestSwndContainer.h"
#include "tests/support/TempFolder.h"

using namespace DUI;
using namespace droptest;
using namespace ctrtest;
using namespace wndtest;

namespace {

// Where the host window sits on the screen.
constexpr POINT kHostAt = {100, 100};

// "a" and "b" side by side with a gap at x 100-150; "c" inside "b".
const wchar_t kTree[] = L"<root><window name=\"a\" pos=\"0,0,@100,@200\"/>"
                        L"<window name=\"b\" pos=\"150,0,@100,@200\"><window name=\"c\" pos=\"10,150,@20,@20\"/>"
                        L"</window></root>";

POINTL Screen(int x, int y)
{
    return POINTL{kHostAt.x + x, kHostAt.y + y};
}

class DropTargetDispatcherTest : public nativetest::NativeWindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        m_hwnd = ::CreateWindowExW(WS_EX_TOPMOST, nativetest::kClassName, L"drop host", WS_POPUP | WS_VISIBLE,
                                   kHostAt.x, kHostAt.y, 300, 200, nullptr, nullptr, ::GetModuleHandleW(nullptr),
                                   nullptr);
        ASSERT_NE(m_hwnd, nullptr);
        m_host = Host(kTree);
        g_calls.clear();
    }

    void TearDown() override
    {
        if (m_host)
            m_host->Destroy();
        for (LogTarget* t : m_targets)
            t->Release();
        if (m_hwnd)
            ::DestroyWindow(m_hwnd);
        ::OleUninitialize();
    }

    TestSwndContainer* Host(const wchar_t* xml)
    {
        auto* host = new TestSwndContainer();
        host->hwnd = m_hwnd;
        host->CreateChildrenFromXmlText(xml);
        host->OnRectChanged(RECT{0, 0, 300, 200});
        host->UpdateLayout();
        return host;
    }

    SWND Swnd(const wchar_t* name) { return m_host->FindChildByName(name)->GetSwnd(); }

    LogTarget* Target(const wchar_t* window, DWORD accept = DROPEFFECT_COPY)
    {
        m_targets.push_back(new LogTarget(window, accept));
        EXPECT_TRUE(m_host->RegisterDragDrop(Swnd(window), m_targets.back()));
        return m_targets.back();
    }

    IDropTarget* Dispatcher() { return m_host->GetDropTarget(); }

    WindowEnv m_env;
    HWND m_hwnd = nullptr;
    TestSwndContainer* m_host = nullptr;
    std::vector<LogTarget*> m_targets;
};

// One step of a drag: enter, over, leave or drop at a client point.
struct Step
{
    char call;   // 'e', 'o', 'l', 'd'
    int x, y;
    const wchar_t* calls;   // what the targets saw
    DWORD effect;           // what the dispatcher answered
};

} // namespace

TEST_F(DropTargetDispatcherTest, DragsReachTheTargetUnderTheCursor)
{
    struct Case
    {
        const char* name;
        std::vector<Step> steps;
    };
    const Case kCases[] = {
        {"from a to b: a leaves before b enters, b gets the moves after",
         {{'e', 50, 50, L"a:enter", DROPEFFECT_COPY},
          {'o', 60, 50, L"a:over", DROPEFFECT_COPY},
          {'o', 200, 50, L"a:leave b:enter", DROPEFFECT_COPY},
          {'o', 210, 50, L"b:over", DROPEFFECT_COPY},
          {'l', 0, 0, L"b:leave", 0}}},
        {"a window without a target refuses and calls nobody",
         {{'e', 120, 50, L"", DROPEFFECT_NONE},
          {'o', 50, 50, L"a:enter", DROPEFFECT_COPY},
          {'o', 120, 50, L"a:leave", DROPEFFECT_NONE}}},
        {"a child without a target hides its parent's",
         {{'e', 200, 50, L"b:enter", DROPEFFECT_COPY}, {'o', 165, 160, L"b:leave", DROPEFFECT_NONE}}},
        {"leaving the host and coming back enters again",
         {{'e', 50, 50, L"a:enter", DROPEFFECT_COPY},
          {'l', 0, 0, L"a:leave", 0},
          {'e', 50, 50, L"a:enter", DROPEFFECT_COPY}}},
        {"a drop goes to the window of the last move only",
         {{'e', 50, 50, L"a:enter", DROPEFFECT_COPY},
          {'d', 200, 50, L"a:drop", DROPEFFECT_COPY},
          {'e', 200, 50, L"b:enter", DROPEFFECT_COPY}}},
        {"a drop where nothing takes it reports no effect",
         {{'e', 120, 50, L"", DROPEFFECT_NONE}, {'d', 120, 50, L"", DROPEFFECT_NONE}}},
        {"outside the host nothing is hit",
         {{'e', -20, 50, L"", DROPEFFECT_NONE}, {'o', 50, 50, L"a:enter", DROPEFFECT_COPY}}},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        m_host->Destroy();
        m_host = Host(kTree);
        for (LogTarget* t : m_targets)
            t->Release();
        m_targets.clear();
        Target(L"a");
        Target(L"b");
        auto* data = new FileDataObject({});
        for (const Step& s : c.steps) {
            SCOPED_TRACE(testing::PrintToString(std::wstring(1, s.call)) + " at " + std::to_string(s.x));
            DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
            switch (s.call) {
            case 'e': EXPECT_EQ(Dispatcher()->DragEnter(data, MK_LBUTTON, Screen(s.x, s.y), &effect), S_OK); break;
            case 'o': EXPECT_EQ(Dispatcher()->DragOver(MK_LBUTTON, Screen(s.x, s.y), &effect), S_OK); break;
            case 'l': EXPECT_EQ(Dispatcher()->DragLeave(), S_OK); effect = 0; break;
            case 'd': EXPECT_EQ(Dispatcher()->Drop(data, 0, Screen(s.x, s.y), &effect), S_OK); break;
            }
            EXPECT_EQ(TakeCalls(), s.calls);
            EXPECT_EQ(effect, s.effect);
        }
        Dispatcher()->DragLeave();
        g_calls.clear();
        EXPECT_EQ(data->Release(), 0u) << "the dispatcher keeps no reference after the drag";
    }
}

TEST_F(DropTargetDispatcherTest, TargetsGetTheScreenPointAndTheDraggedObject)
{
    LogTarget* a = Target(L"a");
    auto* data = new FileDataObject({});
    DWORD effect = 0;
    Dispatcher()->DragEnter(data, 0, Screen(30, 40), &effect);
    EXPECT_EQ(a->entered, data);
    EXPECT_EQ(a->lastPoint.x, kHostAt.x + 30);
    EXPECT_EQ(a->lastPoint.y, kHostAt.y + 40);
    EXPECT_EQ(static_cast<SDropTargetDispatcher*>(Dispatcher())->GetCurrent(), Swnd(L"a"));
    Dispatcher()->DragLeave();
    EXPECT_EQ(static_cast<SDropTargetDispatcher*>(Dispatcher())->GetCurrent(), 0u);
    data->Release();
}

TEST_F(DropTargetDispatcherTest, RegistrationKeepsOneTargetPerWindow)
{
    LogTarget* first = Target(L"a");
    auto* second = new LogTarget(L"second");
    EXPECT_FALSE(m_host->RegisterDragDrop(Swnd(L"a"), second));
    EXPECT_EQ(second->Refs(), 1u);
    EXPECT_EQ(first->Refs(), 2u);
    EXPECT_FALSE(m_host->RevokeDragDrop(Swnd(L"b")));
    EXPECT_TRUE(m_host->RevokeDragDrop(Swnd(L"a")));
    EXPECT_FALSE(m_host->RevokeDragDrop(Swnd(L"a")));
    EXPECT_EQ(first->Refs(), 1u);
    EXPECT_TRUE(m_host->RegisterDragDrop(Swnd(L"a"), second));
    DWORD effect = 0;
    Dispatcher()->DragEnter(nullptr, 0, Screen(50, 50), &effect);
    EXPECT_EQ(TakeCalls(), L"second:enter");
    Dispatcher()->DragLeave();
    m_host->RevokeDragDrop(Swnd(L"a"));
    second->Release();
}

TEST_F(DropTargetDispatcherTest, TheDispatcherAnswersOnlyAsADropTarget)
{
    struct Case
    {
        const char* name;
        IID iid;
        HRESULT result;
    };
    const Case kCases[] = {
        {"IUnknown", IID_IUnknown, S_OK},
        {"IDropTarget", IID_IDropTarget, S_OK},
        {"IDataObject", IID_IDataObject, E_NOINTERFACE},
        {"IDropSource", IID_IDropSource, E_NOINTERFACE},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        void* out = reinterpret_cast<void*>(1);
        EXPECT_EQ(Dispatcher()->QueryInterface(c.iid, &out), c.result);
        EXPECT_EQ(out, c.result == S_OK ? static_cast<void*>(Dispatcher()) : nullptr);
    }
    EXPECT_EQ(Dispatcher()->AddRef(), 1u);
    EXPECT_EQ(Dispatcher()->Release(), 1u);
}

TEST_F(DropTargetDispatcherTest, ATargetRevokedDuringTheDragLeavesAndCanComeBack)
{
    LogTarget* a = Target(L"a");
    DWORD effect = 0;
    Dispatcher()->DragEnter(nullptr, 0, Screen(50, 50), &effect);
    a->AddRef();
    EXPECT_TRUE(m_host->RevokeDragDrop(Swnd(L"a")));
    EXPECT_EQ(TakeCalls(), L"a:enter a:leave");
    effect = DROPEFFECT_COPY;
    Dispatcher()->DragOver(0, Screen(55, 50), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(TakeCalls(), L"");
    EXPECT_TRUE(m_host->RegisterDragDrop(Swnd(L"a"), a));
    Dispatcher()->DragOver(0, Screen(60, 50), &effect);
    EXPECT_EQ(TakeCalls(), L"a:enter");
    Dispatcher()->Drop(nullptr, 0, Screen(60, 50), &effect);
    EXPECT_EQ(TakeCalls(), L"a:drop");
    a->Release();
}

TEST_F(DropTargetDispatcherTest, WindowsDestroyedDuringTheDragAreNotHit)
{
    LogTarget* b = Target(L"b");
    DWORD effect = 0;
    Dispatcher()->DragEnter(nullptr, 0, Screen(200, 50), &effect);
    m_host->FindChildByName(L"b")->Destroy();
    Dispatcher()->DragOver(0, Screen(200, 50), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    Dispatcher()->Drop(nullptr, 0, Screen(200, 50), &effect);
    EXPECT_EQ(TakeCalls(), L"b:enter b:leave");
    EXPECT_EQ(b->Refs(), 2u) << "the registration stays until it is revoked";
}

TEST_F(DropTargetDispatcherTest, AnEmptyTreeIsHitAsTheRootOnly)
{
    m_host->Destroy();
    m_host = Host(L"<root/>");
    DWORD effect = DROPEFFECT_COPY;
    EXPECT_EQ(Dispatcher()->DragEnter(nullptr, 0, Screen(10, 10), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    Dispatcher()->DragLeave();
    m_targets.push_back(new LogTarget(L"root"));
    ASSERT_TRUE(m_host->RegisterDragDrop(m_host->GetSwnd(), m_targets.back()));
    Dispatcher()->DragEnter(nullptr, 0, Screen(10, 10), &effect);
    Dispatcher()->DragOver(0, Screen(400, 10), &effect);
    EXPECT_EQ(TakeCalls(), L"root:enter root:leave");
}

TEST_F(DropTargetDispatcherTest, AContainerWithoutANativeWindowHasNothingUnderTheCursor)
{
    Target(L"a");
    m_host->hwnd = nullptr;
    DWORD effect = DROPEFFECT_COPY;
    Dispatcher()->DragEnter(nullptr, 0, Screen(50, 50), &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(TakeCalls(), L"");
}

TEST_F(DropTargetDispatcherTest, DestroyingTheHostEndsTheDragAndReleasesTheTargets)
{
    LogTarget* a = Target(L"a");
    Target(L"b");
    DWORD effect = 0;
    Dispatcher()->DragEnter(nullptr, 0, Screen(50, 50), &effect);
    m_host->Destroy();
    m_host = nullptr;
    EXPECT_EQ(TakeCalls(), L"a:enter a:leave");
    EXPECT_EQ(a->Refs(), 1u);
    EXPECT_EQ(m_targets[1]->Refs(), 1u);
}

TEST_F(DropTargetDispatcherTest, ADropWithoutFilesReachesTheTargetWithNone)
{
    LogTarget* a = Target(L"a");
    auto* empty = new FileDataObject({});
    DWORD effect = 0;
    Dispatcher()->DragEnter(empty, 0, Screen(50, 50), &effect);
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(Dispatcher()->Drop(empty, 0, Screen(50, 50), &effect), S_OK);
    EXPECT_EQ(TakeCalls(), L"a:enter a:drop");
    EXPECT_TRUE(a->dropped.empty());
    EXPECT_EQ(empty->Release(), 0u);
}

// The system's drag loop follows the real cursor: it is put over "b" and the
// source drops after a few state checks.
TEST_F(DropTargetDispatcherTest, AnOleDragDropsTheFilesOnTheWindowUnderTheCursor)
{
    testsupport::TempFolder dir(L"vesk_drop");
    const std::vector<std::wstring> files = {dir.Write(L"one.pdf", "1"), dir.Write(L"two 二.pdf", "2")};
    LogTarget* a = Target(L"a");
    LogTarget* b = Target(L"b");
    ASSERT_EQ(::RegisterDragDrop(m_hwnd, Dispatcher()), S_OK);
    const POINT over = {kHostAt.x + 200, kHostAt.y + 50};
    ::SetForegroundWindow(m_hwnd);
    ASSERT_TRUE(::SetCursorPos(over.x, over.y));
    nativetest::PumpFor(50);
    auto* data = new FileDataObject(files);
    auto* source = new DroppingSource(over, m_hwnd);
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = ::DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    const std::wstring calls = TakeCalls();
    ASSERT_FALSE(source->strayed);
    EXPECT_EQ(hr, DRAGDROP_S_DROP);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_TRUE(a->dropped.empty());
    EXPECT_EQ(b->dropped, files);
    ASSERT_GE(calls.size(), 7u) << calls;
    EXPECT_EQ(calls.substr(0, 7), L"b:enter") << calls;
    EXPECT_EQ(calls.substr(calls.size() - 6), L"b:drop") << calls;
    EXPECT_EQ(static_cast<SDropTargetDispatcher*>(Dispatcher())->GetCurrent(), 0u);
    EXPECT_EQ(::RevokeDragDrop(m_hwnd), S_OK);
    source->Release();
    data->Release();
}
