#include "app/core/CBase64Ex.h"

#include "app/core/TextEncoding.h"

std::string CBase64Ex::Encode(const void* bytes, size_t count) const
{
    static const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    const unsigned char* in = static_cast<const unsigned char*>(bytes);
    std::string out;
    if (!in || count == 0)
        return out;
    out.reserve((count + 2) / 3 * 4);
    size_t i = 0;
    for (; i + 3 <= count; i += 3) {
        unsigned group = (in[i] << 16) | (in[i + 1] << 8) | in[i + 2];
        out += kAlphabet[(group >> 18) & 63];
        out += kAlphabet[(group >> 12) & 63];
        out += kAlphabet[(group >> 6) & 63];
        out += kAlphabet[group & 63];
    }
    size_t rest = count - i;
    if (rest == 0)
        return out;
    unsigned group = in[i] << 16;
    if (rest == 2)
        group |= in[i + 1] << 8;
    out += kAlphabet[(group >> 18) & 63];
    out += kAlphabet[(group >> 12) & 63];
    out += rest == 2 ? kAlphabet[(group >> 6) & 63] : '=';
    out += '=';
    return out;
}

std::wstring CBase64Ex::EncodeToWide(const void* bytes, size_t count) const
{
    return FromUtf8(Encode(bytes, count));
}
