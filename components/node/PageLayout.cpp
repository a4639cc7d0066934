#include "components/node/PageLayout.h"

#include "components/node/DomNode.h"
#include "components/node/PageText.h"

#include <algorithm>

namespace node {

struct PageLayout::Unit {
    enum Kind { Space, Word, Atomic, Break } kind = Word;
    DomNode* node = nullptr;
    std::wstring text;
    FontInfo* font = nullptr;
    int width = 0;
    int above = 0;      // above the baseline, leading included
    int below = 0;
    size_t itemsBegin = 0, itemsEnd = 0;   // inline-block content laid out at the origin
};

struct PageLayout::Line {
    std::vector<std::pair<const Unit*, int>> placed;   // unit and its x from the line start
    int width = 0;
};

namespace {

bool IsCjk(wchar_t c)
{
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) ||
        (c >= 0xFF00 && c <= 0xFFEF);
}

bool IsSpace(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\f';
}

void TextMetrics(const ComputedStyle& st, const FontInfo& f, int& above, int& below)
{
    int lh = st.lineHeight > 0 ? st.lineHeight : f.height;
    above = f.ascent + (lh - f.height) / 2;
    below = lh - above;
}

bool Replaced(const DomNode* n)
{
    return n->Is("img") || n->Is("input") || n->Is("button") || n->Is("textarea") || n->Is("select");
}

void Offset(DomNode* n, int dx, int dy)
{
    ForEachNode(n, [&](DomNode* d) {
        if (d->box.right > d->box.left || d->box.bottom > d->box.top) OffsetRect(&d->box, dx, dy);
    });
}

void Unite(RECT& into, const RECT& r)
{
    if (IsRectEmpty(&into)) into = r;
    else UnionRect(&into, &into, &r);
}

// An element whose hover rules may give it a background or border keeps an
// (empty) box item, so that hovering repaints it without a new layout.
bool Paints(const DomNode* n)
{
    return n->style.PaintsBox() || n->hoverBox;
}

} // namespace

bool IsTextField(const DomNode* n)
{
    if (n->Is("textarea")) return true;
    if (!n->Is("input")) return false;
    std::string t = n->AttrOr("type", "text");
    return t == "text" || t == "password" || t == "search" || t == "email" || t == "url" || t == "tel" ||
        t == "number";
}

std::wstring ControlText(const DomNode* n)
{
    if (n->Is("button")) return Utf8ToWide(n->TextContent());
    if (n->Is("select")) {
        for (const auto& c : n->children)
            if (c->Is("option")) return Utf8ToWide(c->TextContent());
        return {};
    }
    std::string t = n->AttrOr("type", "text");
    if (t == "submit" || t == "button" || t == "reset")
        return n->value.empty() ? (t == "submit" ? L"Submit" : t == "reset" ? L"Reset" : L"") : n->value;
    if (t == "password") return std::wstring(n->value.size(), L'\x25CF');
    if (t == "checkbox" || t == "radio") return {};
    return n->value;
}

void PageLayout::AddText(DomNode* text, std::vector<Unit>& out)
{
    const ComputedStyle& st = text->style;
    FontInfo& f = m_fonts.Get(st);
    int above, below;
    TextMetrics(st, f, above, below);
    std::wstring w = Utf8ToWide(text->text);
    size_t i = 0;
    while (i < w.size()) {
        Unit u;
        u.node = text;
        u.font = &f;
        u.above = above;
        u.below = below;
        size_t end = i + 1;
        if (IsSpace(w[i])) {
            while (end < w.size() && IsSpace(w[end])) ++end;
            u.kind = Unit::Space;
            u.text = L" ";
        } else {
            if (!IsCjk(w[i]))
                while (end < w.size() && !IsSpace(w[end]) && !IsCjk(w[end])) ++end;
            u.text = w.substr(i, end - i);
        }
        u.width = m_fonts.Width(f, u.text);
        out.push_back(std::move(u));
        i = end;
    }
}

void PageLayout::CollectUnits(DomNode* n, std::vector<Unit>& out)
{
    if (n->kind == DomNode::Text) {
        AddText(n, out);
        return;
    }
    if (n->style.display == Display::None) return;
    if (n->Is("br")) {
        Unit u;
        u.kind = Unit::Break;
        u.node = n;
        out.push_back(u);
        return;
    }
    if (n->style.display != Display::Inline || Replaced(n)) {
        out.push_back(Atomic(n, 0));
        return;
    }
    for (auto& c : n->children) CollectUnits(c.get(), out);
}

SIZE PageLayout::ControlSize(DomNode* n)
{
    const ComputedStyle& st = n->style;
    std::string t = n->AttrOr("type", "text");
    if (n->Is("input") && (t == "checkbox" || t == "radio")) {
        int s = int(13 * m_zoom + 0.5);
        return SIZE{s, s};
    }
    FontInfo& f = m_fonts.Get(st);
    std::wstring label = ControlText(n);
    int w = IsTextField(n) ? int(150 * m_zoom) : m_fonts.Width(f, label.empty() ? L" " : label);
    if (n->Is("textarea")) return SIZE{int(200 * m_zoom), f.height * 2};
    return SIZE{w, f.height};
}

SIZE PageLayout::ImageSize(DomNode* n, int availWidth)
{
    SIZE natural{0, 0};
    bool known = m_imageSize(n->AttrOr("src"), natural);
    auto attr = [&](const char* name) {
        int v = atoi(n->AttrOr(name).c_str());
        return v > 0 ? int(v * m_zoom) : -1;
    };
    int w = n->style.width.unit != CssLength::Auto ? n->style.width.Resolve(availWidth, -1) : attr("width");
    int h = n->style.height.unit == CssLength::Px ? n->style.height.Resolve(0, -1) : attr("height");
    if (w < 0 && h < 0) return known ? natural : SIZE{0, 0};
    if (w < 0) w = known && natural.cy ? int(double(h) * natural.cx / natural.cy) : h;
    if (h < 0) h = known && natural.cx ? int(double(w) * natural.cy / natural.cx) : w;
    return SIZE{w, h};
}

PageLayout::Unit PageLayout::Atomic(DomNode* n, int availWidth)
{
    Unit u;
    u.kind = Unit::Atomic;
    u.node = n;
    const ComputedStyle& st = n->style;
    if (Replaced(n)) {
        SIZE content = n->Is("img") ? ImageSize(n, availWidth) : ControlSize(n);
        std::string type = n->AttrOr("type");
        bool box = n->Is("input") && (type == "checkbox" || type == "radio");
        if (box) {
            // A check box keeps its own square whatever the page sets for inputs.
            n->style.padding = Edges{};
            n->style.border = Edges{};
        } else if (!n->Is("img")) {
            if (st.width.unit != CssLength::Auto) content.cx = st.width.Resolve(availWidth, content.cx);
            if (st.height.unit == CssLength::Px) content.cy = st.height.Resolve(0, content.cy);
        }
        int bw = st.border.left + st.border.right + st.padding.left + st.padding.right;
        int bh = st.border.top + st.border.bottom + st.padding.top + st.padding.bottom;
        n->box = RECT{0, 0, content.cx + bw, content.cy + bh};
    } else {
        u.itemsBegin = m_items.size();
        Block(n, 0, 0, availWidth > 0 ? availWidth : 100000, true);
        u.itemsEnd = m_items.size();
    }
    u.width = n->box.right - n->box.left + st.margin.left + st.margin.right;
    u.above = n->box.bottom - n->box.top + st.margin.top + st.margin.bottom;
    return u;
}

int PageLayout::Inline(const std::vector<DomNode*>& nodes, const ComputedStyle& container, int x, int y, int width)
{
    std::vector<Unit> units;
    for (DomNode* n : nodes) CollectUnits(n, units);
    int height = 0;
    Line line;
    auto finish = [&](bool force) {
        while (!line.placed.empty() && line.placed.back().first->kind == Unit::Space) {
            line.width -= line.placed.back().first->width;
            line.placed.pop_back();
        }
        if (line.placed.empty() && !force) return;
        height += PlaceLine(line, container, x, y + height, width);
        line = Line{};
    };
    for (Unit& u : units) {
        if (u.kind == Unit::Break) {
            finish(true);
            continue;
        }
        if (u.kind == Unit::Space) {
            if (line.placed.empty() || line.placed.back().first->kind == Unit::Space) continue;
        } else if (line.width + u.width > width && !line.placed.empty()) {
            finish(false);
        }
        line.placed.emplace_back(&u, line.width);
        line.width += u.width;
    }
    finish(false);
    return height;
}

int PageLayout::PlaceLine(Line& line, const ComputedStyle& container, int x, int y, int width)
{
    FontInfo& strut = m_fonts.Get(container);
    int above, below;
    TextMetrics(container, strut, above, below);
    for (const auto& p : line.placed) {
        above = std::max(above, p.first->above);
        below = std::max(below, p.first->below);
    }
    int dx = container.textAlign == TextAlign::Right ? width - line.width
        : container.textAlign == TextAlign::Center ? (width - line.width) / 2 : 0;
    m_extent = std::max(m_extent, x + line.width);
    EmitLine(line, x + std::max(0, dx), y + above);
    return above + below;
}

// Inline ancestors take the fragment into their box; those with a background
// or border paint it behind the text.
void PageLayout::EmitInlineBoxes(DomNode* from, const RECT& r)
{
    for (DomNode* a = from->parent; a && a->style.display == Display::Inline && a->IsElement(); a = a->parent) {
        Unite(a->box, r);
        if (!Paints(a)) continue;
        DisplayItem box;
        box.kind = DisplayItem::Box;
        box.node = a;
        const ComputedStyle& s = a->style;
        box.rect = RECT{r.left - s.padding.left - s.border.left, r.top - s.padding.top - s.border.top,
            r.right + s.padding.right + s.border.right, r.bottom + s.padding.bottom + s.border.bottom};
        m_items.push_back(box);
    }
}

void PageLayout::EmitAtomic(const Unit& u, int x, int baseline)
{
    DomNode* n = u.node;
    int w = n->box.right - n->box.left, h = n->box.bottom - n->box.top;
    int left = x + n->style.margin.left;
    int top = baseline - u.above + n->style.margin.top;
    if (Replaced(n)) {
        n->box = RECT{left, top, left + w, top + h};
        if (Paints(n)) m_items.push_back(DisplayItem{DisplayItem::Box, n, n->box});
        m_items.push_back(DisplayItem{n->Is("img") ? DisplayItem::Image : DisplayItem::Control, n, n->box});
    } else {
        int dx = left - n->box.left, dy = top - n->box.top;
        for (size_t i = u.itemsBegin; i < u.itemsEnd; ++i) {
            OffsetRect(&m_items[i].rect, dx, dy);
            m_items[i].baseline += dy;
        }
        Offset(n, dx, dy);
    }
    EmitInlineBoxes(n, n->box);
}

void PageLayout::EmitLine(Line& line, int x, int baseline)
{
    size_t i = 0;
    while (i < line.placed.size()) {
        const Unit* u = line.placed[i].first;
        int ux = x + line.placed[i].second;
        if (u->kind == Unit::Atomic) {
            EmitAtomic(*u, ux, baseline);
            ++i;
            continue;
        }
        DisplayItem t;
        t.kind = DisplayItem::Text;
        t.node = u->node;
        t.font = u->font;
        t.baseline = baseline;
        int w = 0;
        for (; i < line.placed.size() && line.placed[i].first->node == u->node &&
             line.placed[i].first->kind != Unit::Atomic; ++i) {
            t.text += line.placed[i].first->text;
            w += line.placed[i].first->width;
        }
        t.rect = RECT{ux, baseline - u->font->ascent, ux + w, baseline - u->font->ascent + u->font->height};
        EmitInlineBoxes(u->node, t.rect);
        m_items.push_back(std::move(t));
    }
}

int PageLayout::BlockChildren(DomNode* n, int x, int y, int width)
{
    int height = 0, prevMargin = 0;
    std::vector<DomNode*> run;
    auto flush = [&]() {
        if (run.empty()) return;
        height += Inline(run, n->style, x, y + height, width);
        run.clear();
        prevMargin = 0;
    };
    for (auto& c : n->children) {
        Display d = c->style.display;
        if (d == Display::None && c->IsElement()) continue;
        if (d != Display::Block) {
            run.push_back(c.get());
            continue;
        }
        flush();
        int collapse = std::min(prevMargin, c->style.margin.top);
        height -= collapse;
        height += Block(c.get(), x, y + height, width, false);
        prevMargin = c->style.margin.bottom;
    }
    flush();
    return height;
}

int PageLayout::Block(DomNode* n, int x, int y, int availWidth, bool shrink)
{
    const ComputedStyle& st = n->style;
    const Edges &m = st.margin, &b = st.border, &p = st.padding;
    int frame = b.left + p.left + p.right + b.right;
    bool fixed = st.width.unit != CssLength::Auto;
    int contentW = fixed ? st.width.Resolve(availWidth, 0) : availWidth - m.left - m.right - frame;
    contentW = std::max(0, contentW);
    int left = x + m.left;
    if (fixed && st.marginLeftAuto && st.marginRightAuto) left = x + std::max(0, (availWidth - contentW - frame) / 2);
    else if (fixed && st.marginLeftAuto) left = x + std::max(0, availWidth - contentW - frame - m.right);
    size_t boxItem = m_items.size();
    if (Paints(n)) m_items.push_back(DisplayItem{DisplayItem::Box, n, {}});
    int cx = left + b.left + p.left, cy = y + m.top + b.top + p.top;
    if (shrink && !fixed) {
        int saved = m_extent;
        m_extent = cx;
        size_t mark = m_items.size();
        BlockChildren(n, cx, cy, contentW);
        contentW = std::min(contentW, m_extent - cx);
        m_items.resize(mark);
        m_extent = saved;
    }
    int h = BlockChildren(n, cx, cy, contentW);
    if (st.height.unit == CssLength::Px) h = st.height.Resolve(0, h);
    n->box = RECT{left, y + m.top, left + frame + contentW, y + m.top + b.top + p.top + h + p.bottom + b.bottom};
    if (fixed || shrink) m_extent = std::max(m_extent, int(n->box.right) + m.right);
    if (boxItem < m_items.size() && m_items[boxItem].node == n) m_items[boxItem].rect = n->box;
    return m.top + (n->box.bottom - n->box.top) + m.bottom;
}

LayoutResult PageLayout::Run(DomNode* root, int width)
{
    ForEachNode(root, [](DomNode* n) { n->box = RECT{}; });
    m_items.clear();
    m_extent = 0;
    int h = Block(root, 0, 0, width > 0 ? width : 100000, width <= 0);
    LayoutResult r;
    r.width = width > 0 ? std::max(width, m_extent) : m_extent;
    r.height = h;
    for (const auto& it : m_items) r.height = std::max(r.height, int(it.rect.bottom));
    r.items = std::move(m_items);
    m_items.clear();
    return r;
}

} // namespace node
