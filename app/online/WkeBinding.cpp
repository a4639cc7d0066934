#include "app/online/WkeBinding.h"

#include "app/core/CDebugStr.h"

#include <string>

WkeEntryPoints g_wke;

namespace {

struct NamedSlot {
    const char* name;
    void** slot;
};

template <class F>
NamedSlot Slot(const char* name, F& fn)
{
    return NamedSlot{name, reinterpret_cast<void**>(&fn)};
}

// In the engine's order: the wke family (general, views, network, frames,
// windows, utilities), then the js family.
#define WKE_SLOT(n) Slot(#n, g_wke.n)

void BindAll(HMODULE lib)
{
    const NamedSlot slots[] = {WKE_SLOT(wkeEnableHighDPISupport), WKE_SLOT(wkeShutdown),
        WKE_SLOT(wkeCreateWebView), WKE_SLOT(wkeDestroyWebView), WKE_SLOT(wkeSetHandle),
        WKE_SLOT(wkeSetTransparent), WKE_SLOT(wkeSetNavigationToNewWindowEnable), WKE_SLOT(wkeSetViewSettings),
        WKE_SLOT(wkeLoadURLW), WKE_SLOT(wkeStopLoading), WKE_SLOT(wkeIsLoadingSucceeded), WKE_SLOT(wkeResize),
        WKE_SLOT(wkeGetViewDC), WKE_SLOT(wkeContentsWidth), WKE_SLOT(wkeContentsHeight), WKE_SLOT(wkeSetFocus),
        WKE_SLOT(wkeKillFocus), WKE_SLOT(wkeGetCaret), WKE_SLOT(wkeGetCursorInfoType), WKE_SLOT(wkeRunJSW),
        WKE_SLOT(wkeFireMouseEvent), WKE_SLOT(wkeMouseEvent), WKE_SLOT(wkeFireMouseWheelEvent),
        WKE_SLOT(wkeFireKeyDownEvent), WKE_SLOT(wkeFireKeyUpEvent), WKE_SLOT(wkeFireKeyPressEvent),
        WKE_SLOT(wkeOnURLChanged), WKE_SLOT(wkeOnPaintUpdated), WKE_SLOT(wkeOnCreateView),
        WKE_SLOT(wkeOnLoadingFinish), WKE_SLOT(wkeOnLoadUrlBegin), WKE_SLOT(wkeOnLoadUrlEnd),
        WKE_SLOT(wkeOnLoadUrlFail), WKE_SLOT(wkeSetCookieJarFullPath), WKE_SLOT(wkeSetLocalStorageFullPath),
        WKE_SLOT(wkeJsBindFunction), WKE_SLOT(wkeToStringW), WKE_SLOT(jsBindFunction), WKE_SLOT(jsArg),
        WKE_SLOT(jsToInt), WKE_SLOT(jsToStringW), WKE_SLOT(jsToTempStringW), WKE_SLOT(jsUndefined),
        WKE_SLOT(jsGetWebView)};
    for (const NamedSlot& s : slots) {
        *s.slot = reinterpret_cast<void*>(GetProcAddress(lib, s.name));
        if (*s.slot) continue;
        // The message names the entry point to a person; the log keeps it for
        // a report from a machine where nobody read the box.
        CDebugStr::WriteLine((L"LoadWkeApi: node.dll has no " + std::wstring(s.name, s.name + strlen(s.name)) +
            L"; calls of it are skipped\n").c_str());
        MessageBoxA(nullptr, "wke api not found", s.name, MB_OK);
    }
}

} // namespace

int LoadWkeApi()
{
    HMODULE lib = LoadLibraryW(L"node.dll");
    if (!lib) return 0;
    g_wke.wkeInitializeEx = reinterpret_cast<PFN_wkeInitializeEx>(reinterpret_cast<void*>(GetProcAddress(lib, "wkeInitializeEx")));
    if (!g_wke.wkeInitializeEx) return 1;
    g_wke.wkeInitializeEx(nullptr);
    BindAll(lib);
    return 1;
}
