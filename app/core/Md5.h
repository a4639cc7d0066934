#pragma once
// MD5 digest (RFC 1321) in the classic init / update / final form.
#include <cstdint>

struct Md5Context {
    uint32_t state[4];
    uint32_t bitCount[2]; // low word first
    unsigned char block[64];
};

void Md5Init(Md5Context& context);
void Md5Update(Md5Context& context, const void* bytes, uint32_t count);
// Writes the 16-byte digest and wipes the context; hash again only after Md5Init.
void Md5Final(unsigned char digest[16], Md5Context& context);
