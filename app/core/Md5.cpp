#include "app/core/Md5.h"

#include <cstring>

namespace {

constexpr uint32_t kSines[64] = {
    0xd76aa478, 0xe8c7b756, 0x242070db, 0xc1bdceee, 0xf57c0faf, 0x4787c62a, 0xa8304613, 0xfd469501,
    0x698098d8, 0x8b44f7af, 0xffff5bb1, 0x895cd7be, 0x6b901122, 0xfd987193, 0xa679438e, 0x49b40821,
    0xf61e2562, 0xc040b340, 0x265e5a51, 0xe9b6c7aa, 0xd62f105d, 0x02441453, 0xd8a1e681, 0xe7d3fbc8,
    0x21e1cde6, 0xc33707d6, 0xf4d50d87, 0x455a14ed, 0xa9e3e905, 0xfcefa3f8, 0x676f02d9, 0x8d2a4c8a,
    0xfffa3942, 0x8771f681, 0x6d9d6122, 0xfde5380c, 0xa4beea44, 0x4bdecfa9, 0xf6bb4b60, 0xbebfbc70,
    0x289b7ec6, 0xeaa127fa, 0xd4ef3085, 0x04881d05, 0xd9d4d039, 0xe6db99e5, 0x1fa27cf8, 0xc4ac5665,
    0xf4292244, 0x432aff97, 0xab9423a7, 0xfc93a039, 0x655b59c3, 0x8f0ccc92, 0xffeff47d, 0x85845dd1,
    0x6fa87e4f, 0xfe2ce6e0, 0xa3014314, 0x4e0811a1, 0xf7537e82, 0xbd3af235, 0x2ad7d2bb, 0xeb86d391};

constexpr int kShifts[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};

uint32_t RotateLeft(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

uint32_t LoadLittleEndian(const unsigned char* p)
{
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

void StoreLittleEndian(unsigned char* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<unsigned char>(v >> (8 * i));
}

// Round function and message-word index of step i (0..63).
uint32_t Mix(int i, uint32_t b, uint32_t c, uint32_t d, int& word)
{
    switch (i / 16) {
    case 0: word = i; return (b & c) | (~b & d);
    case 1: word = (5 * i + 1) % 16; return (d & b) | (~d & c);
    case 2: word = (3 * i + 5) % 16; return b ^ c ^ d;
    default: word = (7 * i) % 16; return c ^ (b | ~d);
    }
}

void Compress(uint32_t state[4], const unsigned char block[64])
{
    uint32_t x[16];
    for (int i = 0; i < 16; ++i)
        x[i] = LoadLittleEndian(block + 4 * i);
    uint32_t a = state[0], b = state[1], c = state[2], d = state[3];
    for (int i = 0; i < 64; ++i) {
        int word = 0;
        uint32_t f = Mix(i, b, c, d, word);
        uint32_t rotated = RotateLeft(a + f + kSines[i] + x[word], kShifts[i / 16][i % 4]);
        a = d;
        d = c;
        c = b;
        b += rotated;
    }
    state[0] += a;
    state[1] += b;
    state[2] += c;
    state[3] += d;
}

} // namespace

void Md5Init(Md5Context& context)
{
    context.state[0] = 0x67452301;
    context.state[1] = 0xefcdab89;
    context.state[2] = 0x98badcfe;
    context.state[3] = 0x10325476;
    context.bitCount[0] = context.bitCount[1] = 0;
    std::memset(context.block, 0, sizeof(context.block));
}

void Md5Update(Md5Context& context, const void* bytes, uint32_t count)
{
    if (count == 0)
        return;
    const unsigned char* in = static_cast<const unsigned char*>(bytes);
    uint32_t used = (context.bitCount[0] >> 3) & 63;
    uint32_t low = context.bitCount[0] + (count << 3);
    if (low < context.bitCount[0])
        ++context.bitCount[1];
    context.bitCount[0] = low;
    context.bitCount[1] += count >> 29;

    uint32_t offset = 0;
    if (used + count >= 64) {
        std::memcpy(context.block + used, in, 64 - used);
        Compress(context.state, context.block);
        for (offset = 64 - used; offset + 64 <= count; offset += 64)
            Compress(context.state, in + offset);
        used = 0;
    }
    std::memcpy(context.block + used, in + offset, count - offset);
}

void Md5Final(unsigned char digest[16], Md5Context& context)
{
    unsigned char length[8];
    StoreLittleEndian(length, context.bitCount[0]);
    StoreLittleEndian(length + 4, context.bitCount[1]);
    uint32_t used = (context.bitCount[0] >> 3) & 63;
    uint32_t padding = used < 56 ? 56 - used : 120 - used;
    static const unsigned char kPadding[64] = {0x80};
    Md5Update(context, kPadding, padding);
    Md5Update(context, length, 8);
    for (int i = 0; i < 4; ++i)
        StoreLittleEndian(digest + 4 * i, context.state[i]);
    std::memset(&context, 0, sizeof(context));
}
