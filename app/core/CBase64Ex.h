#pragma once
// Base64 (RFC 4648, "=" padding, no line breaks) of raw bytes.
#include <cstddef>
#include <string>

class CBase64Ex {
public:
    CBase64Ex() = default;
    virtual ~CBase64Ex() = default;

    std::string Encode(const void* bytes, size_t count) const;
    std::wstring EncodeToWide(const void* bytes, size_t count) const;
};
