#include "components/node/CssValues.h"

#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

namespace node {

namespace {

std::string Lower(std::string s)
{
    for (char& c : s) c = char(tolower(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> Words(const std::string& s)
{
    std::vector<std::string> out;
    std::string cur;
    int depth = 0;
    for (char c : s) {
        if (c == '(') ++depth;
        if (c == ')') --depth;
        if (isspace(static_cast<unsigned char>(c)) && depth == 0) {
            if (!cur.empty()) out.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

struct NamedColor {
    const char* name;
    unsigned rgb;
};
const NamedColor kColors[] = {{"black", 0x000000}, {"white", 0xFFFFFF}, {"red", 0xFF0000}, {"green", 0x008000},
    {"blue", 0x0000FF}, {"yellow", 0xFFFF00}, {"gray", 0x808080}, {"grey", 0x808080}, {"silver", 0xC0C0C0},
    {"maroon", 0x800000}, {"purple", 0x800080}, {"fuchsia", 0xFF00FF}, {"lime", 0x00FF00}, {"olive", 0x808000},
    {"navy", 0x000080}, {"teal", 0x008080}, {"aqua", 0x00FFFF}, {"orange", 0xFFA500}, {"lightgray", 0xD3D3D3},
    {"darkgray", 0xA9A9A9}};

bool ParseFunctionColor(const std::string& v, unsigned& out)
{
    size_t open = v.find('(');
    size_t close = v.rfind(')');
    if (open == std::string::npos || close == std::string::npos || close < open) return false;
    std::string inner = v.substr(open + 1, close - open - 1);
    for (char& c : inner)
        if (c == ',' || c == '/') c = ' ';
    std::istringstream in(inner);
    double p[4] = {0, 0, 0, 1};
    int n = 0;
    while (n < 4 && in >> p[n]) ++n;
    if (n < 3) return false;
    auto ch = [](double x) { return unsigned(std::lround(std::fmin(255, std::fmax(0, x)))); };
    out = ch(p[3] * 255) << 24 | ch(p[0]) << 16 | ch(p[1]) << 8 | ch(p[2]);
    return true;
}

// Length in device pixels; false when it is no length. `auto` is handled by callers.
bool ParseLength(const std::string& text, double em, double zoom, CssLength& out)
{
    const char* s = text.c_str();
    char* end = nullptr;
    double v = strtod(s, &end);
    if (end == s) return false;
    std::string unit = Lower(end);
    out.unit = CssLength::Px;
    if (unit == "px" || (unit.empty() && v == 0)) out.value = v * zoom;
    else if (unit == "em") out.value = v * em;
    else if (unit == "rem") out.value = v * 16 * zoom;
    else if (unit == "pt") out.value = v * 4.0 / 3.0 * zoom;
    else if (unit == "%") {
        out.unit = CssLength::Percent;
        out.value = v;
    } else {
        return false;
    }
    return true;
}

int Px(const std::string& text, double em, double zoom, int fallback)
{
    CssLength l;
    if (!ParseLength(text, em, zoom, l) || l.unit != CssLength::Px) return fallback;
    return int(std::lround(l.value));
}

// margin/padding shorthand into edges; auto margins are flagged.
void ApplyBox(const std::string& value, Edges& e, double em, double zoom, bool* leftAuto, bool* rightAuto)
{
    std::vector<std::string> w = Words(value);
    if (w.empty() || w.size() > 4) return;
    while (w.size() < 4) w.push_back(w.size() == 3 ? w[1] : w.size() == 2 ? w[0] : w[0]);
    int* slots[4] = {&e.top, &e.right, &e.bottom, &e.left};
    for (int i = 0; i < 4; ++i) *slots[i] = Px(w[i], em, zoom, 0);
    if (leftAuto) *leftAuto = Lower(w[3]) == "auto";
    if (rightAuto) *rightAuto = Lower(w[1]) == "auto";
}

int* EdgeSlot(Edges& e, const std::string& side)
{
    if (side == "top") return &e.top;
    if (side == "right") return &e.right;
    if (side == "bottom") return &e.bottom;
    if (side == "left") return &e.left;
    return nullptr;
}

// "border: 1px solid #ccc" and its per-side forms.
void ApplyBorder(ComputedStyle& st, const std::string& value, double em, double zoom, int* onlySide)
{
    int width = -1;
    bool none = false;
    for (const std::string& w : Words(value)) {
        std::string lw = Lower(w);
        unsigned color;
        if (lw == "none" || lw == "hidden") none = true;
        else if (lw == "thin") width = int(std::lround(zoom));
        else if (ParseCssColor(w, color)) st.borderColor = color;
        else if (isdigit(static_cast<unsigned char>(w[0])) || w[0] == '.') width = Px(w, em, zoom, 0);
    }
    int px = none ? 0 : width < 0 ? int(std::lround(3 * zoom)) : width;
    if (onlySide) *onlySide = px;
    else st.border = Edges{px, px, px, px};
}

void ApplyFontSize(ComputedStyle& st, const ComputedStyle& parent, const std::string& v, double zoom)
{
    std::string lv = Lower(v);
    static const std::pair<const char*, double> kNamed[] = {{"xx-small", 9}, {"x-small", 10}, {"small", 13},
        {"medium", 16}, {"large", 18}, {"x-large", 24}, {"xx-large", 32}};
    for (const auto& k : kNamed)
        if (lv == k.first) {
            st.fontSize = int(std::lround(k.second * zoom));
            return;
        }
    CssLength l;
    if (!ParseLength(v, parent.fontSize, zoom, l)) return;
    double px = l.unit == CssLength::Percent ? parent.fontSize * l.value / 100 : l.value;
    if (px > 0) st.fontSize = std::max(1, int(std::lround(std::fmin(px, 2000))));
}

void ApplyLineHeight(ComputedStyle& st, const std::string& v, double zoom)
{
    if (Lower(v) == "normal") {
        st.lineHeight = 0;
        return;
    }
    char* end = nullptr;
    double n = strtod(v.c_str(), &end);
    if (end != v.c_str() && *end == 0) {
        st.lineHeight = int(std::lround(n * st.fontSize));
        return;
    }
    CssLength l;
    if (ParseLength(v, st.fontSize, zoom, l))
        st.lineHeight = l.unit == CssLength::Percent ? int(st.fontSize * l.value / 100) : int(std::lround(l.value));
}

void ApplyFontFamily(ComputedStyle& st, const std::string& v)
{
    std::string first = v.substr(0, v.find(','));
    std::string name;
    for (char c : first)
        if (c != '"' && c != '\'') name += c;
    while (!name.empty() && isspace(static_cast<unsigned char>(name.back()))) name.pop_back();
    while (!name.empty() && isspace(static_cast<unsigned char>(name.front()))) name.erase(0, 1);
    std::string ln = Lower(name);
    if (ln == "sans-serif" || ln == "system-ui") name = "Microsoft YaHei";
    else if (ln == "serif") name = "SimSun";
    else if (ln == "monospace") name = "Courier New";
    if (name.empty()) return;
    int n = MultiByteToWideChar(CP_UTF8, 0, name.c_str(), int(name.size()), nullptr, 0);
    st.fontFamily.assign(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, name.c_str(), int(name.size()), st.fontFamily.data(), n);
}

void ApplyDisplay(ComputedStyle& st, const std::string& lv)
{
    if (lv == "none") st.display = Display::None;
    else if (lv == "inline") st.display = Display::Inline;
    else if (lv == "inline-block" || lv == "inline-flex" || lv == "inline-table") st.display = Display::InlineBlock;
    else if (!lv.empty()) st.display = Display::Block;
}

bool ApplyText(ComputedStyle& st, const ComputedStyle& parent, const std::string& p, const std::string& v,
    double zoom)
{
    std::string lv = Lower(v);
    unsigned c;
    if (p == "color") {
        if (ParseCssColor(v, c)) st.color = c;
    } else if (p == "font-size") {
        ApplyFontSize(st, parent, v, zoom);
    } else if (p == "font-weight") {
        st.fontWeight = lv == "bold" || lv == "bolder" ? 700 : lv == "normal" || lv == "lighter" ? 400 : atoi(v.c_str()) > 0 ? atoi(v.c_str()) : st.fontWeight;
    } else if (p == "font-style") {
        st.italic = lv == "italic" || lv == "oblique";
    } else if (p == "font-family") {
        ApplyFontFamily(st, v);
    } else if (p == "text-align") {
        st.textAlign = lv == "center" ? TextAlign::Center : lv == "right" ? TextAlign::Right : TextAlign::Left;
    } else if (p == "line-height") {
        ApplyLineHeight(st, v, zoom);
    } else if (p == "cursor") {
        st.cursor = lv;
    } else if (p == "text-decoration" || p == "text-decoration-line") {
        st.underline = lv.find("underline") != std::string::npos;
    } else {
        return false;
    }
    return true;
}

void ApplySize(CssLength& out, const std::string& v, double em, double zoom)
{
    CssLength l;
    if (Lower(v) == "auto") out = CssLength{};
    else if (ParseLength(v, em, zoom, l)) out = l;
}

} // namespace

bool ParseCssColor(const std::string& text, unsigned& out)
{
    std::string v = Lower(text);
    if (v == "transparent") {
        out = 0;
        return true;
    }
    if (!v.empty() && v[0] == '#') {
        std::string h = v.substr(1);
        if (h.find_first_not_of("0123456789abcdef") != std::string::npos) return false;
        if (h.size() == 3) h = {h[0], h[0], h[1], h[1], h[2], h[2]};
        if (h.size() != 6) return false;
        out = 0xFF000000u | unsigned(strtoul(h.c_str(), nullptr, 16));
        return true;
    }
    if (v.rfind("rgb", 0) == 0) return ParseFunctionColor(v, out);
    for (const auto& k : kColors)
        if (v == k.name) {
            out = 0xFF000000u | k.rgb;
            return true;
        }
    return false;
}

void ApplyCssProperty(ComputedStyle& st, const ComputedStyle& parent, const std::string& p, const std::string& v,
    double zoom)
{
    if (ApplyText(st, parent, p, v, zoom)) return;
    double em = st.fontSize;
    unsigned c;
    if (p == "display") ApplyDisplay(st, Lower(v));
    else if (p == "margin") ApplyBox(v, st.margin, em, zoom, &st.marginLeftAuto, &st.marginRightAuto);
    else if (p == "padding") ApplyBox(v, st.padding, em, zoom, nullptr, nullptr);
    else if (p == "width") ApplySize(st.width, v, em, zoom);
    else if (p == "height") ApplySize(st.height, v, em, zoom);
    else if (p == "background" || p == "background-color") {
        for (const std::string& w : Words(v))
            if (ParseCssColor(w, c)) st.background = c;
        if (Lower(v) == "none") st.background = 0;
    } else if (p == "border") ApplyBorder(st, v, em, zoom, nullptr);
    else if (p == "border-color") {
        if (ParseCssColor(v, c)) st.borderColor = c;
    } else if (p == "border-width") {
        int w = Px(v, em, zoom, -1);
        if (w >= 0) st.border = Edges{w, w, w, w};
    } else if (p == "border-style") {
        if (Lower(v) == "none") st.border = Edges{};
    } else if (p.rfind("margin-", 0) == 0 && EdgeSlot(st.margin, p.substr(7))) {
        *EdgeSlot(st.margin, p.substr(7)) = Px(v, em, zoom, 0);
        if (p == "margin-left") st.marginLeftAuto = Lower(v) == "auto";
        if (p == "margin-right") st.marginRightAuto = Lower(v) == "auto";
    } else if (p.rfind("padding-", 0) == 0 && EdgeSlot(st.padding, p.substr(8))) {
        *EdgeSlot(st.padding, p.substr(8)) = Px(v, em, zoom, 0);
    } else if (p.rfind("border-", 0) == 0 && EdgeSlot(st.border, p.substr(7))) {
        ApplyBorder(st, v, em, zoom, EdgeSlot(st.border, p.substr(7)));
    }
}

} // namespace node
