#include <winsock2.h>
#include <windows.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "app/modules/pdf2image/PdfPagePool.h"
#include "app/modules/pdf2image/PdfRenderer.h"
#include "tests/support/TestPdf.h"

namespace {

// Counts the works running at once and the works started.
struct WorkLog {
    std::atomic<int> running{0};
    std::atomic<int> mostAtOnce{0};
    std::atomic<int> started{0};

    void Enter()
    {
        ++started;
        int now = ++running;
        int seen = mostAtOnce.load();
        while (now > seen && !mostAtOnce.compare_exchange_weak(seen, now)) {
        }
    }
    void Leave() { --running; }
};

class PdfPagePoolTest : public ::testing::Test {
protected:
    PdfPagePlan Plan(int pages, int threads, long long pageBytes)
    {
        PdfPagePlan plan;
        plan.bytes = &m_bytes;
        for (int p = 1; p <= pages; ++p) plan.pages.push_back(p);
        plan.pageBytes.assign(pages, pageBytes);
        plan.resolution = 36;
        plan.threads = threads;
        return plan;
    }

    // Takes every outcome; the page numbers come back as the outcomes' files.
    std::vector<std::wstring> TakeAll(PdfPagePool& pool)
    {
        std::vector<std::wstring> pages;
        while (auto outcome = pool.TakeNext()) pages.push_back(outcome->file);
        return pages;
    }

    // Keeps each page's pixels in its outcome, as a long picture does.
    PdfPagePool::Work Keeping()
    {
        return [this](int page, std::unique_ptr<PdfPageImage> image) {
            m_log.Enter();
            m_log.Leave();
            PdfPageOutcome outcome;
            outcome.file = std::to_wstring(page);
            outcome.kept.image = std::move(image);
            return outcome;
        };
    }

    static std::vector<std::wstring> Pages(int count)
    {
        std::vector<std::wstring> pages;
        for (int p = 1; p <= count; ++p) pages.push_back(std::to_wstring(p));
        return pages;
    }

    std::vector<char> m_bytes = [] {
        std::string pdf = testpdf::MakePdf(8);
        return std::vector<char>(pdf.begin(), pdf.end());
    }();
    std::atomic<bool> m_stop{false};
    WorkLog m_log;
};

TEST_F(PdfPagePoolTest, OutcomesComeInPageOrderWhateverFinishesFirst)
{
    PdfPagePool pool(Plan(8, 4, 1), [this](int page, std::unique_ptr<PdfPageImage> image) {
        m_log.Enter();
        // The first pages finish last.
        if (page <= 2) std::this_thread::sleep_for(std::chrono::milliseconds(300));
        m_log.Leave();
        PdfPageOutcome outcome;
        outcome.file = std::to_wstring(page);
        outcome.code = image ? 0 : -1;
        return outcome;
    }, m_stop);
    std::vector<PdfPageOutcome> outcomes;
    while (auto outcome = pool.TakeNext()) outcomes.push_back(std::move(*outcome));
    ASSERT_EQ(outcomes.size(), 8u);
    for (size_t i = 0; i < outcomes.size(); ++i) {
        EXPECT_EQ(outcomes[i].file, std::to_wstring(i + 1));
        EXPECT_EQ(outcomes[i].code, 0) << "page " << i + 1 << " was not rendered";
    }
    EXPECT_EQ(m_log.started.load(), 8);
    EXPECT_GT(m_log.mostAtOnce.load(), 1);
}

// Pages start in the plan's order; the caller still gets them in page order.
TEST_F(PdfPagePoolTest, PagesStartInThePlansOrder)
{
    std::mutex lock;
    std::vector<int> started;
    PdfPagePlan plan = Plan(5, 1, 1);
    plan.startOrder = {4, 2, 0, 1, 3};
    PdfPagePool pool(std::move(plan), [&](int page, std::unique_ptr<PdfPageImage>) {
        {
            std::lock_guard<std::mutex> hold(lock);
            started.push_back(page);
        }
        PdfPageOutcome outcome;
        outcome.file = std::to_wstring(page);
        return outcome;
    }, m_stop);
    EXPECT_EQ(TakeAll(pool), Pages(5));
    EXPECT_EQ(started, (std::vector<int>{5, 3, 1, 2, 4}));
}

// Later pages that started first and are kept fill the budget before the page
// the caller waits for has started: that page still goes, or nothing would
// ever be taken.
TEST_F(PdfPagePoolTest, KeptPagesStartedEarlyNeverBlockThePageWaitedFor)
{
    PdfPagePlan plan = Plan(6, 3, PdfPagePool::kBudgetBytes / 4);
    plan.startOrder = {5, 4, 3, 2, 1, 0};
    PdfPagePool pool(std::move(plan), Keeping(), m_stop);
    EXPECT_EQ(TakeAll(pool), Pages(6));
    EXPECT_EQ(m_log.started.load(), 6);
}

struct BudgetCase {
    const char* name;
    long long pageBytes;
    int pages, threads;
    int mostAtOnce;
};

// Pages in flight hold twice their pixels.
TEST_F(PdfPagePoolTest, PagesInFlightStayWithinTheBudget)
{
    const BudgetCase kCases[] = {
        {"four pages' pixels fill it", PdfPagePool::kBudgetBytes / 4, 8, 8, 2},
        {"a page beyond it still goes, alone", PdfPagePool::kBudgetBytes, 3, 4, 1},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        m_log.mostAtOnce = 0;
        PdfPagePool pool(Plan(c.pages, c.threads, c.pageBytes), [this](int page, std::unique_ptr<PdfPageImage>) {
            m_log.Enter();
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
            m_log.Leave();
            PdfPageOutcome outcome;
            outcome.file = std::to_wstring(page);
            return outcome;
        }, m_stop);
        EXPECT_EQ(TakeAll(pool), Pages(c.pages));
        EXPECT_EQ(m_log.mostAtOnce.load(), c.mostAtOnce);
    }
}

// A kept page holds its pixels until it is taken, so a caller that falls
// behind stops the rendering instead of piling pages up.
TEST_F(PdfPagePoolTest, PagesNotYetTakenHoldTheirShare)
{
    PdfPagePool pool(Plan(8, 8, PdfPagePool::kBudgetBytes / 4), Keeping(), m_stop);
    // Three kept pages (a quarter each) leave less than the half a fourth needs.
    for (int i = 0; i < 200 && m_log.started.load() < 3; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(m_log.started.load(), 3);
    EXPECT_EQ(TakeAll(pool), Pages(8));
}

struct EndCase {
    const char* name;
    bool stop;  // the job's stop flag, otherwise Halt
};

// After a stop or a halt no further page starts, and the caller waiting for
// one that never comes is answered instead of left waiting.
TEST_F(PdfPagePoolTest, StopAndHaltStartNoFurtherPage)
{
    const EndCase kCases[] = {{"stop flag", true}, {"halt", false}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        m_stop = false;
        m_log.started = 0;
        std::atomic<bool> release{false};
        // One page at a time: each fills the budget.
        PdfPagePool pool(Plan(8, 2, PdfPagePool::kBudgetBytes / 2), [&](int page, std::unique_ptr<PdfPageImage>) {
            m_log.Enter();
            for (int i = 0; i < 3000 && !release; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            m_log.Leave();
            PdfPageOutcome outcome;
            outcome.file = std::to_wstring(page);
            return outcome;
        }, m_stop);
        for (int i = 0; i < 3000 && m_log.started.load() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (c.stop)
            m_stop = true;
        else
            pool.Halt();
        release = true;
        EXPECT_EQ(TakeAll(pool), Pages(1));
        EXPECT_EQ(m_log.started.load(), 1);
    }
}

TEST_F(PdfPagePoolTest, UnreadableBytesGiveEveryPageAsNotRendered)
{
    m_bytes = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'd', 'f'};
    std::atomic<int> rendered{0};
    PdfPagePool pool(Plan(3, 2, 1), [&](int page, std::unique_ptr<PdfPageImage> image) {
        if (image) ++rendered;
        PdfPageOutcome outcome;
        outcome.file = std::to_wstring(page);
        return outcome;
    }, m_stop);
    EXPECT_EQ(TakeAll(pool), Pages(3));
    EXPECT_EQ(rendered.load(), 0);
}

}  // namespace
