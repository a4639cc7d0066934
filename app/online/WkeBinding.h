#pragma once
// The web engine's entry points, bound by name from node.dll once at
// start-up. A pointer stays null when the library lacks its entry point;
// every call goes through WkeCall, which skips a null one.
#include "app/online/WkeApi.h"

#include <utility>

struct WkeEntryPoints {
    PFN_wkeInitializeEx wkeInitializeEx = nullptr;
    PFN_wkeEnableHighDPISupport wkeEnableHighDPISupport = nullptr;
    PFN_wkeShutdown wkeShutdown = nullptr;
    PFN_wkeCreateWebView wkeCreateWebView = nullptr;
    PFN_wkeDestroyWebView wkeDestroyWebView = nullptr;
    PFN_wkeSetHandle wkeSetHandle = nullptr;
    PFN_wkeSetTransparent wkeSetTransparent = nullptr;
    PFN_wkeSetNavigationToNewWindowEnable wkeSetNavigationToNewWindowEnable = nullptr;
    PFN_wkeSetCookieJarFullPath wkeSetCookieJarFullPath = nullptr;
    PFN_wkeSetLocalStorageFullPath wkeSetLocalStorageFullPath = nullptr;
    PFN_wkeSetViewSettings wkeSetViewSettings = nullptr;
    PFN_wkeOnLoadUrlBegin wkeOnLoadUrlBegin = nullptr;
    PFN_wkeOnLoadUrlEnd wkeOnLoadUrlEnd = nullptr;
    PFN_wkeOnLoadUrlFail wkeOnLoadUrlFail = nullptr;
    PFN_wkeOnLoadingFinish wkeOnLoadingFinish = nullptr;
    PFN_wkeOnURLChanged wkeOnURLChanged = nullptr;
    PFN_wkeOnPaintUpdated wkeOnPaintUpdated = nullptr;
    PFN_wkeOnCreateView wkeOnCreateView = nullptr;
    PFN_wkeToStringW wkeToStringW = nullptr;
    PFN_wkeIsLoadingSucceeded wkeIsLoadingSucceeded = nullptr;
    PFN_wkeLoadURLW wkeLoadURLW = nullptr;
    PFN_wkeStopLoading wkeStopLoading = nullptr;
    PFN_wkeResize wkeResize = nullptr;
    PFN_wkeGetViewDC wkeGetViewDC = nullptr;
    PFN_wkeContentsWidth wkeContentsWidth = nullptr;
    PFN_wkeContentsHeight wkeContentsHeight = nullptr;
    PFN_wkeFireMouseEvent wkeFireMouseEvent = nullptr;
    PFN_wkeFireMouseEvent wkeMouseEvent = nullptr;
    PFN_wkeFireMouseWheelEvent wkeFireMouseWheelEvent = nullptr;
    PFN_wkeFireKeyEvent wkeFireKeyDownEvent = nullptr;
    PFN_wkeFireKeyEvent wkeFireKeyUpEvent = nullptr;
    PFN_wkeFireKeyEvent wkeFireKeyPressEvent = nullptr;
    PFN_wkeSetFocus wkeSetFocus = nullptr;
    PFN_wkeKillFocus wkeKillFocus = nullptr;
    PFN_wkeGetCaret wkeGetCaret = nullptr;
    PFN_wkeGetCursorInfoType wkeGetCursorInfoType = nullptr;
    PFN_jsBindFunction jsBindFunction = nullptr;
    PFN_wkeJsBindFunction wkeJsBindFunction = nullptr;
    PFN_jsArg jsArg = nullptr;
    PFN_jsToStringW jsToStringW = nullptr;
    PFN_jsToStringW jsToTempStringW = nullptr;
    PFN_jsToInt jsToInt = nullptr;
    PFN_jsUndefined jsUndefined = nullptr;
    PFN_jsGetWebView jsGetWebView = nullptr;
    PFN_wkeRunJSW wkeRunJSW = nullptr;
};

// Written only by LoadWkeApi, before any web view exists.
extern WkeEntryPoints g_wke;

// Loads node.dll and binds its entry points: 0 when the library cannot be
// loaded (silently), otherwise 1; a missing entry point is named in a
// message box and its pointer stays null.
int LoadWkeApi();

// Calls an entry point, or answers `fallback` when it is not bound.
template <class R, class... P, class... A>
R WkeCall(R(WKE_CALL* fn)(P...), R fallback, A&&... args)
{
    return fn ? fn(std::forward<A>(args)...) : fallback;
}

template <class... P, class... A>
void WkeCall(void(WKE_CALL* fn)(P...), A&&... args)
{
    if (fn) fn(std::forward<A>(args)...);
}
