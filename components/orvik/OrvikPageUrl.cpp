#include "components/orvik/OrvikPageUrl.h"

#include "app/core/CBase64Ex.h"
#include "app/core/Md5.h"
#include "app/core/TextEncoding.h"
#include "app/core/UrlText.h"

std::wstring BuildPageUrl(const std::wstring& record, const std::wstring& path, const std::wstring& base)
{
    const std::string bytes = ToUtf8(record);
    const std::string encoded = CBase64Ex().Encode(bytes.data(), bytes.size());
    return base + path + L"param=" + FromUtf8(UrlEscape(encoded, false));
}

std::wstring BuildKeyedPageUrl(const std::wstring& record, const std::wstring& path, const std::wstring& base,
                               const std::wstring& key)
{
    const std::wstring url = BuildPageUrl(record, path, base);
    return url + L"&sign=" + Md5Hex(url + key);
}

std::wstring Md5Hex(const std::wstring& text)
{
    const std::string bytes = ToUtf8(text);
    Md5Context context;
    Md5Init(context);
    Md5Update(context, bytes.data(), static_cast<uint32_t>(bytes.size()));
    unsigned char digest[16];
    Md5Final(digest, context);
    static const wchar_t digits[] = L"0123456789abcdef";
    std::wstring hex;
    for (unsigned char b : digest) {
        hex += digits[b >> 4];
        hex += digits[b & 0x0F];
    }
    return hex;
}
