/* Stateless converter between UTF-8, UTF-16LE/BE and Latin-1. Errors follow
   POSIX: EILSEQ for bad input, EINVAL for an incomplete sequence at the end,
   E2BIG when the output is full; input is consumed only for whole characters. */
#include "iconv.h"
#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <ctype.h>

enum Enc { ENC_UTF8 = 1, ENC_UTF16LE, ENC_UTF16BE, ENC_LATIN1 };

static int same_name(const char *a, const char *b)
{
    for (; *a && *b; ++a, ++b)
        if (toupper((unsigned char)*a) != toupper((unsigned char)*b)) return 0;
    return *a == *b;
}

static int parse_enc(const char *name)
{
    if (same_name(name, "UTF-8") || same_name(name, "UTF8")) return ENC_UTF8;
    if (same_name(name, "UTF-16LE") || same_name(name, "UTF-16")) return ENC_UTF16LE;
    if (same_name(name, "UTF-16BE")) return ENC_UTF16BE;
    if (same_name(name, "ISO-8859-1") || same_name(name, "LATIN1") || same_name(name, "ISO_8859-1")) return ENC_LATIN1;
    return 0;
}

iconv_t iconv_open(const char *tocode, const char *fromcode)
{
    int to = parse_enc(tocode), from = parse_enc(fromcode);
    if (!to || !from) { errno = EINVAL; return (iconv_t)-1; }
    int *cd = (int *)malloc(2 * sizeof(int));
    if (!cd) { errno = ENOMEM; return (iconv_t)-1; }
    cd[0] = to; cd[1] = from;
    return cd;
}

int iconv_close(iconv_t cd)
{
    free(cd);
    return 0;
}

/* Reads one character; returns bytes used, 0 when incomplete, -1 when invalid. */
static int decode(int enc, const unsigned char *s, size_t n, unsigned long *cp)
{
    if (enc == ENC_LATIN1) { *cp = s[0]; return 1; }
    if (enc == ENC_UTF8) {
        unsigned char c = s[0];
        int len; unsigned long v, min;
        if (c < 0x80) { *cp = c; return 1; }
        if ((c & 0xE0) == 0xC0) { len = 2; v = c & 0x1F; min = 0x80; }
        else if ((c & 0xF0) == 0xE0) { len = 3; v = c & 0x0F; min = 0x800; }
        else if ((c & 0xF8) == 0xF0) { len = 4; v = c & 0x07; min = 0x10000; }
        else return -1;
        for (int i = 1; i < len; ++i) {
            if ((size_t)i >= n) return 0;
            if ((s[i] & 0xC0) != 0x80) return -1;
            v = (v << 6) | (s[i] & 0x3F);
        }
        if (v < min || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return -1;
        *cp = v;
        return len;
    }
    if (n < 2) return 0;
    unsigned long u = enc == ENC_UTF16LE ? (unsigned long)(s[0] | s[1] << 8) : (unsigned long)(s[1] | s[0] << 8);
    if (u >= 0xDC00 && u <= 0xDFFF) return -1;
    if (u < 0xD800 || u > 0xDBFF) { *cp = u; return 2; }
    if (n < 4) return 0;
    unsigned long l = enc == ENC_UTF16LE ? (unsigned long)(s[2] | s[3] << 8) : (unsigned long)(s[3] | s[2] << 8);
    if (l < 0xDC00 || l > 0xDFFF) return -1;
    *cp = 0x10000 + ((u - 0xD800) << 10) + (l - 0xDC00);
    return 4;
}

static void put16(int enc, unsigned char *d, unsigned long u)
{
    if (enc == ENC_UTF16LE) { d[0] = (unsigned char)u; d[1] = (unsigned char)(u >> 8); }
    else { d[1] = (unsigned char)u; d[0] = (unsigned char)(u >> 8); }
}

/* Writes one character; returns bytes written, 0 when it does not fit, -1 when unrepresentable. */
static int encode(int enc, unsigned long cp, unsigned char *d, size_t n)
{
    if (enc == ENC_LATIN1) {
        if (cp > 0xFF) return -1;
        if (n < 1) return 0;
        d[0] = (unsigned char)cp;
        return 1;
    }
    if (enc == ENC_UTF8) {
        int len = cp < 0x80 ? 1 : cp < 0x800 ? 2 : cp < 0x10000 ? 3 : 4;
        if (n < (size_t)len) return 0;
        if (len == 1) { d[0] = (unsigned char)cp; return 1; }
        for (int i = len - 1; i > 0; --i) { d[i] = (unsigned char)(0x80 | (cp & 0x3F)); cp >>= 6; }
        d[0] = (unsigned char)((len == 2 ? 0xC0 : len == 3 ? 0xE0 : 0xF0) | cp);
        return len;
    }
    if (cp < 0x10000) {
        if (n < 2) return 0;
        put16(enc, d, cp);
        return 2;
    }
    if (n < 4) return 0;
    cp -= 0x10000;
    put16(enc, d, 0xD800 + (cp >> 10));
    put16(enc, d + 2, 0xDC00 + (cp & 0x3FF));
    return 4;
}

size_t iconv(iconv_t cd, char **inbuf, size_t *inbytesleft, char **outbuf, size_t *outbytesleft)
{
    if (cd == (iconv_t)-1 || !cd) { errno = EBADF; return (size_t)-1; }
    if (!inbuf || !*inbuf) return 0; /* no shift state to reset */
    int to = ((int *)cd)[0], from = ((int *)cd)[1];
    const unsigned char *in = (const unsigned char *)*inbuf;
    unsigned char *out = (unsigned char *)*outbuf;
    size_t inleft = *inbytesleft, outleft = *outbytesleft, result = 0;
    while (inleft > 0) {
        unsigned long cp;
        int used = decode(from, in, inleft, &cp);
        if (used <= 0) { errno = used == 0 ? EINVAL : EILSEQ; result = (size_t)-1; break; }
        int wrote = encode(to, cp, out, outleft);
        if (wrote <= 0) { errno = wrote == 0 ? E2BIG : EILSEQ; result = (size_t)-1; break; }
        in += used; inleft -= used;
        out += wrote; outleft -= wrote;
    }
    *inbuf = (char *)in; *inbytesleft = inleft;
    *outbuf = (char *)out; *outbytesleft = outleft;
    return result;
}
