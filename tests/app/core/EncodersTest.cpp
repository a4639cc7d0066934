#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "app/core/CBase64Ex.h"
#include "app/core/Md5.h"

namespace {

TEST(Base64, StandardAlphabetAndPadding)
{
    struct Case { std::string in, out; };
    const Case cases[] = {
        {"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {"\xFB\xFF\xBF", "+/+/"},
        {std::string("\0\0\0", 3), "AAAA"},
    };
    CBase64Ex base64;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.out);
        EXPECT_EQ(base64.Encode(c.in.data(), c.in.size()), c.out);
    }
    EXPECT_EQ(base64.Encode(nullptr, 5), "");
}

TEST(Base64, LongInputStaysOnOneLine)
{
    std::string bytes(100, '\x7F');
    std::string text = CBase64Ex().Encode(bytes.data(), bytes.size());
    EXPECT_EQ(text.size(), 136u);
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
}

TEST(Base64, WideFormOfAPathWithItsTerminator)
{
    // A list line: the path's UTF-16LE bytes including the terminating zero.
    const wchar_t path[] = L"C:\\a";
    std::wstring text = CBase64Ex().EncodeToWide(path, sizeof(path));
    EXPECT_EQ(text, L"QwA6AFwAYQAAAA==");
}

std::string Md5Hex(const std::string& input, size_t chunk)
{
    Md5Context context;
    Md5Init(context);
    for (size_t i = 0; i < input.size(); i += chunk)
        Md5Update(context, input.data() + i, static_cast<uint32_t>(std::min(chunk, input.size() - i)));
    unsigned char digest[16];
    Md5Final(digest, context);
    static const char hex[] = "0123456789abcdef";
    std::string out;
    for (unsigned char b : digest) {
        out += hex[b >> 4];
        out += hex[b & 15];
    }
    return out;
}

TEST(Md5, KnownDigestsWhateverTheChunking)
{
    struct Case { std::string in, digest; };
    const Case cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
        // Lengths around the padding boundary of a 64-byte block.
        {std::string(55, 'x'), "04364420e25c512fd958a70738aa8f72"},
        {std::string(56, 'x'), "668a72d5ba17f08e62dabcafad6db14b"},
        {std::string(63, 'x'), "7dc2ca208106a2f703567bdff99d8981"},
        {std::string(64, 'x'), "c1bb4f81d892b2d57947682aeb252456"},
        {std::string(65, 'x'), "1bc932052302d074bdec39795fe00cf6"},
        {std::string(1000, 'x'), "398533d48111e9f664b1f64cb10c4b63"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in.substr(0, 20));
        for (size_t chunk : {size_t(1), size_t(7), size_t(64), size_t(1000)})
            EXPECT_EQ(Md5Hex(c.in, chunk), c.digest) << "chunk " << chunk;
    }
}

TEST(Md5, FinalWipesTheContext)
{
    Md5Context context;
    Md5Init(context);
    Md5Update(context, "abc", 3);
    unsigned char digest[16];
    Md5Final(digest, context);
    const unsigned char* raw = reinterpret_cast<const unsigned char*>(&context);
    for (size_t i = 0; i < sizeof(context); ++i)
        ASSERT_EQ(raw[i], 0) << "byte " << i;
}

} // namespace
