// The engine's C entry points. Nothing thrown inside gets out: a failure
// answers the neutral value of the entry point.
#include "components/node/NodeRuntime.h"
#include "components/node/PageText.h"
#include "components/node/WebView.h"

#include <cmath>

using node::NodeRuntime;
using node::WebView;

namespace {

template <class R, class Fn>
R Guarded(R fallback, Fn&& fn)
{
    try {
        return fn();
    } catch (...) {
        return fallback;
    }
}

template <class Fn>
void Guarded(Fn&& fn)
{
    try {
        fn();
    } catch (...) {
    }
}

// Runs fn(view) for a live view.
template <class Fn>
void OnView(wkeWebView v, Fn&& fn)
{
    Guarded([&] {
        if (WebView* w = WebView::From(v)) {
            WebView::Pin pin(w);
            fn(*w);
        }
    });
}

std::string Utf8(const wchar_t* s)
{
    return s ? node::WideToUtf8(s) : std::string();
}

double ToNumber(const node::ScriptValue& v)
{
    switch (v.type) {
    case node::ScriptValue::Bool:
    case node::ScriptValue::Number: return v.number;
    case node::ScriptValue::String: {
        char* end = nullptr;
        double d = strtod(v.text.c_str(), &end);
        while (end && *end == ' ') ++end;
        return v.text.empty() ? 0 : (end && *end == 0) ? d : NAN;
    }
    case node::ScriptValue::Null: return 0;
    default: return NAN;
    }
}

std::wstring ToText(const node::ScriptValue& v)
{
    switch (v.type) {
    case node::ScriptValue::Undefined: return L"";
    case node::ScriptValue::Null: return L"null";
    case node::ScriptValue::Bool: return v.number ? L"true" : L"false";
    case node::ScriptValue::Number: {
        if (std::isnan(v.number)) return L"NaN";
        wchar_t buf[64];
        swprintf(buf, 64, L"%.17g", v.number);
        if (v.number == std::floor(v.number) && std::fabs(v.number) < 1e15) swprintf(buf, 64, L"%.0f", v.number);
        return buf;
    }
    default: return node::Utf8ToWide(v.text);
    }
}

void Bind(const char* name, jsNativeFunction plain, wkeJsNativeFunction withParam, void* param)
{
    if (!name || !*name || (!plain && !withParam)) return;
    auto& list = NodeRuntime::Ensure().Bound();
    node::BoundFunction f{name, plain, withParam, param};
    for (auto& b : list)
        if (b.name == name) {
            b = f;
            return;
        }
    list.push_back(f);
}

} // namespace

extern "C" {

__declspec(dllexport) void WKE_CALL wkeInitializeEx(const wkeSettings*)
{
    Guarded([] { NodeRuntime::Ensure(); });
}

__declspec(dllexport) void WKE_CALL wkeEnableHighDPISupport()
{
    Guarded([] { NodeRuntime::Ensure().EnableHighDpi(); });
}

__declspec(dllexport) void WKE_CALL wkeShutdown()
{
    Guarded([] { NodeRuntime::Shutdown(); });
}

__declspec(dllexport) wkeWebView WKE_CALL wkeCreateWebView()
{
    return Guarded<wkeWebView>(nullptr, []() -> wkeWebView {
        NodeRuntime::Ensure();
        return new WebView();
    });
}

__declspec(dllexport) void WKE_CALL wkeDestroyWebView(wkeWebView v)
{
    Guarded([&] {
        if (WebView* w = WebView::From(v)) w->Destroy();
    });
}

__declspec(dllexport) void WKE_CALL wkeSetHandle(wkeWebView v, HWND h)
{
    OnView(v, [&](WebView& w) { w.handle = h; });
}

__declspec(dllexport) void WKE_CALL wkeSetTransparent(wkeWebView v, bool on)
{
    OnView(v, [&](WebView& w) { w.transparent = on; });
}

__declspec(dllexport) void WKE_CALL wkeSetNavigationToNewWindowEnable(wkeWebView v, bool on)
{
    OnView(v, [&](WebView& w) { w.newWindows = on; });
}

__declspec(dllexport) void WKE_CALL wkeSetCookieJarFullPath(wkeWebView v, const wchar_t* path)
{
    OnView(v, [&](WebView& w) {
        w.cookieJar = path ? path : L"";
        NodeRuntime::Ensure().Fetch().SetCookieFile(w.cookieJar);
    });
}

__declspec(dllexport) void WKE_CALL wkeSetLocalStorageFullPath(wkeWebView v, const wchar_t* path)
{
    OnView(v, [&](WebView& w) { w.localStorage = path ? path : L""; });
}

__declspec(dllexport) void WKE_CALL wkeSetViewSettings(wkeWebView v, const wkeViewSettings* s)
{
    OnView(v, [&](WebView& w) {
        if (s) w.background = s->bgColor;
    });
}

#define WKE_ON(Name, Type, Field)                                                                   \
    __declspec(dllexport) void WKE_CALL Name(wkeWebView v, Type cb, void* param)                    \
    {                                                                                                \
        OnView(v, [&](WebView& w) {                                                                  \
            w.callbacks.Field = cb;                                                                  \
            w.callbacks.Field##Param = param;                                                        \
        });                                                                                          \
    }

WKE_ON(wkeOnLoadUrlBegin, wkeLoadUrlBeginCallback, begin)
WKE_ON(wkeOnLoadUrlEnd, wkeLoadUrlEndCallback, end)
WKE_ON(wkeOnLoadUrlFail, wkeLoadUrlFailCallback, fail)
WKE_ON(wkeOnLoadingFinish, wkeLoadingFinishCallback, finish)
WKE_ON(wkeOnURLChanged, wkeURLChangedCallback, urlChanged)
WKE_ON(wkeOnPaintUpdated, wkePaintUpdatedCallback, paint)
WKE_ON(wkeOnCreateView, wkeCreateViewCallback, createView)

__declspec(dllexport) const wchar_t* WKE_CALL wkeToStringW(const wkeString s)
{
    return s ? s->text.c_str() : L"";
}

__declspec(dllexport) BOOL WKE_CALL wkeIsLoadingSucceeded(wkeWebView v)
{
    BOOL ok = FALSE;
    OnView(v, [&](WebView& w) { ok = w.Succeeded(); });
    return ok;
}

__declspec(dllexport) void WKE_CALL wkeLoadURLW(wkeWebView v, const wchar_t* url)
{
    OnView(v, [&](WebView& w) { w.LoadUrl(Utf8(url)); });
}

__declspec(dllexport) void WKE_CALL wkeStopLoading(wkeWebView v)
{
    OnView(v, [&](WebView& w) { w.StopLoading(); });
}

__declspec(dllexport) void WKE_CALL wkeResize(wkeWebView v, int w, int h)
{
    OnView(v, [&](WebView& view) { view.Resize(w, h); });
}

__declspec(dllexport) HDC WKE_CALL wkeGetViewDC(wkeWebView v)
{
    HDC dc = nullptr;
    OnView(v, [&](WebView& w) { dc = w.ViewDC(); });
    return dc;
}

__declspec(dllexport) int WKE_CALL wkeContentsWidth(wkeWebView v)
{
    int n = 0;
    OnView(v, [&](WebView& w) { n = w.ContentsWidth(); });
    return n;
}

__declspec(dllexport) int WKE_CALL wkeContentsHeight(wkeWebView v)
{
    int n = 0;
    OnView(v, [&](WebView& w) { n = w.ContentsHeight(); });
    return n;
}

__declspec(dllexport) bool WKE_CALL wkeFireMouseEvent(wkeWebView v, unsigned int msg, int x, int y, unsigned int flags)
{
    bool handled = false;
    OnView(v, [&](WebView& w) { handled = w.MouseEvent(msg, x, y, flags); });
    return handled;
}

__declspec(dllexport) bool WKE_CALL wkeMouseEvent(wkeWebView v, unsigned int msg, int x, int y, unsigned int flags)
{
    return wkeFireMouseEvent(v, msg, x, y, flags);
}

__declspec(dllexport) bool WKE_CALL wkeFireMouseWheelEvent(wkeWebView v, int x, int y, int delta, unsigned int)
{
    bool handled = false;
    OnView(v, [&](WebView& w) { handled = w.Wheel(x, y, delta); });
    return handled;
}

__declspec(dllexport) bool WKE_CALL wkeFireKeyDownEvent(wkeWebView v, unsigned int code, unsigned int, bool)
{
    bool handled = false;
    OnView(v, [&](WebView& w) { handled = w.KeyDown(code); });
    return handled;
}

__declspec(dllexport) bool WKE_CALL wkeFireKeyUpEvent(wkeWebView, unsigned int, unsigned int, bool)
{
    return false;
}

__declspec(dllexport) bool WKE_CALL wkeFireKeyPressEvent(wkeWebView v, unsigned int code, unsigned int, bool)
{
    bool handled = false;
    OnView(v, [&](WebView& w) { handled = w.KeyPress(code); });
    return handled;
}

__declspec(dllexport) void WKE_CALL wkeSetFocus(wkeWebView v)
{
    OnView(v, [&](WebView& w) { w.SetFocus(true); });
}

__declspec(dllexport) void WKE_CALL wkeKillFocus(wkeWebView v)
{
    OnView(v, [&](WebView& w) { w.SetFocus(false); });
}

__declspec(dllexport) wkeRect WKE_CALL wkeGetCaret(wkeWebView v)
{
    wkeRect r{0, 0, 0, 0};
    OnView(v, [&](WebView& w) { r = w.Caret(); });
    return r;
}

__declspec(dllexport) int WKE_CALL wkeGetCursorInfoType(wkeWebView v)
{
    int t = 0;
    OnView(v, [&](WebView& w) { t = w.CursorType(); });
    return t;
}

__declspec(dllexport) void WKE_CALL jsBindFunction(const char* name, jsNativeFunction fn, unsigned int)
{
    Guarded([&] { Bind(name, fn, nullptr, nullptr); });
}

__declspec(dllexport) void WKE_CALL wkeJsBindFunction(const char* name, wkeJsNativeFunction fn, void* param, unsigned int)
{
    Guarded([&] { Bind(name, nullptr, fn, param); });
}

__declspec(dllexport) jsValue WKE_CALL jsArg(jsExecState es, int i)
{
    if (!es || i < 0 || i >= int(es->args.size())) return 0;
    return Guarded<jsValue>(0, [&] { return es->Keep(es->args[size_t(i)]); });
}

__declspec(dllexport) int WKE_CALL jsToInt(jsExecState es, jsValue v)
{
    const node::ScriptValue* p = es ? es->Find(v) : nullptr;
    if (!p) return 0;
    double d = ToNumber(*p);
    if (std::isnan(d) || std::isinf(d)) return 0;
    return int(static_cast<long long>(std::trunc(std::fmod(d, 4294967296.0))) & 0xFFFFFFFF);
}

__declspec(dllexport) const wchar_t* WKE_CALL jsToTempStringW(jsExecState es, jsValue v)
{
    if (!es) return L"";
    const node::ScriptValue* p = es->Find(v);
    if (!p) return L"";
    return Guarded<const wchar_t*>(L"", [&] {
        es->strings.push_back(ToText(*p));
        return es->strings.back().c_str();
    });
}

__declspec(dllexport) const wchar_t* WKE_CALL jsToStringW(jsExecState es, jsValue v)
{
    return jsToTempStringW(es, v);
}

__declspec(dllexport) jsValue WKE_CALL jsUndefined()
{
    return 0;
}

__declspec(dllexport) wkeWebView WKE_CALL jsGetWebView(jsExecState es)
{
    return es ? es->view : nullptr;
}

__declspec(dllexport) jsValue WKE_CALL wkeRunJSW(wkeWebView v, const wchar_t* script)
{
    OnView(v, [&](WebView& w) {
        bool ok = false;
        w.RunScript(Utf8(script), ok);
    });
    return 0;
}

} // extern "C"
