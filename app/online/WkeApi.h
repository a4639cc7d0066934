#pragma once
// The web engine's C interface (node.dll): its types and the signatures of
// the entry points the program binds. Shared by the binder and the engine.
#include <winsock2.h>
#include <windows.h>

#include <cstdint>

#define WKE_CALL __cdecl

extern "C" {

struct wkeWebViewImpl;
typedef wkeWebViewImpl* wkeWebView;
struct wkeStringImpl;
typedef wkeStringImpl* wkeString;
struct jsExecStateImpl;
typedef jsExecStateImpl* jsExecState;
typedef std::int64_t jsValue;
typedef void* wkeNetJob;
typedef char utf8;

struct wkeRect {
    int x;
    int y;
    int w;
    int h;
};

struct wkeViewSettings {
    int size;
    unsigned int bgColor;   // 0xAARRGGBB
};

struct wkeSettings {
    unsigned int mask;
};

struct wkeWindowFeatures {
    int x, y, width, height;
    bool menuBarVisible, statusBarVisible, toolBarVisible, locationBarVisible, scrollbarsVisible, resizable,
        fullscreen;
};

enum wkeLoadingResult { WKE_LOADING_SUCCEEDED = 0, WKE_LOADING_FAILED = 1, WKE_LOADING_CANCELED = 2 };
enum wkeNavigationType { WKE_NAVIGATION_TYPE_LINKCLICK = 0, WKE_NAVIGATION_TYPE_FORMSUBMITTE = 1, WKE_NAVIGATION_TYPE_OTHER = 5 };

// Mouse key flags, the same bits as a mouse message's wParam.
enum wkeMouseFlags { WKE_LBUTTON = 0x01, WKE_RBUTTON = 0x02, WKE_SHIFT = 0x04, WKE_CONTROL = 0x08, WKE_MBUTTON = 0x10 };
// Key flags.
enum wkeKeyFlags { WKE_EXTENDED = 0x0100, WKE_REPEAT = 0x4000 };

typedef bool(WKE_CALL* wkeLoadUrlBeginCallback)(wkeWebView, void* param, const utf8* url, wkeNetJob job);
typedef void(WKE_CALL* wkeLoadUrlEndCallback)(wkeWebView, void* param, const utf8* url, wkeNetJob job, void* buf, int len);
typedef void(WKE_CALL* wkeLoadUrlFailCallback)(wkeWebView, void* param, const utf8* url, wkeNetJob job);
typedef void(WKE_CALL* wkeLoadingFinishCallback)(wkeWebView, void* param, const wkeString url, wkeLoadingResult result,
    const wkeString failedReason);
typedef void(WKE_CALL* wkeURLChangedCallback)(wkeWebView, void* param, const wkeString url);
typedef void(WKE_CALL* wkePaintUpdatedCallback)(wkeWebView, void* param, const HDC hdc, int x, int y, int cx, int cy);
typedef wkeWebView(WKE_CALL* wkeCreateViewCallback)(wkeWebView, void* param, wkeNavigationType navigationType,
    const wkeString url, const wkeWindowFeatures* windowFeatures);
typedef jsValue(WKE_CALL* jsNativeFunction)(jsExecState es);
typedef jsValue(WKE_CALL* wkeJsNativeFunction)(jsExecState es, void* param);

// Signatures of the entry points, one typedef each.
typedef void(WKE_CALL* PFN_wkeInitializeEx)(const wkeSettings*);
typedef void(WKE_CALL* PFN_wkeEnableHighDPISupport)();
typedef void(WKE_CALL* PFN_wkeShutdown)();
typedef wkeWebView(WKE_CALL* PFN_wkeCreateWebView)();
typedef void(WKE_CALL* PFN_wkeDestroyWebView)(wkeWebView);
typedef void(WKE_CALL* PFN_wkeSetHandle)(wkeWebView, HWND);
typedef void(WKE_CALL* PFN_wkeSetTransparent)(wkeWebView, bool);
typedef void(WKE_CALL* PFN_wkeSetNavigationToNewWindowEnable)(wkeWebView, bool);
typedef void(WKE_CALL* PFN_wkeSetCookieJarFullPath)(wkeWebView, const wchar_t*);
typedef void(WKE_CALL* PFN_wkeSetLocalStorageFullPath)(wkeWebView, const wchar_t*);
typedef void(WKE_CALL* PFN_wkeSetViewSettings)(wkeWebView, const wkeViewSettings*);
typedef void(WKE_CALL* PFN_wkeOnLoadUrlBegin)(wkeWebView, wkeLoadUrlBeginCallback, void*);
typedef void(WKE_CALL* PFN_wkeOnLoadUrlEnd)(wkeWebView, wkeLoadUrlEndCallback, void*);
typedef void(WKE_CALL* PFN_wkeOnLoadUrlFail)(wkeWebView, wkeLoadUrlFailCallback, void*);
typedef void(WKE_CALL* PFN_wkeOnLoadingFinish)(wkeWebView, wkeLoadingFinishCallback, void*);
typedef void(WKE_CALL* PFN_wkeOnURLChanged)(wkeWebView, wkeURLChangedCallback, void*);
typedef void(WKE_CALL* PFN_wkeOnPaintUpdated)(wkeWebView, wkePaintUpdatedCallback, void*);
typedef void(WKE_CALL* PFN_wkeOnCreateView)(wkeWebView, wkeCreateViewCallback, void*);
typedef const wchar_t*(WKE_CALL* PFN_wkeToStringW)(const wkeString);
typedef BOOL(WKE_CALL* PFN_wkeIsLoadingSucceeded)(wkeWebView);
typedef void(WKE_CALL* PFN_wkeLoadURLW)(wkeWebView, const wchar_t*);
typedef void(WKE_CALL* PFN_wkeStopLoading)(wkeWebView);
typedef void(WKE_CALL* PFN_wkeResize)(wkeWebView, int, int);
typedef HDC(WKE_CALL* PFN_wkeGetViewDC)(wkeWebView);
typedef int(WKE_CALL* PFN_wkeContentsWidth)(wkeWebView);
typedef int(WKE_CALL* PFN_wkeContentsHeight)(wkeWebView);
typedef bool(WKE_CALL* PFN_wkeFireMouseEvent)(wkeWebView, unsigned int message, int x, int y, unsigned int flags);
typedef bool(WKE_CALL* PFN_wkeFireMouseWheelEvent)(wkeWebView, int x, int y, int delta, unsigned int flags);
typedef bool(WKE_CALL* PFN_wkeFireKeyEvent)(wkeWebView, unsigned int code, unsigned int flags, bool systemKey);
typedef void(WKE_CALL* PFN_wkeSetFocus)(wkeWebView);
typedef void(WKE_CALL* PFN_wkeKillFocus)(wkeWebView);
typedef wkeRect(WKE_CALL* PFN_wkeGetCaret)(wkeWebView);
typedef int(WKE_CALL* PFN_wkeGetCursorInfoType)(wkeWebView);
typedef void(WKE_CALL* PFN_jsBindFunction)(const char* name, jsNativeFunction fn, unsigned int argCount);
typedef void(WKE_CALL* PFN_wkeJsBindFunction)(const char* name, wkeJsNativeFunction fn, void* param, unsigned int argCount);
typedef jsValue(WKE_CALL* PFN_jsArg)(jsExecState, int);
typedef int(WKE_CALL* PFN_jsToInt)(jsExecState, jsValue);
typedef const wchar_t*(WKE_CALL* PFN_jsToStringW)(jsExecState, jsValue);
typedef jsValue(WKE_CALL* PFN_jsUndefined)();
typedef wkeWebView(WKE_CALL* PFN_jsGetWebView)(jsExecState);
typedef jsValue(WKE_CALL* PFN_wkeRunJSW)(wkeWebView, const wchar_t*);

} // extern "C"
