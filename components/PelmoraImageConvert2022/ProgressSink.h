#pragma once
// The caller's monitors, by stage. Steps report in row bands of about a
// million pixels and ask between bands whether to stop, so even a 100 MP
// image stops within a few milliseconds of being cancelled.
#include "components/PelmoraImageConvert2022/PelmoraImageConvert2022.h"

#include <array>
#include <cstdint>

namespace pelmora {

class ProgressSink {
public:
    void SetMonitor(int stage, IMonitorProgress* monitor);

    // Reports done of total to the stage's monitor; throws "操作已取消" when a
    // monitor says to stop.
    void Report(int stage, const char* tag, std::uint64_t done, std::uint64_t total);
    // Throws "操作已取消" when any monitor is cancelled.
    void CheckCancelled();

private:
    std::array<IMonitorProgress*, 5> m_monitors{};
};

// Rows per band for images of this width: about 2^20 pixels, at least one row.
std::uint32_t RowsPerBand(std::uint32_t width);

}  // namespace pelmora
