// Mouse, wheel, keys and focus: hover, clicks on links and buttons, form
// fields with caret, selection, Tab order, Enter, copy and paste.
#include "components/node/NodeRuntime.h"
#include "components/node/PageText.h"
#include "components/node/PageUrl.h"
#include "components/node/StyleResolver.h"
#include "components/node/WebView.h"

#include <algorithm>

namespace node {

namespace {

DomNode* Ancestor(DomNode* n, const char* tag)
{
    for (; n; n = n->parent)
        if (n->Is(tag)) return n;
    return nullptr;
}

bool IsFocusable(const DomNode* n)
{
    if (n->style.display == Display::None || n->Attr("disabled")) return false;
    if (n->Is("input")) return n->AttrOr("type") != "hidden";
    return n->Is("button") || n->Is("textarea") || n->Is("select");
}

bool Contains(const DomNode* outer, const DomNode* inner)
{
    for (; inner; inner = inner->parent)
        if (inner == outer) return true;
    return false;
}

bool IsSubmit(const DomNode* n)
{
    if (n->Is("button")) return n->AttrOr("type", "submit") == "submit";
    return n->Is("input") && (n->AttrOr("type") == "submit" || n->AttrOr("type") == "image");
}

} // namespace

int WebView::CursorFor(DomNode* n) const
{
    if (!n) return 0;
    const std::string& c = n->style.cursor;
    static const std::pair<const char*, int> kTable[] = {{"crosshair", 1}, {"pointer", 2}, {"text", 3}, {"wait", 4},
        {"help", 5}, {"ew-resize", 6}, {"e-resize", 6}, {"w-resize", 6}, {"col-resize", 6}, {"ns-resize", 7},
        {"n-resize", 7}, {"s-resize", 7}, {"row-resize", 7}, {"nesw-resize", 8}, {"ne-resize", 8}, {"sw-resize", 8},
        {"nwse-resize", 9}, {"nw-resize", 9}, {"se-resize", 9}, {"move", 29}};
    for (const auto& k : kTable)
        if (c == k.first) return k.second;
    if (c == "auto" && IsTextField(n)) return 3;
    if (c == "auto" && Ancestor(n, "a") && !Ancestor(n, "a")->AttrOr("href").empty()) return 2;
    return 0;
}

// Sets the hovered chain; repaints what :hover rules change, relayouts only
// when they change sizes.
void WebView::UpdateHover(DomNode* hit)
{
    int id = hit ? hit->id : 0;
    if (id == m_hoverId) return;
    DomNode* old = m_doc->FindById(m_hoverId);
    m_hoverId = id;
    for (DomNode* n = old; n; n = n->parent) n->hovered = false;
    for (DomNode* n = hit; n; n = n->parent) n->hovered = true;
    if (!m_sheet.HasHoverRules()) return;
    std::set<DomNode*> sensitive;
    for (DomNode* chain : {old, hit})
        for (DomNode* n = chain; n; n = n->parent)
            if (m_sheet.HoverSensitive(n)) sensitive.insert(n);
    StyleResolver resolver(m_sheet, m_zoom);
    RECT dirty{};
    bool layout = false;
    for (DomNode* n : sensitive) {
        bool covered = false;
        for (DomNode* a = n->parent; a && !covered; a = a->parent) covered = sensitive.count(a) > 0;
        if (covered) continue;
        std::vector<ComputedStyle> before;
        ForEachNode(n, [&](DomNode* d) { before.push_back(d->style); });
        resolver.Resolve(n);
        size_t i = 0;
        ForEachNode(n, [&](DomNode* d) {
            const ComputedStyle& b = before[i++];
            // A box that starts or stops showing needs a display item, unless
            // the layout gave it one for its hover rules.
            if (!b.SameLayout(d->style) || (b.PaintsBox() != d->style.PaintsBox() && !d->hoverBox)) layout = true;
            if (b.color != d->style.color || b.background != d->style.background ||
                b.borderColor != d->style.borderColor || b.underline != d->style.underline)
                UnionRect(&dirty, &dirty, &d->box);
        });
    }
    if (layout) {
        Relayout();
        Repaint(RECT{0, 0, 1 << 30, 1 << 30});
    } else if (!IsRectEmpty(&dirty)) {
        OffsetRect(&dirty, -m_scrollX, -m_scrollY);
        Repaint(dirty);
    }
}

int WebView::CaretFromX(DomNode* field, int x)
{
    const DisplayItem* it = ItemOf(field);
    if (!it) return int(field->value.size());
    FontInfo& f = m_fonts.Get(field->style);
    std::wstring text = ControlText(field);
    int left = it->rect.left - m_scrollX + field->style.border.left + field->style.padding.left;
    int best = 0, bestDist = 1 << 30;
    for (size_t i = 0; i <= text.size(); ++i) {
        int d = std::abs(left + m_fonts.Width(f, text.substr(0, i)) - x);
        if (d < bestDist) {
            bestDist = d;
            best = int(i);
        }
    }
    return best;
}

void WebView::Focus(DomNode* n)
{
    int id = n ? n->id : 0;
    if (id == m_focusId) return;
    DomNode* old = m_doc->FindById(m_focusId);
    m_focusId = id;
    if (old) ControlChanged(old);
    if (n) ControlChanged(n);
}

void WebView::ControlChanged(DomNode* n)
{
    RECT r = n->box;
    OffsetRect(&r, -m_scrollX, -m_scrollY);
    Repaint(r);
}

void WebView::MoveFocus(bool back)
{
    std::vector<DomNode*> order;
    ForEachNode(m_doc->Root(), [&](DomNode* n) {
        if (n->IsElement() && IsFocusable(n) && !IsRectEmpty(&n->box)) order.push_back(n);
    });
    if (order.empty()) return;
    auto it = std::find_if(order.begin(), order.end(), [&](DomNode* n) { return n->id == m_focusId; });
    int i = it == order.end() ? (back ? 0 : -1) : int(it - order.begin());
    i = (i + (back ? -1 : 1) + int(order.size())) % int(order.size());
    DomNode* next = order[size_t(i)];
    next->selAnchor = 0;
    next->caret = int(next->value.size());
    Focus(next);
}

void WebView::Click(DomNode* target)
{
    Pin pin(this);
    int generation = m_generation;
    if (target->Is("input") && (target->AttrOr("type") == "checkbox" || target->AttrOr("type") == "radio")) {
        target->checked = target->AttrOr("type") == "radio" ? true : !target->checked;
        ControlChanged(target);
    }
    for (DomNode* n = target; n && m_script; n = n->parent) {
        if (!m_script->Dispatch(n, "click")) return;
        if (m_doomed || generation != m_generation || !m_doc->FindById(target->id)) return;
    }
    if (DomNode* a = Ancestor(target, "a"); a && a->Attr("href")) {
        std::string href = *a->Attr("href");
        if (href.rfind("javascript:", 0) == 0) {
            if (m_script) m_script->Run(href.substr(11), "link");
        } else if (!href.empty() && href[0] != '#') {
            Navigate(ResolveUrl(m_url, href), nullptr, a->AttrOr("target") == "_blank");
        }
        return;
    }
    DomNode* control = target;
    while (control && !control->Is("button") && !control->Is("input")) control = control->parent;
    if (control && IsSubmit(control))
        if (DomNode* form = Ancestor(control, "form")) Submit(form, control);
}

bool WebView::MouseEvent(UINT msg, int x, int y, unsigned)
{
    if (m_styleDirty || m_layoutDirty) Flush();
    if (msg == WM_MOUSELEAVE) {
        UpdateHover(nullptr);
        return true;
    }
    DomNode* hit = HitTest(x, y);
    if (msg == WM_MOUSEMOVE) {
        UpdateHover(hit);
        m_cursor = CursorFor(hit);
        return true;
    }
    if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
        m_pressId = hit ? hit->id : 0;
        DomNode* focusable = hit;
        while (focusable && !(focusable->IsElement() && IsFocusable(focusable))) focusable = focusable->parent;
        if (focusable && IsTextField(focusable)) {
            focusable->caret = focusable->selAnchor = CaretFromX(focusable, x);
            if (msg == WM_LBUTTONDBLCLK) focusable->selAnchor = 0, focusable->caret = int(focusable->value.size());
        }
        Focus(focusable);
        if (focusable) ControlChanged(focusable);
        return true;
    }
    if (msg == WM_LBUTTONUP) {
        DomNode* pressed = m_doc->FindById(m_pressId);
        m_pressId = 0;
        if (pressed && hit && Contains(pressed, hit)) Click(hit);
        return true;
    }
    return true;
}

bool WebView::Wheel(int, int, int delta)
{
    if (m_styleDirty || m_layoutDirty) Flush();
    int old = m_scrollY;
    m_scrollY -= int(delta / 120.0 * 100 * m_zoom);
    ClampScroll();
    if (m_scrollY == old) return false;
    Repaint(RECT{0, 0, 1 << 30, 1 << 30});
    return true;
}

void WebView::SetFocus(bool on)
{
    m_focused = on;
    if (DomNode* n = m_doc->FindById(m_focusId)) ControlChanged(n);
}

wkeRect WebView::Caret()
{
    DomNode* n = m_doc->FindById(m_focusId);
    const DisplayItem* it = n && IsTextField(n) ? ItemOf(n) : nullptr;
    if (!it) return wkeRect{0, 0, 0, 0};
    RECT r = m_painter.CaretRect(*it, MakePaintState());
    return wkeRect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void WebView::InsertText(DomNode* f, const std::wstring& text)
{
    std::wstring clean;
    for (wchar_t c : text)
        if (c >= 0x20 && c != 0x7F) clean += c;
    int from = std::clamp(std::min(f->caret, f->selAnchor), 0, int(f->value.size()));
    int to = std::clamp(std::max(f->caret, f->selAnchor), 0, int(f->value.size()));
    int max = atoi(f->AttrOr("maxlength").c_str());
    int room = max > 0 ? std::max(0, max - (int(f->value.size()) - (to - from))) : int(clean.size());
    clean = clean.substr(0, size_t(std::min(room, int(clean.size()))));
    f->value.replace(size_t(from), size_t(to - from), clean);
    f->caret = f->selAnchor = from + int(clean.size());
    ControlChanged(f);
}

// A clipboard opened without a window cannot be written: a view without a
// host window (most have none) copies as the engine's task window.
HWND WebView::ClipboardOwner() const
{
    NodeRuntime* rt = NodeRuntime::Get();
    return handle ? handle : rt ? rt->TaskWindow() : nullptr;
}

void WebView::Copy(DomNode* f, bool cut)
{
    int from = std::clamp(std::min(f->caret, f->selAnchor), 0, int(f->value.size()));
    int to = std::clamp(std::max(f->caret, f->selAnchor), 0, int(f->value.size()));
    // A password is never copied out of its field.
    if (to <= from || f->AttrOr("type") == "password" || !OpenClipboard(ClipboardOwner())) return;
    std::wstring text = f->value.substr(size_t(from), size_t(to - from));
    EmptyClipboard();
    if (HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t))) {
        memcpy(GlobalLock(mem), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(mem);
        if (!SetClipboardData(CF_UNICODETEXT, mem)) GlobalFree(mem);
    }
    CloseClipboard();
    if (cut) InsertText(f, L"");
}

namespace {

std::wstring ClipboardText(HWND owner)
{
    std::wstring text;
    if (!OpenClipboard(owner)) return text;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* p = static_cast<const wchar_t*>(GlobalLock(h))) {
            text.assign(p, wcsnlen(p, GlobalSize(h) / sizeof(wchar_t)));
            GlobalUnlock(h);
        }
    }
    CloseClipboard();
    return text;
}

} // namespace

bool WebView::EditKey(DomNode* f, unsigned code)
{
    bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
    int len = int(f->value.size());
    int caret = std::clamp(f->caret, 0, len);
    auto move = [&](int to) {
        f->caret = std::clamp(to, 0, len);
        if (!shift) f->selAnchor = f->caret;
        ControlChanged(f);
    };
    switch (code) {
    case VK_LEFT: move(caret - 1); return true;
    case VK_RIGHT: move(caret + 1); return true;
    case VK_HOME: move(0); return true;
    case VK_END: move(len); return true;
    case VK_BACK:
    case VK_DELETE:
        if (f->caret == f->selAnchor) {
            if (code == VK_BACK && caret > 0) f->selAnchor = caret - 1;
            if (code == VK_DELETE && caret < len) f->selAnchor = caret + 1;
        }
        InsertText(f, L"");
        return true;
    }
    if (!ctrl) return false;
    if (code == 'A') {
        f->selAnchor = 0;
        f->caret = len;
        ControlChanged(f);
    } else if (code == 'C' || code == 'X') {
        Copy(f, code == 'X');
    } else if (code == 'V') {
        InsertText(f, ClipboardText(ClipboardOwner()));
    } else {
        return false;
    }
    return true;
}

bool WebView::KeyDown(unsigned code)
{
    if (m_styleDirty || m_layoutDirty) Flush();
    DomNode* f = m_doc->FindById(m_focusId);
    if (code == VK_TAB) {
        MoveFocus(GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    if (code == VK_RETURN && f) {
        if (IsTextField(f) && !f->Is("textarea")) {
            if (DomNode* form = Ancestor(f, "form")) Submit(form, nullptr);
        } else if (!IsTextField(f)) {
            Click(f);
        }
        return true;
    }
    return f && IsTextField(f) && EditKey(f, code);
}

bool WebView::KeyPress(unsigned code)
{
    DomNode* f = m_doc->FindById(m_focusId);
    if (!f || !IsTextField(f) || code < 0x20 || code == 0x7F || GetKeyState(VK_CONTROL) < 0) return false;
    InsertText(f, std::wstring(1, wchar_t(code)));
    return true;
}

} // namespace node
