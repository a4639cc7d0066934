#include "components/PelmoraImageConvert2022/ProgressSink.h"

#include "components/PelmoraImageConvert2022/EngineFailure.h"

namespace pelmora {

void ProgressSink::SetMonitor(int stage, IMonitorProgress* monitor)
{
    if (stage >= 0 && stage < static_cast<int>(m_monitors.size())) m_monitors[static_cast<size_t>(stage)] = monitor;
}

void ProgressSink::Report(int stage, const char* tag, std::uint64_t done, std::uint64_t total)
{
    IMonitorProgress* monitor =
        stage >= 0 && stage < static_cast<int>(m_monitors.size()) ? m_monitors[static_cast<size_t>(stage)] : nullptr;
    if (monitor && !monitor->OnProgress(tag, static_cast<long long>(done), static_cast<long long>(total)))
        Fail(texts::kCancelled);
    CheckCancelled();
}

void ProgressSink::CheckCancelled()
{
    for (IMonitorProgress* monitor : m_monitors)
        if (monitor && monitor->IsCancelled()) Fail(texts::kCancelled);
}

std::uint32_t RowsPerBand(std::uint32_t width)
{
    constexpr std::uint32_t kBandPixels = 1u << 20;
    if (width == 0 || width >= kBandPixels) return 1;
    return kBandPixels / width;
}

}  // namespace pelmora
