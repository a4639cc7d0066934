#pragma once
// One windowless engine view: loads a page, keeps its document, layout,
// scripts and images, paints it into its DIB and answers input. Lives on
// the user-interface thread; callbacks run there.
#include "app/online/WkeApi.h"
#include "components/node/CssSheet.h"
#include "components/node/DomNode.h"
#include "components/node/NetFetch.h"
#include "components/node/PageLayout.h"
#include "components/node/PagePainter.h"
#include "components/node/ScriptHost.h"

#include <map>
#include <memory>
#include <set>
#include <string>

// A wkeString is a wide string the engine owns for the length of a callback.
struct wkeStringImpl {
    std::wstring text;
};

struct wkeWebViewImpl {
    virtual ~wkeWebViewImpl() = default;
};

namespace node {

struct ViewCallbacks {
    wkeLoadUrlBeginCallback begin = nullptr;
    void* beginParam = nullptr;
    wkeLoadUrlEndCallback end = nullptr;
    void* endParam = nullptr;
    wkeLoadUrlFailCallback fail = nullptr;
    void* failParam = nullptr;
    wkeLoadingFinishCallback finish = nullptr;
    void* finishParam = nullptr;
    wkeURLChangedCallback urlChanged = nullptr;
    void* urlChangedParam = nullptr;
    wkePaintUpdatedCallback paint = nullptr;
    void* paintParam = nullptr;
    wkeCreateViewCallback createView = nullptr;
    void* createViewParam = nullptr;
};

class WebView : public wkeWebViewImpl, public ScriptSite {
public:
    WebView();
    ~WebView() override;

    static WebView* From(wkeWebView v);
    // Destroys now, or once the call on the stack that uses the view returns.
    void Destroy();

    ViewCallbacks callbacks;
    HWND handle = nullptr;
    bool transparent = false;
    bool newWindows = true;
    std::wstring cookieJar, localStorage;
    unsigned background = 0xFFFFFFFF;

    // Loading.
    void LoadUrl(const std::string& url);
    void Navigate(const std::string& url, const std::string* postBody, bool newWindow);
    void StopLoading();
    bool Succeeded() const { return m_succeeded; }
    ScriptValue RunScript(const std::string& source, bool& ok);

    // Size and picture.
    void Resize(int w, int h);
    HDC ViewDC();
    int ContentsWidth();
    int ContentsHeight();

    // Input.
    bool MouseEvent(UINT msg, int x, int y, unsigned flags);
    bool Wheel(int x, int y, int delta);
    bool KeyDown(unsigned code);
    bool KeyPress(unsigned code);
    void SetFocus(bool on);
    wkeRect Caret();
    int CursorType() const { return m_cursor; }

    // Keeps the view alive while a call that may run callbacks is on the stack.
    class Pin {
    public:
        explicit Pin(WebView* v) : m_v(v) { ++m_v->m_pins; }
        ~Pin();
        Pin(const Pin&) = delete;
        Pin& operator=(const Pin&) = delete;

    private:
        WebView* m_v;
    };
    bool Doomed() const { return m_doomed; }

private:
    // ScriptSite.
    DomDocument& Document() override { return *m_doc; }
    void DomChanged() override;
    std::string PageUrl() override { return m_url; }
    void NavigateTo(const std::string& url) override;
    void ScheduleTimer(int id, int ms) override;
    void CancelTimer(int id) override;
    wkeWebView View() override { return this; }

    // Loading (WebViewLoad.cpp).
    void StartFetch(const std::string& url, const std::string* postBody);
    void OnPageFetched(int generation, FetchResult result);
    void Commit(const FetchResult& result);
    void PrepareDocument();
    void RunPageScripts();
    void FetchImages();
    void OnImageFetched(int generation, const std::string& url, FetchResult result);
    void FinishLoad();
    void FailLoad(const std::string& url, const std::string& reason, wkeLoadingResult result);
    bool BeginRequest(const std::string& url);
    void ReportUrlChanged();
    void Submit(DomNode* form, DomNode* submitter);

    // Rendering (WebView.cpp).
    void Restyle();
    void Relayout();
    void Repaint(RECT dirty);
    void Flush();
    void ScheduleFlush();
    unsigned CanvasColor() const;
    PaintState MakePaintState();
    DomNode* HitTest(int x, int y);
    const DisplayItem* ItemOf(const DomNode* n) const;
    void ClampScroll();
    std::string ResolveImage(const std::string& src) const;

    // Input (WebViewInput.cpp).
    void UpdateHover(DomNode* hit);
    void Click(DomNode* target);
    void Focus(DomNode* n);
    void MoveFocus(bool back);
    bool EditKey(DomNode* field, unsigned code);
    void InsertText(DomNode* field, const std::wstring& text);
    void Copy(DomNode* field, bool cut);
    HWND ClipboardOwner() const;
    int CaretFromX(DomNode* field, int x);
    int CursorFor(DomNode* n) const;
    void ControlChanged(DomNode* n);

    std::unique_ptr<DomDocument> m_doc;
    CssSheet m_sheet;
    LayoutResult m_layout;
    std::unique_ptr<ScriptHost> m_script;
    FontCache m_fonts;
    PagePainter m_painter{m_fonts};
    std::map<std::string, std::shared_ptr<DecodedImage>> m_images;
    std::map<int, UINT_PTR> m_timers;

    std::string m_url;          // the page shown
    std::string m_loadingUrl;   // the page being fetched
    CancelFlag m_cancel;
    int m_generation = 0;
    int m_pendingImages = 0;
    bool m_loading = false;
    bool m_succeeded = false;

    int m_width = 0, m_height = 0;
    int m_scrollX = 0, m_scrollY = 0;
    bool m_styleDirty = false, m_layoutDirty = false, m_paintDirty = false, m_flushPosted = false;
    bool m_focused = false;
    int m_hoverId = 0, m_focusId = 0, m_pressId = 0;
    int m_cursor = 0;
    double m_zoom = 1.0;

    int m_pins = 0;
    bool m_doomed = false;
};

} // namespace node
