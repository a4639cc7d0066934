#pragma once
// A source image mapped into memory read-only: headers are read without
// touching the rest, and decoders read the bytes without a copy. The file is
// opened for reading only and shared, so a read-only source stays as it is.
#include <winsock2.h>
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

namespace pelmora {

class SourceFile {
public:
    // Throws "无法打开图片文件" when it cannot be opened, "图片文件为空" when it has no bytes.
    explicit SourceFile(const std::wstring& path);
    ~SourceFile();
    SourceFile(const SourceFile&) = delete;
    SourceFile& operator=(const SourceFile&) = delete;

    const std::uint8_t* Data() const { return m_view; }
    std::size_t Size() const { return m_size; }

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;
    HANDLE m_mapping = nullptr;
    const std::uint8_t* m_view = nullptr;
    std::size_t m_size = 0;
};

}  // namespace pelmora
