#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/core/CTaskbarProgress.h"

namespace {

// Records the progress calls; everything else answers S_OK and does nothing.
class RecordingTaskbar : public ITaskbarList4 {
public:
    std::vector<std::string> calls;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (riid == IID_IUnknown || riid == IID_ITaskbarList || riid == IID_ITaskbarList2 ||
            riid == IID_ITaskbarList3 || riid == IID_ITaskbarList4) {
            *out = this;
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }

    HRESULT STDMETHODCALLTYPE SetProgressValue(HWND hwnd, ULONGLONG done, ULONGLONG total) override
    {
        calls.push_back(Tag(hwnd) + " value " + std::to_string(done) + "/" + std::to_string(total));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE SetProgressState(HWND hwnd, TBPFLAG flags) override
    {
        calls.push_back(Tag(hwnd) + " state " + std::to_string(flags));
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE HrInit() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE AddTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeleteTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ActivateTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveAlt(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE MarkFullscreenWindow(HWND, WINBOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RegisterTab(HWND, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE UnregisterTab(HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetTabOrder(HWND, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetTabActive(HWND, HWND, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ThumbBarAddButtons(HWND, UINT, LPTHUMBBUTTON) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ThumbBarUpdateButtons(HWND, UINT, LPTHUMBBUTTON) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ThumbBarSetImageList(HWND, HIMAGELIST) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetOverlayIcon(HWND, HICON, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetThumbnailTooltip(HWND, LPCWSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetThumbnailClip(HWND, RECT*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetTabProperties(HWND, STPFLAG) override { return S_OK; }

    ULONG refs = 1;

private:
    static std::string Tag(HWND hwnd) { return hwnd == kWindow ? "main" : "other"; }

public:
    static inline const HWND kWindow = reinterpret_cast<HWND>(0x1234);
};

const std::string kNoBar = " state " + std::to_string(TBPF_NOPROGRESS);

TEST(TaskbarProgress, ProgressReachesTheWindowsButton)
{
    struct Case {
        const char* name;
        ULONGLONG done, total;
        std::vector<std::string> want;
    };
    const Case cases[] = {
        {"half", 5, 10, {"main value 5/10"}},
        {"nothing yet", 0, 10, {"main value 0/10"}},
        {"done: full, then no bar", 10, 10, {"main value 10/10", "main" + kNoBar}},
        {"past the end", 11, 10, {"main value 11/10", "main" + kNoBar}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingTaskbar taskbar;
        {
            CTaskbarProgress progress(&taskbar);
            progress.SetProgress(1, 2);  // no window yet: nothing
            EXPECT_TRUE(taskbar.calls.empty());
            progress.SetWindow(RecordingTaskbar::kWindow);
            EXPECT_EQ(taskbar.calls, std::vector<std::string>{"main" + kNoBar}) << "a new window starts without a bar";
            taskbar.calls.clear();
            progress.SetProgress(c.done, c.total);
            EXPECT_EQ(taskbar.calls, c.want);
        }
        EXPECT_EQ(taskbar.refs, 1u) << "the reference taken is given back";
    }
}

TEST(TaskbarProgress, ClearNeedsAWindow)
{
    RecordingTaskbar taskbar;
    CTaskbarProgress progress(&taskbar);
    progress.Clear();
    progress.SetWindow(nullptr);
    EXPECT_TRUE(taskbar.calls.empty());
    progress.SetWindow(RecordingTaskbar::kWindow);
    progress.Clear();
    EXPECT_EQ(taskbar.calls, (std::vector<std::string>{"main" + kNoBar, "main" + kNoBar}));
}

// Wine makes the system's object and accepts the calls, but its taskbar
// shows no progress; here only the object's creation can be checked.
TEST(TaskbarProgress, SystemTaskbarObjectIsMade)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    {
        CTaskbarProgress progress;
        EXPECT_EQ(progress.GetTaskbar(), nullptr);
        progress.EnsureInit();
        ASSERT_NE(progress.GetTaskbar(), nullptr);
        ITaskbarList4* made = progress.GetTaskbar();
        progress.EnsureInit();
        EXPECT_EQ(progress.GetTaskbar(), made) << "made once";
        HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr,
                                      nullptr, nullptr);
        ASSERT_NE(window, nullptr);
        progress.SetWindow(window);
        progress.SetProgress(5, 10);
        progress.SetProgress(10, 10);
        DestroyWindow(window);
    }
    CoUninitialize();
}

} // namespace
