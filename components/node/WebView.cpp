#include "components/node/WebView.h"

#include "components/node/NodeRuntime.h"
#include "components/node/StyleResolver.h"

#include <algorithm>

namespace node {

namespace {

std::set<WebView*>& Views()
{
    static std::set<WebView*> views;
    return views;
}

} // namespace

WebView::WebView() : m_doc(std::make_unique<DomDocument>()), m_cancel(std::make_shared<std::atomic<bool>>(false))
{
    Views().insert(this);
    if (NodeRuntime* rt = NodeRuntime::Get()) {
        rt->EnsureTaskWindow();
        rt->Fetch();   // its set-up runs while the host prepares the first load
        m_zoom = rt->Zoom();
    }
    PrepareDocument();
}

WebView::~WebView()
{
    Views().erase(this);
    *m_cancel = true;
    m_script.reset();   // cancels its timers through CancelTimer
    if (NodeRuntime* rt = NodeRuntime::Get())
        for (auto& t : m_timers) rt->StopTimer(t.second);
}

WebView* WebView::From(wkeWebView v)
{
    auto* w = static_cast<WebView*>(v);
    return v && Views().count(w) && !w->m_doomed ? w : nullptr;
}

void WebView::Destroy()
{
    m_doomed = true;
    *m_cancel = true;
    if (m_pins == 0) delete this;
}

WebView::Pin::~Pin()
{
    if (--m_v->m_pins == 0 && m_v->m_doomed) delete m_v;
}

unsigned WebView::CanvasColor() const
{
    unsigned c = transparent ? background : (background >> 24 ? background : 0xFFFFFFFF);
    for (const char* tag : {"html", "body"}) {
        DomNode* n = m_doc->FirstByTag(tag);
        if (n && (n->style.background >> 24)) return n->style.background;
    }
    return c;
}

void WebView::Restyle()
{
    StyleResolver(m_sheet, m_zoom).Resolve(m_doc->Root());
    const bool hoverRules = m_sheet.HasHoverRules();
    ForEachNode(m_doc->Root(), [&](DomNode* n) { n->hoverBox = hoverRules && n->IsElement() && m_sheet.HoverSensitive(n); });
    m_styleDirty = false;
    m_layoutDirty = true;
}

void WebView::Relayout()
{
    PageLayout layout(m_fonts, [this](const std::string& src, SIZE& size) {
        auto it = m_images.find(ResolveImage(src));
        if (it == m_images.end() || !it->second) return false;
        size = SIZE{int(it->second->width * m_zoom), int(it->second->height * m_zoom)};
        return true;
    }, m_zoom);
    m_layout = layout.Run(m_doc->Root(), m_width);
    m_layoutDirty = false;
    ClampScroll();
}

void WebView::ClampScroll()
{
    m_scrollY = std::clamp(m_scrollY, 0, std::max(0, m_layout.height - m_height));
    m_scrollX = std::clamp(m_scrollX, 0, std::max(0, m_layout.width - std::max(m_width, 1)));
    if (m_width == 0) m_scrollX = 0;
}

PaintState WebView::MakePaintState()
{
    PaintState s;
    s.scrollX = m_scrollX;
    s.scrollY = m_scrollY;
    s.canvas = CanvasColor();
    s.focused = m_focused && m_focusId ? m_doc->FindById(m_focusId) : nullptr;
    s.image = [this](const std::string& src) -> const DecodedImage* {
        auto it = m_images.find(ResolveImage(src));
        return it == m_images.end() ? nullptr : it->second.get();
    };
    return s;
}

// Paints `dirty` now and tells the host.
void WebView::Repaint(RECT dirty)
{
    int w = m_width > 0 ? m_width : m_layout.width;
    if (m_painter.Width() != w || m_painter.Height() != m_height) {
        m_painter.Resize(w, m_height);
        dirty = RECT{0, 0, w, m_height};
    }
    RECT view{0, 0, w, m_height};
    if (!IntersectRect(&dirty, &dirty, &view)) return;
    m_painter.Paint(m_layout, dirty, MakePaintState());
    if (callbacks.paint) {
        Pin pin(this);
        callbacks.paint(this, callbacks.paintParam, m_painter.DC(), dirty.left, dirty.top, dirty.right - dirty.left,
            dirty.bottom - dirty.top);
    }
}

void WebView::Flush()
{
    m_flushPosted = false;
    if (m_styleDirty) Restyle();
    if (m_layoutDirty) {
        Relayout();
        m_paintDirty = true;
    }
    if (m_paintDirty) {
        m_paintDirty = false;
        Repaint(RECT{0, 0, 1 << 30, 1 << 30});
    }
}

void WebView::ScheduleFlush()
{
    NodeRuntime* rt = NodeRuntime::Get();
    if (m_flushPosted || !rt) return;
    m_flushPosted = true;
    WebView* self = this;
    rt->Post([self] {
        if (WebView* v = From(self)) {
            Pin pin(v);
            if (v->m_flushPosted) v->Flush();
        }
    });
}

void WebView::DomChanged()
{
    m_styleDirty = true;
    ScheduleFlush();
}

void WebView::Resize(int w, int h)
{
    w = std::clamp(w, 0, 16384);
    h = std::clamp(h, 0, 16384);
    if (w == m_width && h == m_height) return;
    bool relayout = w != m_width;
    m_width = w;
    m_height = h;
    if (relayout) Relayout();
    else ClampScroll();
    Pin pin(this);
    Repaint(RECT{0, 0, 1 << 30, 1 << 30});
}

HDC WebView::ViewDC()
{
    Pin pin(this);
    Flush();
    if (!m_painter.DC()) m_painter.Resize(m_width, m_height);
    return m_painter.DC();
}

int WebView::ContentsWidth()
{
    if (m_styleDirty || m_layoutDirty) Flush();
    return m_layout.width;
}

int WebView::ContentsHeight()
{
    if (m_styleDirty || m_layoutDirty) Flush();
    return m_layout.height;
}

// The deepest element whose box holds the page point.
DomNode* WebView::HitTest(int x, int y)
{
    POINT p{x + m_scrollX, y + m_scrollY};
    DomNode* hit = nullptr;
    DomNode* n = m_doc->Root();
    while (n) {
        DomNode* next = nullptr;
        for (auto& c : n->children)
            if (c->IsElement() && c->style.display != Display::None && PtInRect(&c->box, p)) next = c.get();
        if (next) hit = next;
        n = next;
    }
    return hit;
}

const DisplayItem* WebView::ItemOf(const DomNode* n) const
{
    for (const auto& it : m_layout.items)
        if (it.node == n && it.kind == DisplayItem::Control) return &it;
    return nullptr;
}

void WebView::ScheduleTimer(int id, int ms)
{
    NodeRuntime* rt = NodeRuntime::Get();
    if (!rt) return;
    WebView* self = this;
    ScriptHost* script = m_script.get();
    UINT_PTR t = rt->StartTimer(ms, [self, script, id] {
        WebView* v = From(self);
        if (!v || v->m_script.get() != script || !script) return;
        Pin pin(v);
        script->FireTimer(id);
    });
    if (t) m_timers[id] = t;
}

void WebView::CancelTimer(int id)
{
    auto it = m_timers.find(id);
    if (it == m_timers.end()) return;
    if (NodeRuntime* rt = NodeRuntime::Get()) rt->StopTimer(it->second);
    m_timers.erase(it);
}

ScriptValue WebView::RunScript(const std::string& source, bool& ok)
{
    ScriptValue v;
    std::string error;
    ok = m_script && m_script->Run(source, "wkeRunJS", &error, &v);
    return v;
}

} // namespace node
