#pragma once
// Renders the pages of one PDF on several threads and hands each page's
// outcome back in page order. Every thread loads its own poppler document over
// the same bytes (poppler is safe as long as no document is shared), renders
// one page at a time and passes it, on that thread, to the caller's work
// (encoding and saving, say). A thread draws each page into the pixels of the
// previous one, unless the work kept that page or a page that large, held by
// every thread at once, would not fit the budget. Pages start in the plan's
// order (ascending unless it says otherwise), and only while the pixels of the
// pages in flight and of the outcomes not yet taken fit under a fixed budget,
// so memory stays bounded however far the threads get ahead of the caller.
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/core/CallStatus.h"
#include "app/modules/pdf2image/PdfRenderJob.h"

namespace Gdiplus {
class Bitmap;
}
class PdfPageRasterizer;

// A rendered page and the GDI+ bitmap over its pixels.
struct HeldPage {
    HeldPage();
    HeldPage(HeldPage&&) noexcept;
    HeldPage& operator=(HeldPage&&) noexcept;
    ~HeldPage();

    std::unique_ptr<PdfPageImage> image;
    std::unique_ptr<Gdiplus::Bitmap> bitmap;  // wraps image's pixels, so dies first
};

struct PdfPageOutcome {
    int code = 0;  // 0, or the failure's code
    std::wstring message;
    std::wstring detail;
    CallStatus reason;     // the call that failed, for the debug log
    bool stopped = false;  // the job was stopped before the page was finished
    std::wstring file;     // the file written for the page
    HeldPage kept;         // the page itself, when the work keeps it for later
};

struct PdfPagePlan {
    const std::vector<char>* bytes = nullptr;  // the whole file; outlives the pool
    std::vector<int> pages;                     // 1-based, ascending
    std::vector<long long> pageBytes;           // pixel bytes of each page at the resolution
    std::vector<size_t> startOrder;             // indices into pages; empty for ascending
    int resolution = 0;
    int threads = 1;
};

class PdfPagePool {
public:
    // Gets the page number and its rendering, or null when the page could not
    // be rendered. Runs on the pool's threads, several at once. A page it does
    // not keep (in the outcome) is drawn over once the work returns.
    using Work = std::function<PdfPageOutcome(int page, std::unique_ptr<PdfPageImage> image)>;

    // Starts the threads; `stop` is the job's flag: once it is set no page starts.
    PdfPagePool(PdfPagePlan plan, Work work, const std::atomic<bool>& stop);
    // Starts no further page and waits for the pages under way.
    ~PdfPagePool();
    PdfPagePool(const PdfPagePool&) = delete;
    PdfPagePool& operator=(const PdfPagePool&) = delete;

    // The outcome of the next page in order, waiting for it; nothing when that
    // page will never be rendered (stopped, or halted).
    std::optional<PdfPageOutcome> TakeNext();
    // Starts no further page.
    void Halt();

    // Pages in flight may hold their pixels twice while poppler hands them
    // over; beyond this they wait (a single page always goes).
    static constexpr long long kBudgetBytes = 256LL << 20;

private:
    struct Slot {
        std::optional<PdfPageOutcome> outcome;
        long long charged = 0;  // budget still held for this page
    };

    static constexpr size_t kNone = static_cast<size_t>(-1);

    void RunThread();
    void RenderPages(PdfPageRasterizer& rasterizer);
    size_t NextToStart() const;
    bool MayStart(size_t index) const;
    bool KeepsPixelsBetweenPages(size_t index) const;
    PdfPageOutcome Process(PdfPageRasterizer& rasterizer, size_t index);

    PdfPagePlan m_plan;
    Work m_work;
    const std::atomic<bool>& m_stop;
    std::mutex m_lock;
    std::condition_variable m_changed;
    std::vector<Slot> m_slots;
    std::vector<size_t> m_order;    // the start order
    std::vector<bool> m_started;
    size_t m_nextStart = 0;         // into m_order: no page before it is left to start
    int m_inFlight = 0;
    size_t m_nextTake = 0;
    long long m_charged = 0;
    int m_running = 0;  // threads still taking pages
    bool m_halted = false;
    std::vector<std::thread> m_threads;
};
