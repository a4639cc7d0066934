#include "components/node/FontCache.h"

#include "components/node/CssStyle.h"

namespace node {

FontCache::FontCache() : m_dc(CreateCompatibleDC(nullptr)) {}

FontCache::~FontCache()
{
    for (auto& f : m_fonts) DeleteObject(f.second.font);
    if (m_dc) DeleteDC(m_dc);
}

FontInfo& FontCache::Get(const ComputedStyle& s)
{
    Key key{s.fontFamily, s.fontSize, s.fontWeight, s.italic, s.underline};
    auto it = m_fonts.find(key);
    if (it != m_fonts.end()) return it->second;
    FontInfo& info = m_fonts[key];
    LOGFONTW lf{};
    lf.lfHeight = -s.fontSize;
    lf.lfWeight = s.fontWeight;
    lf.lfItalic = s.italic;
    lf.lfUnderline = s.underline;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynW(lf.lfFaceName, s.fontFamily.c_str(), LF_FACESIZE);
    info.font = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(m_dc, info.font);
    TEXTMETRICW tm{};
    GetTextMetricsW(m_dc, &tm);
    SelectObject(m_dc, old);
    info.ascent = tm.tmAscent;
    info.height = tm.tmAscent + tm.tmDescent;
    return info;
}

int FontCache::Width(FontInfo& font, const std::wstring& text)
{
    auto it = font.widths.find(text);
    if (it != font.widths.end()) return it->second;
    HGDIOBJ old = SelectObject(m_dc, font.font);
    SIZE sz{};
    GetTextExtentPoint32W(m_dc, text.c_str(), int(text.size()), &sz);
    SelectObject(m_dc, old);
    font.widths.emplace(text, sz.cx);
    return sz.cx;
}

} // namespace node
