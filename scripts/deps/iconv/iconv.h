/* A small iconv for the cross build: Debian ships none for Windows, and
   poppler-cpp only converts between UTF-8, UTF-16 and Latin-1. */
#ifndef VESK_ICONV_H
#define VESK_ICONV_H
#include <stddef.h>
#ifdef __cplusplus
extern "C" {
#endif
typedef void *iconv_t;
iconv_t iconv_open(const char *tocode, const char *fromcode);
size_t iconv(iconv_t cd, char **inbuf, size_t *inbytesleft, char **outbuf, size_t *outbytesleft);
int iconv_close(iconv_t cd);
#ifdef __cplusplus
}
#endif
#endif
