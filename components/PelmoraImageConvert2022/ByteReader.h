#pragma once
// Little- and big-endian reads from a byte range that fail, never overrun,
// when the file is shorter than its headers claim.
#include "components/PelmoraImageConvert2022/EngineFailure.h"

#include <cstddef>
#include <cstdint>

namespace pelmora {

class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    void Need(std::size_t at, std::size_t count) const
    {
        if (at > m_size || count > m_size - at) Fail(texts::kCorrupt);
    }
    std::uint8_t U8(std::size_t at) const { Need(at, 1); return m_data[at]; }
    std::uint16_t Le16(std::size_t at) const { Need(at, 2); return static_cast<std::uint16_t>(m_data[at] | m_data[at + 1] << 8); }
    std::uint32_t Le32(std::size_t at) const
    {
        Need(at, 4);
        return m_data[at] | m_data[at + 1] << 8 | m_data[at + 2] << 16 | static_cast<std::uint32_t>(m_data[at + 3]) << 24;
    }
    std::uint16_t Be16(std::size_t at) const { Need(at, 2); return static_cast<std::uint16_t>(m_data[at] << 8 | m_data[at + 1]); }
    std::uint32_t Be32(std::size_t at) const
    {
        Need(at, 4);
        return static_cast<std::uint32_t>(m_data[at]) << 24 | m_data[at + 1] << 16 | m_data[at + 2] << 8 | m_data[at + 3];
    }
    const std::uint8_t* At(std::size_t at, std::size_t count) const { Need(at, count); return m_data + at; }
    std::size_t Size() const { return m_size; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
};

}  // namespace pelmora
