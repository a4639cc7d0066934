#pragma once
// node.dll loaded from the build's bin folder, with its entry points bound by
// name, for the engine's tests and benchmark.
#include "app/online/WkeApi.h"

#include <string>

namespace testnode {

struct NodeEngine {
    HMODULE module = nullptr;
#define NODE_FN(name, type) type name = nullptr;
#define NODE_FNS(X)                                                                                             \
    X(wkeInitializeEx, PFN_wkeInitializeEx) X(wkeEnableHighDPISupport, PFN_wkeEnableHighDPISupport)             \
    X(wkeShutdown, PFN_wkeShutdown) X(wkeCreateWebView, PFN_wkeCreateWebView)                                   \
    X(wkeDestroyWebView, PFN_wkeDestroyWebView) X(wkeSetHandle, PFN_wkeSetHandle)                               \
    X(wkeSetTransparent, PFN_wkeSetTransparent) X(wkeSetCookieJarFullPath, PFN_wkeSetCookieJarFullPath)         \
    X(wkeSetViewSettings, PFN_wkeSetViewSettings) X(wkeOnLoadUrlBegin, PFN_wkeOnLoadUrlBegin)                   \
    X(wkeOnLoadUrlEnd, PFN_wkeOnLoadUrlEnd) X(wkeOnLoadUrlFail, PFN_wkeOnLoadUrlFail)                           \
    X(wkeOnLoadingFinish, PFN_wkeOnLoadingFinish) X(wkeOnURLChanged, PFN_wkeOnURLChanged)                       \
    X(wkeOnPaintUpdated, PFN_wkeOnPaintUpdated) X(wkeOnCreateView, PFN_wkeOnCreateView)                         \
    X(wkeToStringW, PFN_wkeToStringW) X(wkeIsLoadingSucceeded, PFN_wkeIsLoadingSucceeded)                       \
    X(wkeLoadURLW, PFN_wkeLoadURLW) X(wkeStopLoading, PFN_wkeStopLoading) X(wkeResize, PFN_wkeResize)           \
    X(wkeGetViewDC, PFN_wkeGetViewDC) X(wkeContentsWidth, PFN_wkeContentsWidth)                                 \
    X(wkeContentsHeight, PFN_wkeContentsHeight) X(wkeFireMouseEvent, PFN_wkeFireMouseEvent)                     \
    X(wkeFireMouseWheelEvent, PFN_wkeFireMouseWheelEvent) X(wkeFireKeyDownEvent, PFN_wkeFireKeyEvent)           \
    X(wkeFireKeyPressEvent, PFN_wkeFireKeyEvent) X(wkeSetFocus, PFN_wkeSetFocus) X(wkeGetCaret, PFN_wkeGetCaret) \
    X(wkeGetCursorInfoType, PFN_wkeGetCursorInfoType) X(jsBindFunction, PFN_jsBindFunction)                     \
    X(wkeJsBindFunction, PFN_wkeJsBindFunction) X(jsArg, PFN_jsArg) X(jsToInt, PFN_jsToInt)                     \
    X(jsToStringW, PFN_jsToStringW) X(jsToTempStringW, PFN_jsToStringW) X(jsUndefined, PFN_jsUndefined)         \
    X(jsGetWebView, PFN_jsGetWebView) X(wkeRunJSW, PFN_wkeRunJSW)
    NODE_FNS(NODE_FN)
#undef NODE_FN

    bool Load()
    {
        module = LoadLibraryW(L"" VESK_BIN_DIR "/node.dll");
        if (!module) return false;
        bool all = true;
#define NODE_BIND(name, type)                                                                   \
    name = reinterpret_cast<type>(reinterpret_cast<void*>(GetProcAddress(module, #name)));    \
    all = all && name;
        NODE_FNS(NODE_BIND)
#undef NODE_BIND
        return all;
    }
};

} // namespace testnode
