// RenderPdfToImages (declared in PdfRenderer.h): the per-file loop over the
// pages, single page files or long pictures, and the clean-up after a failure.
#include <winsock2.h>
#include <windows.h>
#include <gdiplus.h>

#include <poppler-document.h>
#include <poppler-global.h>

#include <algorithm>
#include <bit>
#include <climits>
#include <mutex>
#include <optional>
#include <set>
#include <thread>

#include "app/core/UniqueFileName.h"
#include "app/modules/pdf2image/PdfLongPicture.h"
#include "app/modules/pdf2image/PdfPageCosts.h"
#include "app/modules/pdf2image/PdfPagePool.h"
#include "app/modules/pdf2image/PdfPageRange.h"
#include "app/modules/pdf2image/PdfRenderTexts.h"
#include "app/modules/pdf2image/PdfRenderer.h"

namespace {

// GDI+ and poppler's message hook are process-wide; started once and kept
// until the process ends, since any worker may render at any time.
void StartEnginesOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        // Without GDI+ every page fails to wrap; this line says why.
        if (const Gdiplus::Status started = Gdiplus::GdiplusStartup(&token, &input, nullptr); started != Gdiplus::Ok)
            (void)LogFailure(L"pdf2image", CallStatus(L"GdiplusStartup", started, std::wstring()));
        // poppler reports every font it substitutes; nobody reads that.
        poppler::set_debug_error_function([](const std::string&, void*) {}, nullptr);
    });
}

// The processors this process may run on (a restricted affinity counts).
int UsableProcessors()
{
    DWORD_PTR process = 0, system = 0;
    if (GetProcessAffinityMask(GetCurrentProcess(), &process, &system) && process != 0)
        return std::popcount(static_cast<unsigned long long>(process));
    return static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
}

PdfPageOutcome Failure(int code, const wchar_t* message, const std::wstring& detail, CallStatus reason)
{
    PdfPageOutcome outcome;
    outcome.code = code;
    outcome.message = message;
    outcome.detail = detail;
    outcome.reason = std::move(reason);
    return outcome;
}

// What the files of a run are checked against before anything is written.
CallStatus FormatRefuses(const std::wstring& path)
{
    return CallStatus(L"FormatCanHold", ERROR_FILE_TOO_LARGE, path);
}

class PdfImagesRun {
public:
    PdfImagesRun(PdfRenderJob& job, std::vector<std::wstring>& written, const PdfRenderOptions& options, int threads)
        : m_job(job), m_written(written), m_options(options), m_threads(threads)
    {
    }

    void Run()
    {
        try {
            if (LoadDocument()) {
                RenderPages(SelectPages());
                if (m_options.longPicture && !m_error) WriteLongPictures();
            }
        } catch (...) {
            LogCaughtException(L"pdf2image", m_options.path);
            Fail(-1, kPdfRenderFailed, m_options.path, CallStatus());
        }
        Finish();
    }

private:
    bool Stopped() const { return m_job.stop.load(); }

    // The reason goes to the debug log; the user sees the code and the text.
    void Fail(int code, const std::wstring& message, const std::wstring& detail, const CallStatus& reason)
    {
        (void)LogFailure(L"pdf2image", reason);
        if (!m_error && m_job.onFailure) m_job.onFailure(code, message, detail);
        m_error = true;
    }

    void Progress(double percent)
    {
        if (m_job.onProgress) m_job.onProgress(percent);
    }

    bool LoadDocument()
    {
        CallStatus opened = OpenDocument();
        if (!opened) {
            Fail(-1, kPdfParseFailed, m_options.path, opened);
            return false;
        }
        return true;
    }

    CallStatus OpenDocument()
    {
        const std::wstring& path = m_options.path;
        if (CallStatus read = ReadFileBytes(path, m_bytes); !read) return read;
        if (m_bytes.size() > static_cast<size_t>(INT_MAX))
            return CallStatus(L"load_from_raw_data", ERROR_FILE_TOO_LARGE, path);
        // The page threads load their own documents over the same bytes.
        if (!m_bytes.empty())
            m_doc.reset(poppler::document::load_from_raw_data(m_bytes.data(), static_cast<int>(m_bytes.size())));
        if (!m_doc) return CallStatus(L"load_from_raw_data", ERROR_INVALID_DATA, path);
        // A document that needs a password has no pages to offer; an empty one
        // would silently produce nothing.
        if (m_doc->is_locked()) return CallStatus(L"is_locked", ERROR_FILE_ENCRYPTED, path);
        if (PageCountOf(*m_doc) < 1) return CallStatus(L"pages", ERROR_INVALID_DATA, path);
        return CallStatus();
    }

    std::set<int> SelectPages() const
    {
        int count = PageCountOf(*m_doc);
        std::vector<int> pages = ParsePageRange(count, m_options.rangeText);
        if (pages.empty()) pages = ParsePageRange(count, L"1-");
        return std::set<int>(pages.begin(), pages.end());
    }

    PdfPagePlan Plan(const std::set<int>& pages) const
    {
        PdfPagePlan plan;
        plan.bytes = &m_bytes;
        plan.pages.assign(pages.begin(), pages.end());
        for (int page : pages) plan.pageBytes.push_back(PageRenderBytes(*m_doc, page - 1, m_options.resolution));
        plan.resolution = m_options.resolution;
        plan.threads = m_threads;
        // With one thread the order changes nothing but the progress.
        if (m_threads > 1) plan.startOrder = HeavyPagesFirst(EstimatePageCosts(m_bytes, plan.pages));
        return plan;
    }

    // Pages render and save on the pool's threads; their outcomes come back
    // in page order, so progress, the written list and the first failure
    // reported are those of one page at a time.
    void RenderPages(const std::set<int>& pages)
    {
        m_total = static_cast<int>(pages.size());
        PdfPagePool pool(Plan(pages), [this](int page, std::unique_ptr<PdfPageImage> image) {
            return FinishPage(page, std::move(image));
        }, m_job.stop);
        for (int done = 0; done < m_total && !Stopped(); ++done) {
            std::optional<PdfPageOutcome> outcome = pool.TakeNext();
            if (!outcome) {
                // No thread could start.
                if (!Stopped())
                    Fail(-1, kPdfRenderFailed, m_options.path,
                         CallStatus(L"std::thread", ERROR_NOT_ENOUGH_MEMORY, m_options.path));
                break;
            }
            if (outcome->code != 0) {
                Fail(outcome->code, outcome->message, outcome->detail.empty() ? m_options.path : outcome->detail,
                     outcome->reason);
                break;
            }
            if (outcome->stopped) break;
            TakePage(std::move(*outcome));
            Progress((done + 1) * 100.0 / m_total * (m_options.longPicture ? 0.5 : 1.0));
        }
    }

    void TakePage(PdfPageOutcome outcome)
    {
        if (m_options.longPicture)
            KeepForLongPicture(std::move(outcome.kept));
        else
            m_written.push_back(outcome.file);
    }

    // On a pool thread: wraps the page, then keeps it for the long picture or
    // writes its file.
    PdfPageOutcome FinishPage(int page, std::unique_ptr<PdfPageImage> image)
    {
        if (!image)
            return Failure(-1, kPdfRenderFailed, m_options.path,
                           CallStatus(L"displayPageSlice", ERROR_INVALID_DATA, PageName(page)));
        HeldPage held;
        held.image = std::move(image);
        const PdfPageImage& img = *held.image;
        // The bitmap is only read from (encoded, or drawn onto a canvas).
        held.bitmap = std::make_unique<Gdiplus::Bitmap>(img.width, img.height, img.bytesPerRow, PixelFormat32bppARGB,
                                                        const_cast<BYTE*>(img.pixels));
        if (const Gdiplus::Status wrapped = held.bitmap->GetLastStatus(); wrapped != Gdiplus::Ok)
            return Failure(-1, kPdfWrapFailed, m_options.path,
                           CallStatus(L"GdipCreateBitmapFromScan0", wrapped, PageName(page)));
        PdfPageOutcome outcome;
        if (Stopped()) {
            outcome.stopped = true;
        } else if (m_options.longPicture) {
            outcome.kept = std::move(held);
        } else {
            outcome = SavePage(held, std::to_wstring(page));
        }
        return outcome;
    }

    PdfPageOutcome SavePage(HeldPage& held, const std::wstring& name)
    {
        if (!FormatCanHold(m_options.extension, held.image->width, held.image->height))
            return Failure(-3, kPdfSaveFailed, m_options.path, FormatRefuses(PageName(name)));
        std::wstring file;
        if (CallStatus reserved = ReserveFor(*held.bitmap, name, file); !reserved)
            return Failure(-3, kPdfSaveFailed, m_options.outputFolder, std::move(reserved));
        if (CallStatus saved = SaveBitmap(*held.bitmap, file, m_options.extension); !saved)
            return Failure(-3, kPdfSaveFailed, file, std::move(saved));
        PdfPageOutcome saved;
        saved.file = file;
        return saved;
    }

    void KeepForLongPicture(HeldPage held)
    {
        if (m_groups.empty() ||
            (m_options.pagesPerPicture > 0 && static_cast<int>(m_groups.back().size()) >= m_options.pagesPerPicture))
            m_groups.emplace_back();
        m_groups.back().push_back(std::move(held));
    }

    // The source and a page (or picture name) in it, for the debug log.
    std::wstring PageName(int page) const { return PageName(std::to_wstring(page)); }
    std::wstring PageName(const std::wstring& name) const { return m_options.path + L" (" + name + L")"; }

    // The file for one picture, reserved and recorded for the clean-up.
    // Any thread.
    CallStatus ReserveFor(Gdiplus::Bitmap& bitmap, const std::wstring& name, std::wstring& file)
    {
        bitmap.SetResolution(static_cast<Gdiplus::REAL>(m_options.resolution),
                             static_cast<Gdiplus::REAL>(m_options.resolution));
        CallStatus reserved = ReserveUniqueFile(m_options.outputFolder, name, m_options.extension, file);
        if (reserved) {
            std::lock_guard<std::mutex> hold(m_reservedLock);
            m_reserved.push_back(file);
        }
        return reserved;
    }

    bool WritePicture(Gdiplus::Bitmap& bitmap, const std::wstring& name)
    {
        std::wstring file;
        if (CallStatus reserved = ReserveFor(bitmap, name, file); !reserved) {
            Fail(-3, kPdfSaveFailed, m_options.outputFolder, reserved);
            return false;
        }
        m_written.push_back(file);
        if (CallStatus saved = SaveBitmap(bitmap, file, m_options.extension); !saved) {
            Fail(-3, kPdfSaveFailed, file, saved);
            return false;
        }
        return true;
    }

    void WriteLongPictures()
    {
        const size_t groups = m_groups.size();
        for (size_t i = 0; i < groups && !Stopped(); ++i) {
            std::wstring name = m_options.title;
            if (groups > 1) name += std::to_wstring(i + 1);
            if (!WriteLongPicture(m_groups[i], name)) return;
            Progress(50 + 50.0 * (i + 1) / groups);
        }
    }

    bool WriteLongPicture(const std::vector<HeldPage>& group, const std::wstring& name)
    {
        std::vector<PageSize> sizes;
        for (const auto& page : group) sizes.push_back({page.image->width, page.image->height});
        LongPictureLayout layout = LayOutLongPicture(sizes, m_options.horizontal);
        // A picture the format cannot hold is a failed save, never a crash.
        if (!FormatCanHold(m_options.extension, layout.width, layout.height)) {
            Fail(-3, kPdfSaveFailed, m_options.path, FormatRefuses(PageName(name)));
            return false;
        }
        Gdiplus::Bitmap canvas(static_cast<INT>(layout.width), static_cast<INT>(layout.height), PixelFormat32bppARGB);
        CallStatus drawn = canvas.GetLastStatus() != Gdiplus::Ok
                               ? CallStatus(L"GdipCreateBitmapFromScan0", canvas.GetLastStatus(), PageName(name))
                               : DrawPages(canvas, group, layout, name);
        if (!drawn) {
            if (!Stopped()) Fail(-3, kPdfSaveFailed, m_options.path, drawn);
            return false;
        }
        return WritePicture(canvas, name);
    }

    CallStatus DrawPages(Gdiplus::Bitmap& canvas, const std::vector<HeldPage>& group, const LongPictureLayout& layout,
                         const std::wstring& name)
    {
        Gdiplus::Graphics graphics(&canvas);
        if (graphics.GetLastStatus() != Gdiplus::Ok)
            return CallStatus(L"GdipGetImageGraphicsContext", graphics.GetLastStatus(), PageName(name));
        for (size_t i = 0; i < group.size(); ++i) {
            if (Stopped()) return CallStatus(L"stopped", ERROR_CANCELLED, PageName(name));
            const PagePlace& at = layout.places[i];
            Gdiplus::Rect target(static_cast<INT>(at.x), static_cast<INT>(at.y), static_cast<INT>(at.width),
                                 static_cast<INT>(at.height));
            const PdfPageImage& img = *group[i].image;
            const Gdiplus::Status drawn =
                graphics.DrawImage(group[i].bitmap.get(), target, 0, 0, img.width, img.height, Gdiplus::UnitPixel);
            if (drawn != Gdiplus::Ok) return CallStatus(L"GdipDrawImageRectRectI", drawn, PageName(name));
        }
        return CallStatus();
    }

    // The pool has ended (every page thread joined) before this runs. After a
    // failure or a stop, every file reserved goes, also those of pages beyond
    // the failed one that other threads had already written.
    void Finish()
    {
        m_groups.clear();
        m_doc.reset();
        if (!m_error && !Stopped()) return;
        for (const auto& file : m_reserved) DeleteFileW(file.c_str());
        m_reserved.clear();
        m_written.clear();
        if (Stopped() && m_job.onFailure) m_job.onFailure(-1, kPdfStopped, m_options.path);
    }

    PdfRenderJob& m_job;
    std::vector<std::wstring>& m_written;
    const PdfRenderOptions& m_options;
    const int m_threads;
    std::vector<char> m_bytes;  // poppler reads the documents from it: declared before them
    std::unique_ptr<poppler::document> m_doc;
    std::vector<std::vector<HeldPage>> m_groups;
    std::mutex m_reservedLock;
    std::vector<std::wstring> m_reserved;
    int m_total = 0;
    bool m_error = false;
};

}  // namespace

int RenderThreadCount()
{
    return std::clamp(UsableProcessors(), 1, kMaxRenderThreads);
}

void RenderPdfToImages(PdfRenderJob& job, std::vector<std::wstring>& written, const PdfRenderOptions& options)
{
    RenderPdfToImages(job, written, options, RenderThreadCount());
}

void RenderPdfToImages(PdfRenderJob& job, std::vector<std::wstring>& written, const PdfRenderOptions& options,
                       int renderThreads)
{
    job.stop = false;
    written.clear();
    StartEnginesOnce();
    PdfImagesRun(job, written, options, std::max(1, renderThreads)).Run();
}
