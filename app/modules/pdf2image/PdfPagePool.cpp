#include "app/modules/pdf2image/PdfPagePool.h"

#include <winsock2.h>
#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <climits>

#include "app/modules/pdf2image/PdfPageRasterizer.h"
#include "app/modules/pdf2image/PdfRenderTexts.h"
#include "app/modules/pdf2image/PdfRenderer.h"

HeldPage::HeldPage() = default;
HeldPage::HeldPage(HeldPage&&) noexcept = default;
HeldPage& HeldPage::operator=(HeldPage&&) noexcept = default;
HeldPage::~HeldPage() = default;

PdfPagePool::PdfPagePool(PdfPagePlan plan, Work work, const std::atomic<bool>& stop)
    : m_plan(std::move(plan)), m_work(std::move(work)), m_stop(stop), m_slots(m_plan.pages.size()),
      m_started(m_plan.pages.size(), false)
{
    m_order = m_plan.startOrder;
    if (m_order.size() != m_slots.size()) {
        m_order.resize(m_slots.size());
        for (size_t i = 0; i < m_order.size(); ++i) m_order[i] = i;
    }
    int threads = std::max(1, std::min<int>(m_plan.threads, static_cast<int>(m_plan.pages.size())));
    std::lock_guard<std::mutex> hold(m_lock);  // the threads wait for it before their first page
    for (int i = 0; i < threads; ++i) {
        try {
            m_threads.emplace_back(&PdfPagePool::RunThread, this);
            ++m_running;
        } catch (...) {
            LogCaughtException(L"PdfPagePool: starting a page thread");
            break;  // fewer threads than asked; with none, no page ever comes
        }
    }
}

PdfPagePool::~PdfPagePool()
{
    Halt();
    for (auto& thread : m_threads) thread.join();
}

void PdfPagePool::Halt()
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_halted = true;
    }
    m_changed.notify_all();
}

std::optional<PdfPageOutcome> PdfPagePool::TakeNext()
{
    std::unique_lock<std::mutex> hold(m_lock);
    if (m_nextTake >= m_slots.size()) return std::nullopt;
    Slot& slot = m_slots[m_nextTake];
    // Threads end only when no page is left to start, so once none runs a
    // page that has no outcome yet will never get one.
    m_changed.wait(hold, [&] { return slot.outcome.has_value() || m_running == 0; });
    if (!slot.outcome) return std::nullopt;
    ++m_nextTake;
    m_charged -= slot.charged;
    slot.charged = 0;
    std::optional<PdfPageOutcome> outcome = std::move(slot.outcome);
    slot.outcome.reset();
    hold.unlock();
    m_changed.notify_all();
    return outcome;
}

// The page the caller waits for goes once nothing else is in flight, even
// when later pages it has not taken yet hold the budget (they can only be
// taken after it): otherwise a start order other than ascending could wait
// forever.
bool PdfPagePool::MayStart(size_t index) const
{
    return m_charged == 0 || m_charged + 2 * m_plan.pageBytes[index] <= kBudgetBytes ||
           (index == m_nextTake && m_inFlight == 0);
}

// The first page in the start order not started yet, or else the page the
// caller waits for when that one does not fit; kNone when none may start now
// (or none is left).
size_t PdfPagePool::NextToStart() const
{
    if (m_nextStart >= m_order.size()) return kNone;
    const size_t next = m_order[m_nextStart];
    if (MayStart(next)) return next;
    if (m_nextTake < m_slots.size() && !m_started[m_nextTake] && MayStart(m_nextTake)) return m_nextTake;
    return kNone;
}

bool PdfPagePool::KeepsPixelsBetweenPages(size_t index) const
{
    return static_cast<long long>(m_threads.size()) * 2 * m_plan.pageBytes[index] <= kBudgetBytes;
}

void PdfPagePool::RunThread()
{
    // A thread entry: nothing may leave it, and the count goes down whatever
    // happened, or the caller would wait for pages that never come.
    try {
        PdfPageRasterizer rasterizer(*m_plan.bytes);
        RenderPages(rasterizer);
    } catch (...) {
        LogCaughtException(L"PdfPagePool: page thread");
    }
    {
        std::lock_guard<std::mutex> hold(m_lock);
        --m_running;
    }
    m_changed.notify_all();
}

void PdfPagePool::RenderPages(PdfPageRasterizer& rasterizer)
{
    for (;;) {
        size_t index = 0;
        {
            std::unique_lock<std::mutex> hold(m_lock);
            // Pages start in the start order, each once its budget is free;
            // the page the caller waits for never waits behind later ones.
            m_changed.wait(hold, [&] {
                return m_halted || m_stop.load() || m_nextStart >= m_order.size() || NextToStart() != kNone;
            });
            if (m_halted || m_stop.load() || m_nextStart >= m_order.size()) break;
            index = NextToStart();
            m_started[index] = true;
            while (m_nextStart < m_order.size() && m_started[m_order[m_nextStart]]) ++m_nextStart;
            ++m_inFlight;
            m_slots[index].charged = 2 * m_plan.pageBytes[index];
            m_charged += m_slots[index].charged;
        }
        PdfPageOutcome outcome = Process(rasterizer, index);
        {
            std::lock_guard<std::mutex> hold(m_lock);
            Slot& slot = m_slots[index];
            long long kept = outcome.kept.image ? m_plan.pageBytes[index] : 0;
            m_charged -= slot.charged - kept;
            slot.charged = kept;
            slot.outcome = std::move(outcome);
            --m_inFlight;
        }
        m_changed.notify_all();
    }
}

PdfPageOutcome PdfPagePool::Process(PdfPageRasterizer& rasterizer, size_t index)
{
    int page = m_plan.pages[index];
    PdfPageOutcome outcome;
    try {
        outcome = m_work(page, rasterizer.Render(page - 1, m_plan.resolution));
    } catch (...) {
        LogCaughtException(L"PdfPagePool: page", std::to_wstring(page));
        outcome = PdfPageOutcome();
        outcome.code = -1;
        outcome.message = kPdfRenderFailed;
        outcome.reason = CallStatus(L"render page", ERROR_INTERNAL_ERROR, std::to_wstring(page));
    }
    if (!KeepsPixelsBetweenPages(index)) rasterizer.Release();
    return outcome;
}
