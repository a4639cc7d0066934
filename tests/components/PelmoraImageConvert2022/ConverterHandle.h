#pragma once
// A converter from the library for one test, released whatever happens.
#include "components/PelmoraImageConvert2022/PelmoraImageConvert2022.h"

#include <winsock2.h>
#include <windows.h>

#include <string>

namespace pelmoratest {

class ConverterHandle {
public:
    ConverterHandle() : m_converter(CrceateImgConvert()) {}
    ~ConverterHandle() { ReleaseImgConvert(m_converter); }
    ConverterHandle(const ConverterHandle&) = delete;
    ConverterHandle& operator=(const ConverterHandle&) = delete;

    IImageConverter* operator->() const { return m_converter; }
    IImageConverter* Get() const { return m_converter; }
    std::string Error() const { return m_converter->GetLastErrorText(); }

private:
    IImageConverter* m_converter;
};

inline std::string Utf8(const std::wstring& text)
{
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace pelmoratest
