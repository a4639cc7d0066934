#include "app/modules/imagecompress/CCMNProgress.h"

#include <cstring>

namespace {

constexpr size_t kFilterLength = 5;

} // namespace

void RaiseProgress(std::atomic<int>& progress, int value)
{
    // The exchange happens only while the counter is still below: a plain
    // test-then-exchange could put back a lower value over a cancel's 100.
    int current = progress.load();
    while (current < value && !progress.compare_exchange_weak(current, value)) {
    }
}

CCMNProgress::CCMNProgress(int stage, const char* filter, int base, int span, SharedProgress progress,
                           SharedFlag cancel)
    : stageBase(base), stageSpan(span), m_progressValue(std::move(progress)), m_cancelFlag(std::move(cancel)),
      m_stage(stage), m_stageFilter(filter ? std::string(filter, strnlen(filter, kFilterLength)) : std::string())
{
}

bool CCMNProgress::OnProgress(const char* tag, long long done, long long total)
{
    if (!m_progressValue) return true;
    if (filterActive.load() && (!tag || std::strncmp(tag, m_stageFilter.c_str(), kFilterLength) != 0)) return true;
    if (total <= 0) return true;
    // A report past its total still ends at the stage's end.
    const double part = done <= 0 ? 0.0 : done >= total ? 1.0 : static_cast<double>(done) / static_cast<double>(total);
    const int value = stageBase.load() + static_cast<int>(part * stageSpan.load());
    RaiseProgress(*m_progressValue, value);
    return true;
}
