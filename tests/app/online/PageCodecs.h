#pragma once
// Reads page addresses back with the system's own codecs (CryptoAPI's Base64
// and MD5), so the tests do not check the library with its own code.
#include <winsock2.h>
#include <windows.h>

#include <wincrypt.h>

#include <string>
#include <vector>

#include "app/core/TextEncoding.h"

namespace online_test {

inline std::string SystemBase64Decode(const std::string& text)
{
    DWORD size = 0;
    if (!CryptStringToBinaryA(text.c_str(), static_cast<DWORD>(text.size()), CRYPT_STRING_BASE64, nullptr, &size,
                              nullptr, nullptr))
        return "<not base64>";
    std::string bytes(size, '\0');
    CryptStringToBinaryA(text.c_str(), static_cast<DWORD>(text.size()), CRYPT_STRING_BASE64,
                         reinterpret_cast<BYTE*>(bytes.data()), &size, nullptr, nullptr);
    bytes.resize(size);
    return bytes;
}

inline std::wstring SystemMd5Hex(const std::string& bytes)
{
    HCRYPTPROV provider = 0;
    HCRYPTHASH hash = 0;
    std::wstring hex;
    if (!CryptAcquireContextW(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) return L"<no provider>";
    if (CryptCreateHash(provider, CALG_MD5, 0, 0, &hash)) {
        CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), 0);
        BYTE digest[16];
        DWORD size = sizeof(digest);
        if (CryptGetHashParam(hash, HP_HASHVAL, digest, &size, 0)) {
            static const wchar_t digits[] = L"0123456789abcdef";
            for (BYTE b : digest) {
                hex += digits[b >> 4];
                hex += digits[b & 0x0F];
            }
        }
        CryptDestroyHash(hash);
    }
    CryptReleaseContext(provider, 0);
    return hex;
}

inline std::string PercentDecode(const std::wstring& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'%' && i + 2 < text.size() + 0 && iswxdigit(text[i + 1]) && iswxdigit(text[i + 2])) {
            out += static_cast<char>(std::stoi(ToUtf8(text.substr(i + 1, 2)), nullptr, 16));
            i += 2;
        } else {
            out += static_cast<char>(text[i]);
        }
    }
    return out;
}

// The parts of a page address: what comes before "param=", the record
// decoded, and the signature when there is one.
struct PageAddress {
    std::wstring prefix;
    std::string record;
    std::wstring sign;
    std::wstring rest;   // after the signature
    bool parsed = false;
};

inline PageAddress ParsePageAddress(const std::wstring& url)
{
    PageAddress out;
    const size_t param = url.find(L"param=");
    if (param == std::wstring::npos) return out;
    out.prefix = url.substr(0, param);
    size_t end = url.find(L'&', param);
    const std::wstring encoded = url.substr(param + 6, end == std::wstring::npos ? std::wstring::npos : end - param - 6);
    // The encoded Base64 holds only letters, digits and %XX escapes.
    for (wchar_t c : encoded) {
        if (!(iswalnum(c) || c == L'%')) return out;
    }
    out.record = SystemBase64Decode(PercentDecode(encoded));
    if (end != std::wstring::npos && url.compare(end, 6, L"&sign=") == 0) {
        const size_t next = url.find(L'&', end + 6);
        out.sign = url.substr(end + 6, next == std::wstring::npos ? std::wstring::npos : next - end - 6);
        end = next;
    }
    if (end != std::wstring::npos) out.rest = url.substr(end);
    out.parsed = true;
    return out;
}

} // namespace online_test
