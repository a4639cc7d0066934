#pragma once
// The web-view control ("wkeWebkit"): one windowless engine view whose
// picture it paints, to which it hands size, mouse, keys, focus and the
// input method, and whose notifications it fires as "on_wkenotify". A load
// that has not finished within 31 s is stopped.
#include "app/online/WkeApi.h"
#include "dui/core/SWindow.h"

#include <map>

namespace DUI {

// Posted to the host window with lParam = the control: wParam 0 after a
// successful load, -9999 after a failed one, -9998 after a timeout.
constexpr UINT UM_WEBVIEW_RELAYOUT = 1158;

class EventWkeNotify : public EventArgs
{
    DUI_EVENT_CLASS(EventWkeNotify, 32071414, L"on_wkenotify")
public:
    enum Code : int
    {
        NewWindow = 0,
        LoadSucceeded = 1,
        LoadFailed = 2,
        LoadBegin = 3,
        LoadEnd = 4,
        PaintUpdated = 5,
        UrlChanged = 6,
        LoadTimedOut = 7,
    };
    int code = 0;
};

// The system cursor shown for an engine cursor kind.
LPCWSTR SystemCursorOf(int kind);
// Key flags of a key message: repeat and extended.
unsigned KeyFlagsOf(LPARAM lp);

// The cookie and local-storage file of every view.
SStringW GetWkeCookiePath();

class SWkeWebkit : public SWindow, public ITimelineHandler
{
    DUI_CLASS_NAME(SWkeWebkit, SWindow, L"wkeWebkit", Window_Kind)
public:
    static constexpr unsigned long long kLoadTimeoutMs = 31000;

    SWkeWebkit();
    ~SWkeWebkit() override;

    static SWkeWebkit* FromView(wkeWebView view);

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    BOOL OnSetCursor(POINT pt) override;
    UINT OnGetDlgCode() const override { return 0xFFFF; }
    SIZE MeasureContent(int parentWidth, int parentHeight) override;
    void OnTimelineTick() override;

    void LoadUrl();
    wkeWebView GetWebView() const { return m_view; }
    const SStringW& GetUrl() const { return m_url; }
    BOOL IsLoadPending() const { return m_pending; }
    unsigned long long GetTickCount() const { return m_ticks; }
    // Engine pixels per control pixel: the system scale over the control's.
    double Ratio() const;

    BOOL m_loadTimeout = TRUE;   // off for a page the user retries

protected:
    void OnPaint(IPaintSurface* rt) override;
    void OnScaleChanged(int scale) override;

private:
    int CreateView();
    void DestroyView();
    BOOL OnMouseEvent(UINT msg, WPARAM wp, LPARAM lp);
    void OnImeStart();
    void Notify(int code);
    void PostRelayout(WPARAM code);
    void PaintScaled(HDC dst, HDC srcDc, const RECT& area);
    POINT ToView(LPARAM lp) const;
    void ResizeView();
    void RegisterCallbacks();

    static wkeWebView WKE_CALL NewWindowCb(wkeWebView, void*, wkeNavigationType, const wkeString, const wkeWindowFeatures*);
    static void WKE_CALL FinishCb(wkeWebView, void*, const wkeString, wkeLoadingResult, const wkeString);
    static void WKE_CALL FailCb(wkeWebView, void*, const utf8*, wkeNetJob);
    static bool WKE_CALL BeginCb(wkeWebView, void*, const utf8*, wkeNetJob);
    static void WKE_CALL EndCb(wkeWebView, void*, const utf8*, wkeNetJob, void*, int);
    static void WKE_CALL PaintCb(wkeWebView, void*, const HDC, int, int, int, int);
    static void WKE_CALL UrlChangedCb(wkeWebView, void*, const wkeString);

    wkeWebView m_view = nullptr;
    SStringW m_url;
    BOOL m_changeLoad = FALSE;
    int m_corner = 0;
    SLayoutSize m_captionHeight;
    BOOL m_captionDrag = FALSE;
    unsigned long long m_ticks = 0;
    BOOL m_pending = FALSE;
    BOOL m_timedOut = FALSE;
    BOOL m_registered = FALSE;
    BOOL m_viewFailed = FALSE;   // WM_CREATE found no engine view
};

} // namespace DUI
