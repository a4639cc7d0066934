#include "xml/XmlEncoding.h"

#include "xml/MemWrapper.h"

#include <cstdint>
#include <cstring>

#include <emmintrin.h>

namespace xmldom {
namespace impl {

namespace {

bool IsHigh(uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// Writes one code point as UTF-16 at out (when given); returns units used.
size_t PutCodePoint(uint32_t cp, wchar_t* out)
{
    if (cp < 0x10000) {
        if (out)
            out[0] = static_cast<wchar_t>(cp);
        return 1;
    }
    if (out) {
        cp -= 0x10000;
        out[0] = static_cast<wchar_t>(0xD800 + (cp >> 10));
        out[1] = static_cast<wchar_t>(0xDC00 + (cp & 0x3FF));
    }
    return 2;
}

// Length of the valid UTF-8 sequence at p (1-4), 0 when malformed or cut.
size_t Utf8Sequence(const unsigned char* p, const unsigned char* end, uint32_t& cp)
{
    unsigned char lead = p[0];
    size_t n;
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        cp = lead & 0x07;
    } else {
        return 0;
    }
    if (static_cast<size_t>(end - p) < n)
        return 0;
    for (size_t i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    static const uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[n] || cp > 0x10FFFF)
        return 0;
    return n;
}

// One pass over UTF-8: counts when out is null, decodes otherwise. Runs of
// ASCII, the common case, go sixteen bytes at a time.
size_t Utf8Pass(const unsigned char* p, const unsigned char* end, wchar_t* out)
{
    size_t units = 0;
    const __m128i zero = _mm_setzero_si128();
    while (p < end) {
        if (end - p >= 16) {
            __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            if (_mm_movemask_epi8(v) == 0) {
                if (out) {
                    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + units), _mm_unpacklo_epi8(v, zero));
                    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + units + 8), _mm_unpackhi_epi8(v, zero));
                }
                units += 16;
                p += 16;
                continue;
            }
        }
        if (*p < 0x80) {
            if (out)
                out[units] = *p;
            ++units;
            ++p;
            continue;
        }
        uint32_t cp;
        size_t n = Utf8Sequence(p, end, cp);
        if (n == 0) {
            ++p; // a malformed lead byte or a cut sequence gives no output
            continue;
        }
        units += PutCodePoint(cp, out ? out + units : nullptr);
        p += n;
    }
    return units;
}

uint32_t Read32(const unsigned char* p, bool bigEndian)
{
    if (bigEndian)
        return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
    return (uint32_t(p[3]) << 24) | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
}

size_t Utf32Pass(const unsigned char* p, size_t bytes, bool bigEndian, wchar_t* out)
{
    size_t units = 0;
    for (size_t i = 0; i + 4 <= bytes; i += 4) {
        uint32_t cp = Read32(p + i, bigEndian);
        if (cp > 0x10FFFF)
            continue;
        units += PutCodePoint(cp, out ? out + units : nullptr);
    }
    return units;
}

wchar_t* NewText(size_t units)
{
    return static_cast<wchar_t*>(DUI::MemMalloc((units + 1) * sizeof(wchar_t)));
}

} // namespace

xml_encoding ResolveInputEncoding(const void* data, size_t bytes, xml_encoding encoding)
{
    if (encoding == encoding_utf16 || encoding == encoding_wchar)
        return encoding_utf16_le;
    if (encoding == encoding_utf32)
        return encoding_utf32_le;
    if (encoding != encoding_auto)
        return encoding;
    if (bytes < 4)
        return encoding_utf8;
    const auto* b = static_cast<const unsigned char*>(data);
    if ((b[0] == 0xFF && b[1] == 0xFE && b[2] == 0 && b[3] == 0) || (b[0] == 0x3C && b[1] == 0 && b[2] == 0 && b[3] == 0))
        return encoding_utf32_le;
    if ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0x3C && b[1] == 0))
        return encoding_utf16_le;
    if ((b[0] == 0xFE && b[1] == 0xFF) || (b[0] == 0 && b[1] == 0x3C))
        return encoding_utf16_be;
    if ((b[0] == 0 && b[1] == 0 && b[2] == 0xFE && b[3] == 0xFF) || (b[0] == 0 && b[1] == 0 && b[2] == 0 && b[3] == 0x3C))
        return encoding_utf32_be;
    return encoding_utf8;
}

xml_encoding ResolveOutputEncoding(xml_encoding encoding)
{
    switch (encoding) {
    case encoding_auto:
        return encoding_utf8;
    case encoding_utf16:
    case encoding_wchar:
        return encoding_utf16_le;
    case encoding_utf32:
        return encoding_utf32_le;
    default:
        return encoding;
    }
}

namespace {

// One pass over the input in any encoding: counts the UTF-16 units when out
// is null, writes them otherwise.
size_t DecodePass(const unsigned char* p, size_t bytes, xml_encoding encoding, wchar_t* out)
{
    switch (encoding) {
    case encoding_utf16_le:
        if (out)
            std::memcpy(out, p, bytes / 2 * 2);
        return bytes / 2;
    case encoding_utf16_be:
        for (size_t i = 0; out && i < bytes / 2; ++i)
            out[i] = static_cast<wchar_t>((p[2 * i] << 8) | p[2 * i + 1]);
        return bytes / 2;
    case encoding_utf32_le:
    case encoding_utf32_be:
        return Utf32Pass(p, bytes, encoding == encoding_utf32_be, out);
    case encoding_latin1:
        for (size_t i = 0; out && i < bytes; ++i)
            out[i] = p[i];
        return bytes;
    default:
        return Utf8Pass(p, p + bytes, out);
    }
}

} // namespace

bool DecodeToUtf16(const void* data, size_t bytes, xml_encoding encoding, wchar_t*& text, size_t& length)
{
    const auto* p = static_cast<const unsigned char*>(data);
    const size_t units = DecodePass(p, bytes, encoding, nullptr);
    text = NewText(units);
    if (!text)
        return false;
    DecodePass(p, bytes, encoding, text);
    text[units] = 0;
    length = units;
    return true;
}

namespace {

size_t PutUtf8(uint32_t cp, unsigned char* out)
{
    if (cp < 0x80) {
        out[0] = static_cast<unsigned char>(cp);
        return 1;
    }
    if (cp < 0x800) {
        out[0] = static_cast<unsigned char>(0xC0 | (cp >> 6));
        out[1] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
        return 2;
    }
    if (cp < 0x10000) {
        out[0] = static_cast<unsigned char>(0xE0 | (cp >> 12));
        out[1] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
        out[2] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
        return 3;
    }
    out[0] = static_cast<unsigned char>(0xF0 | (cp >> 18));
    out[1] = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
    out[2] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
    out[3] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
    return 4;
}

size_t PutUtf32(uint32_t cp, bool bigEndian, unsigned char* out)
{
    for (int i = 0; i < 4; ++i)
        out[bigEndian ? 3 - i : i] = static_cast<unsigned char>(cp >> (8 * i));
    return 4;
}

} // namespace

size_t EncodeFromUtf16(const wchar_t* text, size_t count, xml_encoding encoding, unsigned char* out)
{
    if (encoding == encoding_utf16_le) {
        std::memcpy(out, text, count * 2);
        return count * 2;
    }
    size_t n = 0;
    for (size_t i = 0; i < count; ++i) {
        uint32_t u = static_cast<uint16_t>(text[i]);
        if (encoding == encoding_utf16_be) {
            out[n++] = static_cast<unsigned char>(u >> 8);
            out[n++] = static_cast<unsigned char>(u);
            continue;
        }
        uint32_t cp = u;
        bool pair = IsHigh(u) && i + 1 < count && IsLow(static_cast<uint16_t>(text[i + 1]));
        if (pair)
            cp = 0x10000 + ((u - 0xD800) << 10) + (static_cast<uint16_t>(text[++i]) - 0xDC00);
        else if (IsHigh(u) || IsLow(u))
            continue; // an unpaired surrogate has no encoding
        if (encoding == encoding_latin1)
            out[n++] = cp > 0xFF ? '?' : static_cast<unsigned char>(cp);
        else if (encoding == encoding_utf32_le || encoding == encoding_utf32_be)
            n += PutUtf32(cp, encoding == encoding_utf32_be, out + n);
        else
            n += PutUtf8(cp, out + n);
    }
    return n;
}

} // namespace impl
} // namespace xmldom
