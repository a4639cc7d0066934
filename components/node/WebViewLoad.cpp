// Loading pages and their images, navigation and form submission.
#include "components/node/HtmlParser.h"
#include "components/node/NodeRuntime.h"
#include "components/node/PageText.h"
#include "components/node/PageUrl.h"
#include "components/node/StyleResolver.h"
#include "components/node/WebView.h"

namespace node {

std::string WebView::ResolveImage(const std::string& src) const
{
    return ResolveUrl(m_url, src);
}

void WebView::LoadUrl(const std::string& url)
{
    Navigate(url, nullptr, false);
}

void WebView::NavigateTo(const std::string& url)
{
    Navigate(ResolveUrl(m_url, url), nullptr, false);
}

// Starts loading `url` in this view, or in the view the host gives for a
// new window.
void WebView::Navigate(const std::string& url, const std::string* postBody, bool newWindow)
{
    WebView* target = this;
    if (newWindow && callbacks.createView) {
        wkeStringImpl text{Utf8ToWide(url)};
        Pin pin(this);
        wkeWebView v = callbacks.createView(this, callbacks.createViewParam, WKE_NAVIGATION_TYPE_LINKCLICK, &text, nullptr);
        if (m_doomed) return;
        target = From(v);
        if (!target) return;
    }
    target->StartFetch(url, postBody);
}

void WebView::StartFetch(const std::string& url, const std::string* postBody)
{
    NodeRuntime* rt = NodeRuntime::Get();
    if (!rt) return;
    *m_cancel = true;
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    int generation = ++m_generation;
    m_loading = true;
    m_succeeded = false;
    m_loadingUrl = url;
    FetchRequest req;
    req.url = url;
    if (postBody) {
        req.post = true;
        req.postBody = *postBody;
    }
    WebView* self = this;
    CancelFlag cancel = m_cancel;
    // Callbacks never run inside the caller's own call.
    rt->Post([self, generation, req, cancel] {
        WebView* v = From(self);
        if (!v || v->m_generation != generation) return;
        Pin pin(v);
        if (!v->BeginRequest(req.url)) {
            if (!v->m_doomed) v->FailLoad(req.url, "cancelled by the host", WKE_LOADING_CANCELED);
            return;
        }
        if (v->m_doomed || v->m_generation != generation) return;
        NodeRuntime::Get()->Fetch().Submit(req, cancel, [self, generation](FetchResult r) {
            if (NodeRuntime* rt2 = NodeRuntime::Get())
                rt2->Post([self, generation, r = std::move(r)]() mutable {
                    if (WebView* v2 = From(self)) v2->OnPageFetched(generation, std::move(r));
                });
        });
    });
}

// Asks the host about one request; false when it cancels it.
bool WebView::BeginRequest(const std::string& url)
{
    if (!callbacks.begin) return true;
    return !callbacks.begin(this, callbacks.beginParam, url.c_str(), nullptr);
}

void WebView::FailLoad(const std::string& url, const std::string& reason, wkeLoadingResult result)
{
    m_loading = false;
    m_succeeded = false;
    Pin pin(this);
    if (callbacks.fail) callbacks.fail(this, callbacks.failParam, url.c_str(), nullptr);
    if (m_doomed || !callbacks.finish) return;
    wkeStringImpl u{Utf8ToWide(url)}, why{Utf8ToWide(reason)};
    callbacks.finish(this, callbacks.finishParam, &u, result, &why);
}

void WebView::StopLoading()
{
    if (!m_loading) return;
    *m_cancel = true;
    ++m_generation;
    m_loading = false;
    std::string url = m_loadingUrl;
    WebView* self = this;
    if (NodeRuntime* rt = NodeRuntime::Get())
        rt->Post([self, url] {
            if (WebView* v = From(self)) v->FailLoad(url, "stopped", WKE_LOADING_CANCELED);
        });
}

void WebView::OnPageFetched(int generation, FetchResult result)
{
    if (generation != m_generation) return;
    if (m_script && m_script->Busy()) {
        // A bound function runs a message loop inside a script: commit after it.
        WebView* self = this;
        NodeRuntime::Get()->Post([self, generation, result]() mutable {
            if (WebView* v = From(self)) v->OnPageFetched(generation, std::move(result));
        });
        return;
    }
    Pin pin(this);
    if (!result.ok) {
        FailLoad(m_loadingUrl, result.error, WKE_LOADING_FAILED);
        return;
    }
    if (callbacks.end)
        callbacks.end(this, callbacks.endParam, m_loadingUrl.c_str(), nullptr, result.body.data(), int(result.body.size()));
    if (m_doomed || generation != m_generation) return;
    Commit(result);
}

void WebView::ReportUrlChanged()
{
    if (!callbacks.urlChanged) return;
    wkeStringImpl u{Utf8ToWide(m_url)};
    callbacks.urlChanged(this, callbacks.urlChangedParam, &u);
}

// Replaces the document with the fetched page, runs its scripts and starts its images.
void WebView::Commit(const FetchResult& result)
{
    int generation = m_generation;
    m_script.reset();
    m_images.clear();
    m_url = result.finalUrl;
    m_scrollX = m_scrollY = 0;
    m_hoverId = m_focusId = m_pressId = 0;
    m_doc = std::make_unique<DomDocument>();
    std::string charset = DetectCharset(result.contentType, result.body);
    ParseHtmlPage(PageToUtf8(result.body, charset), *m_doc);
    PrepareDocument();
    ReportUrlChanged();
    if (m_doomed || generation != m_generation) return;
    Restyle();
    Relayout();
    Repaint(RECT{0, 0, 1 << 30, 1 << 30});
    if (m_doomed || generation != m_generation) return;
    m_script = std::make_unique<ScriptHost>(*this, NodeRuntime::Get()->Bound());
    RunPageScripts();
    if (m_doomed || generation != m_generation) return;
    FetchImages();
}

// Style sheets and the starting values of form fields.
void WebView::PrepareDocument()
{
    m_sheet = CssSheet();
    ForEachNode(m_doc->Root(), [&](DomNode* n) {
        if (n->Is("style")) m_sheet.Parse(n->TextContent());
        if (n->Is("input")) n->value = Utf8ToWide(n->AttrOr("value"));
        if (n->Is("textarea")) n->value = Utf8ToWide(n->TextContent());
        if (n->Is("input")) n->checked = n->Attr("checked") != nullptr;
        n->caret = n->selAnchor = int(n->value.size());
    });
    m_styleDirty = true;
}

void WebView::RunPageScripts()
{
    std::vector<std::string> sources;
    ForEachNode(m_doc->Root(), [&](DomNode* n) {
        if (n->Is("script") && !n->Attr("src")) sources.push_back(n->TextContent());
    });
    Pin pin(this);
    for (const auto& s : sources) {
        m_script->Run(s, "page script");
        if (m_doomed) return;
    }
}

void WebView::FetchImages()
{
    std::set<std::string> urls;
    ForEachNode(m_doc->Root(), [&](DomNode* n) {
        if (n->Is("img") && !n->AttrOr("src").empty()) urls.insert(ResolveImage(n->AttrOr("src")));
    });
    int generation = m_generation;
    m_pendingImages = 0;
    for (const auto& url : urls) {
        if (!BeginRequest(url)) continue;
        if (m_doomed || generation != m_generation) return;
        ++m_pendingImages;
        FetchRequest req;
        req.url = url;
        req.image = true;
        WebView* self = this;
        NodeRuntime::Get()->Fetch().Submit(req, m_cancel, [self, generation, url](FetchResult r) {
            if (NodeRuntime* rt = NodeRuntime::Get())
                rt->Post([self, generation, url, r = std::move(r)]() mutable {
                    if (WebView* v = From(self)) v->OnImageFetched(generation, url, std::move(r));
                });
        });
    }
    if (m_pendingImages == 0) FinishLoad();
}

void WebView::OnImageFetched(int generation, const std::string& url, FetchResult result)
{
    if (generation != m_generation) return;
    Pin pin(this);
    if (result.ok && callbacks.end)
        callbacks.end(this, callbacks.endParam, url.c_str(), nullptr, result.body.data(), int(result.body.size()));
    if (m_doomed || generation != m_generation) return;
    if (result.image) {
        m_images[url] = result.image;
        m_layoutDirty = true;
        ScheduleFlush();
    }
    if (--m_pendingImages == 0) FinishLoad();
}

void WebView::FinishLoad()
{
    Pin pin(this);
    if (m_script) {
        m_script->RunOnload();
        if (DomNode* body = m_doc->FirstByTag("body"); body && !m_doomed) m_script->Dispatch(body, "load");
    }
    if (m_doomed) return;
    m_loading = false;
    m_succeeded = true;
    if (m_styleDirty || m_layoutDirty) Flush();
    if (m_doomed || !callbacks.finish) return;
    wkeStringImpl u{Utf8ToWide(m_url)}, none;
    callbacks.finish(this, callbacks.finishParam, &u, WKE_LOADING_SUCCEEDED, &none);
}

void WebView::Submit(DomNode* form, DomNode* submitter)
{
    if (m_script && !m_script->Dispatch(form, "submit")) return;
    if (m_doomed) return;
    std::vector<std::pair<std::string, std::string>> fields;
    ForEachNode(form, [&](DomNode* n) {
        std::string name = n->AttrOr("name");
        if (name.empty() || n->Attr("disabled")) return;
        std::string type = n->AttrOr("type", n->Is("button") ? "submit" : "text");
        if (n->Is("input") || n->Is("textarea")) {
            if (type == "checkbox" || type == "radio") {
                if (n->checked) fields.emplace_back(name, n->AttrOr("value", "on"));
            } else if (type == "submit" || type == "button" || type == "reset" || type == "image") {
                if (n == submitter && type == "submit") fields.emplace_back(name, WideToUtf8(n->value));
            } else {
                fields.emplace_back(name, WideToUtf8(n->value));
            }
        } else if (n->Is("button") && n == submitter) {
            fields.emplace_back(name, n->AttrOr("value"));
        } else if (n->Is("select")) {
            for (auto& c : n->children)
                if (c->Is("option")) {
                    fields.emplace_back(name, c->AttrOr("value", c->TextContent()));
                    break;
                }
        }
    });
    std::string action = ResolveUrl(m_url, form->AttrOr("action"));
    std::string method = form->AttrOr("method", "get");
    for (char& c : method) c = char(tolower(static_cast<unsigned char>(c)));
    std::string body = FormEncode(fields);
    bool blank = form->AttrOr("target") == "_blank";
    if (method == "post") {
        Navigate(action, &body, blank);
        return;
    }
    action = action.substr(0, action.find('#'));
    action = action.substr(0, action.find('?')) + "?" + body;
    Navigate(action, nullptr, blank);
}

} // namespace node
