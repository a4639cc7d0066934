#pragma once
// GDI fonts of the page's styles and the widths of the words measured in
// them, kept for the life of the engine (layout measures the same words
// again on every relayout).
#include <winsock2.h>
#include <windows.h>

#include <map>
#include <string>
#include <tuple>
#include <unordered_map>

namespace node {

struct ComputedStyle;

struct FontInfo {
    HFONT font = nullptr;
    int ascent = 0;
    int height = 0;     // ascent + descent
    std::unordered_map<std::wstring, int> widths;
};

class FontCache {
public:
    FontCache();
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    FontInfo& Get(const ComputedStyle& style);
    int Width(FontInfo& font, const std::wstring& text);
    HDC MeasureDC() const { return m_dc; }

private:
    using Key = std::tuple<std::wstring, int, int, bool, bool>;
    std::map<Key, FontInfo> m_fonts;
    HDC m_dc = nullptr;
};

} // namespace node
