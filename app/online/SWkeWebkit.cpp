#include "app/online/SWkeWebkit.h"

#include "app/online/WebViewScale.h"
#include "app/online/WkeBinding.h"
#include "dui/core/ISwndContainer.h"
#include "dui/core/SApplication.h"
#include "dui/res.mgr/SResProviderMgr.h"

#include <shlobj.h>
#include <windowsx.h>

namespace DUI {

namespace {

std::map<wkeWebView, SWkeWebkit*>& ViewMap()
{
    static std::map<wkeWebView, SWkeWebkit*> views;
    return views;
}

} // namespace

LPCWSTR SystemCursorOf(int kind)
{
    switch (kind) {
    case 1: return IDC_CROSS;
    case 2: return IDC_HAND;
    case 3: return IDC_IBEAM;
    case 4: return IDC_WAIT;
    case 5: return IDC_HELP;
    case 6: case 13: case 15: case 19: return IDC_SIZEWE;
    case 7: case 10: case 14: case 18: return IDC_SIZENS;
    case 8: case 12: case 16: return IDC_SIZENESW;
    case 9: case 11: case 17: return IDC_SIZENWSE;
    case 29: return IDC_SIZEALL;
    default: return IDC_ARROW;
    }
}

unsigned KeyFlagsOf(LPARAM lp)
{
    unsigned flags = 0;
    if (HIWORD(lp) & KF_REPEAT) flags |= WKE_REPEAT;
    if (HIWORD(lp) & KF_EXTENDED) flags |= WKE_EXTENDED;
    return flags;
}

SStringW GetWkeCookiePath()
{
    wchar_t folder[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder);
    SStringW path = folder;
    if (path.GetLength() && path[path.GetLength() - 1] != L'\\') path += L"\\";
    return path + L"VeskPDF2Image" + L"cookie.dat";
}

SWkeWebkit::SWkeWebkit()
{
    m_captionHeight.Parse(L"40");
    GetEventSet()->AddEvent(EventWkeNotify::EventID, EventWkeNotify::EventName());
}

SWkeWebkit::~SWkeWebkit()
{
    DestroyView();
}

SWkeWebkit* SWkeWebkit::FromView(wkeWebView view)
{
    auto it = ViewMap().find(view);
    return it == ViewMap().end() ? nullptr : it->second;
}

double SWkeWebkit::Ratio() const
{
    int scale = GetScale();
    return double(SystemScale()) / (scale > 0 ? scale : 100);
}

HRESULT SWkeWebkit::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    if (name.CompareNoCase(L"url") == 0) {
        if (m_changeLoad && value == m_url) return S_OK;
        m_url = value;
        LoadUrl();
        return S_OK;
    }
    if (name.CompareNoCase(L"url_changeLoad") == 0) {
        m_changeLoad = _wtoi(value) != 0;
        return S_OK;
    }
    if (name.CompareNoCase(L"corner") == 0) {
        m_corner = _wtoi(value);
        SStringW round;
        round.Format(L"%d,%d", m_corner, m_corner);
        GetStyle().SetAttribute(L"round", round, loading);
        return S_OK;
    }
    if (name.CompareNoCase(L"caption_height") == 0) {
        m_captionHeight = ResolveLayoutDim(value);
        return S_OK;
    }
    return SWindow::SetAttribute(name, value, loading);
}

void SWkeWebkit::LoadUrl()
{
    if (!m_view) {
        // A control whose view could not be made would otherwise leave its
        // page loading for ever: the url is reported as failed at once.
        if (m_viewFailed && !m_url.IsEmpty()) {
            PostRelayout(WPARAM(-9999));
            Notify(EventWkeNotify::LoadFailed);
        }
        return;
    }
    if (m_loadTimeout && !m_url.IsEmpty()) {
        if (m_url.Left(8).CompareNoCase(L"file:///") != 0) {
            m_pending = TRUE;
            m_timedOut = FALSE;
            m_ticks = 0;
        }
    }
    WkeCall(g_wke.wkeLoadURLW, m_view, static_cast<LPCWSTR>(m_url));
}

void SWkeWebkit::RegisterCallbacks()
{
    WkeCall(g_wke.wkeOnLoadUrlFail, m_view, &FailCb, static_cast<void*>(this));
    WkeCall(g_wke.wkeOnLoadingFinish, m_view, &FinishCb, static_cast<void*>(this));
    WkeCall(g_wke.wkeOnCreateView, m_view, &NewWindowCb, static_cast<void*>(this));
    WkeCall(g_wke.wkeOnPaintUpdated, m_view, &PaintCb, static_cast<void*>(this));
    WkeCall(g_wke.wkeOnLoadUrlBegin, m_view, &BeginCb, static_cast<void*>(this));
    WkeCall(g_wke.wkeOnLoadUrlEnd, m_view, &EndCb, static_cast<void*>(this));
    WkeCall(g_wke.wkeOnURLChanged, m_view, &UrlChangedCb, static_cast<void*>(this));
}

int SWkeWebkit::CreateView()
{
    m_view = WkeCall(g_wke.wkeCreateWebView, wkeWebView(nullptr));
    if (!m_view) {
        m_viewFailed = TRUE;
        LoadUrl();
        return 1;
    }
    WkeCall(g_wke.wkeSetTransparent, m_view, true);
    ViewMap()[m_view] = this;
    if (ISwndContainer* c = GetContainer()) m_registered = c->RegisterTimelineHandler(this);
    WkeCall(g_wke.wkeSetNavigationToNewWindowEnable, m_view, false);
    RegisterCallbacks();
    SStringW cookies = GetWkeCookiePath();
    WkeCall(g_wke.wkeSetCookieJarFullPath, m_view, static_cast<LPCWSTR>(cookies));
    WkeCall(g_wke.wkeSetLocalStorageFullPath, m_view, static_cast<LPCWSTR>(cookies));
    COLORREF bg = GetStyle().m_crBg;   // 0xAABBGGRR
    wkeViewSettings settings{0, (bg & 0xFF00FF00u) | (bg & 0xFF) << 16 | (bg >> 16 & 0xFF)};
    WkeCall(g_wke.wkeSetViewSettings, m_view, static_cast<const wkeViewSettings*>(&settings));
    LoadUrl();
    SWindow::SetAttribute(L"focusable", L"1", FALSE);
    return 0;
}

void SWkeWebkit::DestroyView()
{
    if (m_registered) {
        if (ISwndContainer* c = GetContainer()) c->UnregisterTimelineHandler(this);
        m_registered = FALSE;
    }
    if (!m_view) return;
    ViewMap().erase(m_view);
    WkeCall(g_wke.wkeSetHandle, m_view, HWND(nullptr));
    WkeCall(g_wke.wkeDestroyWebView, m_view);
    m_view = nullptr;
}

void SWkeWebkit::OnTimelineTick()
{
    if (!m_view || !m_loadTimeout || !m_pending || m_url.IsEmpty()) return;
    ++m_ticks;
    if (m_ticks * 10 < kLoadTimeoutMs) return;
    m_timedOut = TRUE;
    WkeCall(g_wke.wkeStopLoading, m_view);
    PostRelayout(WPARAM(-9998));
    Notify(EventWkeNotify::LoadTimedOut);
    m_ticks = 0;
    m_pending = FALSE;
}

void SWkeWebkit::Notify(int code)
{
    EventWkeNotify e(this);
    e.bubbleUp = TRUE;
    e.code = code;
    FireEvent(e);
}

void SWkeWebkit::PostRelayout(WPARAM code)
{
    ISwndContainer* c = GetContainer();
    HWND host = c ? c->GetHostHwnd() : nullptr;
    if (host) ::PostMessageW(host, UM_WEBVIEW_RELAYOUT, code, reinterpret_cast<LPARAM>(this));
}

wkeWebView WKE_CALL SWkeWebkit::NewWindowCb(wkeWebView view, void* p, wkeNavigationType, const wkeString,
    const wkeWindowFeatures*)
{
    static_cast<SWkeWebkit*>(p)->Notify(EventWkeNotify::NewWindow);
    return view;
}

void WKE_CALL SWkeWebkit::FinishCb(wkeWebView view, void* p, const wkeString, wkeLoadingResult, const wkeString)
{
    auto* self = static_cast<SWkeWebkit*>(p);
    if (self->m_timedOut) {
        self->m_timedOut = FALSE;
        return;
    }
    self->m_pending = FALSE;
    self->m_ticks = 0;
    if (!WkeCall(g_wke.wkeIsLoadingSucceeded, BOOL(FALSE), view)) return;
    self->PostRelayout(0);
    self->Notify(EventWkeNotify::LoadSucceeded);
}

void WKE_CALL SWkeWebkit::FailCb(wkeWebView, void* p, const utf8*, wkeNetJob)
{
    auto* self = static_cast<SWkeWebkit*>(p);
    if (self->m_timedOut) {
        self->m_timedOut = FALSE;
        return;
    }
    self->m_pending = FALSE;
    self->m_ticks = 0;
    self->PostRelayout(WPARAM(-9999));
    self->Notify(EventWkeNotify::LoadFailed);
}

bool WKE_CALL SWkeWebkit::BeginCb(wkeWebView, void* p, const utf8*, wkeNetJob)
{
    static_cast<SWkeWebkit*>(p)->Notify(EventWkeNotify::LoadBegin);
    return false;
}

void WKE_CALL SWkeWebkit::EndCb(wkeWebView, void* p, const utf8*, wkeNetJob, void*, int)
{
    static_cast<SWkeWebkit*>(p)->Notify(EventWkeNotify::LoadEnd);
}

void WKE_CALL SWkeWebkit::PaintCb(wkeWebView, void* p, const HDC, int, int, int, int)
{
    auto* self = static_cast<SWkeWebkit*>(p);
    self->InvalidateClient();
    self->Notify(EventWkeNotify::PaintUpdated);
}

void WKE_CALL SWkeWebkit::UrlChangedCb(wkeWebView, void* p, const wkeString)
{
    static_cast<SWkeWebkit*>(p)->Notify(EventWkeNotify::UrlChanged);
}

} // namespace DUI
