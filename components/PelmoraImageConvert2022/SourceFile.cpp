#include "components/PelmoraImageConvert2022/SourceFile.h"

#include "components/PelmoraImageConvert2022/EngineFailure.h"

namespace pelmora {

SourceFile::SourceFile(const std::wstring& path)
{
    m_file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (m_file == INVALID_HANDLE_VALUE) Fail(texts::kCannotOpen);
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(m_file, &size)) {
        CloseHandle(m_file);
        Fail(texts::kCannotOpen);
    }
    if (size.QuadPart == 0) {
        CloseHandle(m_file);
        Fail(texts::kEmptyFile);
    }
    m_size = static_cast<std::size_t>(size.QuadPart);
    m_mapping = CreateFileMappingW(m_file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (m_mapping) m_view = static_cast<const std::uint8_t*>(MapViewOfFile(m_mapping, FILE_MAP_READ, 0, 0, 0));
    if (!m_view) {
        if (m_mapping) CloseHandle(m_mapping);
        CloseHandle(m_file);
        Fail(texts::kCannotOpen);
    }
}

SourceFile::~SourceFile()
{
    UnmapViewOfFile(m_view);
    CloseHandle(m_mapping);
    CloseHandle(m_file);
}

}  // namespace pelmora
