// RenderPdfToImages (declared in PdfRenderer.h): the per-file loop over the
// pages, single page files or long pictures, and the clean-up after a failure.
#include <winsock2.h>
#include <windows.h>
#include <gdiplus.h>

#include <poppler-document.h>
#include <poppler-global.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <future>
#include <mutex>
#include <set>

#include "app/core/SStringBridge.h"
#include "app/core/UniqueFileName.h"
#include "app/modules/pdf2image/PdfLongPicture.h"
#include "app/modules/pdf2image/PdfPageRange.h"
#include "app/modules/pdf2image/PdfRenderer.h"

namespace {

const wchar_t kParseFailed[] = L"解析PDF失败";
const wchar_t kRenderFailed[] = L"渲染PDF页面失败";
const wchar_t kWrapFailed[] = L"加载PDF页面失败";
const wchar_t kSaveFailed[] = L"保存图片失败";
const wchar_t kStopped[] = L"用户退出";

// GDI+ and poppler's message hook are process-wide; started once and kept
// until the process ends, since any worker may render at any time.
void StartEnginesOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token, &input, nullptr);
        // poppler reports every font it substitutes; nobody reads that.
        poppler::set_debug_error_function([](const std::string&, void*) {}, nullptr);
    });
}

std::wstring ReserveOutputFile(const std::wstring& folder, const std::wstring& name, const std::wstring& extension)
{
    return ToStdString(ReserveUniqueFile(ToSString(folder), ToSString(name), ToSString(extension)));
}

struct HeldPage {
    std::unique_ptr<PdfPageImage> image;
    std::unique_ptr<Gdiplus::Bitmap> bitmap;  // wraps image's pixels, so dies first
};

struct PendingSave {
    std::wstring file;
    HeldPage page;
    std::future<bool> saved;  // declared last: its end waits for the encode using `page`
};

class PdfImagesRun {
public:
    PdfImagesRun(PdfRenderJob& job, std::vector<std::wstring>& written, const PdfRenderOptions& options)
        : m_job(job), m_written(written), m_options(options)
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
            Fail(-1, kRenderFailed, m_options.path);
        }
        Finish();
    }

private:
    bool Stopped() const { return m_job.stop.load(); }

    void Fail(int code, const wchar_t* message, const std::wstring& detail)
    {
        if (!m_error && m_job.onFailure) m_job.onFailure(code, message, detail);
        m_error = true;
    }

    void Progress(double percent)
    {
        if (m_job.onProgress) m_job.onProgress(percent);
    }

    bool LoadDocument()
    {
        std::vector<char> bytes = ReadFileBytes(m_options.path);
        m_doc.reset(poppler::document::load_from_data(&bytes));
        // A document that needs a password has no pages to offer; an empty one
        // would silently produce nothing.
        if (!m_doc || m_doc->is_locked() || m_doc->pages() < 1) {
            Fail(-1, kParseFailed, m_options.path);
            return false;
        }
        return true;
    }

    std::set<int> SelectPages() const
    {
        int count = m_doc->pages();
        std::vector<int> pages = ParsePageRange(count, m_options.rangeText);
        if (pages.empty()) pages = ParsePageRange(count, L"1-");
        return std::set<int>(pages.begin(), pages.end());
    }

    void RenderPages(const std::set<int>& pages)
    {
        m_total = static_cast<int>(pages.size());
        for (int page : pages) {
            if (Stopped() || !RenderOne(page)) break;
            if (m_options.longPicture) {
                ++m_done;
                Progress(m_done * 100.0 / m_total * 0.5);
            } else {
                WaitForSaves(SavesInFlight());
            }
            if (m_error) break;
        }
        WaitForSaves(0);
    }

    bool RenderOne(int page)
    {
        HeldPage held;
        held.image = RenderPage(*m_doc, page - 1, m_options.resolution);
        if (!held.image) {
            Fail(-1, kRenderFailed, m_options.path);
            return false;
        }
        const PdfPageImage& img = *held.image;
        // The bitmap is only read from (encoded, or drawn onto a canvas).
        held.bitmap = std::make_unique<Gdiplus::Bitmap>(img.width, img.height, img.bytesPerRow, PixelFormat32bppARGB,
                                                        const_cast<BYTE*>(img.pixels));
        if (held.bitmap->GetLastStatus() != Gdiplus::Ok) {
            Fail(-1, kWrapFailed, m_options.path);
            return false;
        }
        if (Stopped()) return false;
        if (m_options.longPicture) {
            KeepForLongPicture(std::move(held));
            return true;
        }
        return StartSave(std::move(held), std::to_wstring(page));
    }

    // Encoding takes as long as rendering, and only rendering is serialised:
    // a page is encoded on its own thread while the next one renders.
    bool StartSave(HeldPage held, const std::wstring& name)
    {
        if (!FormatCanHold(m_options.extension, held.image->width, held.image->height)) {
            Fail(-3, kSaveFailed, m_options.path);
            return false;
        }
        std::wstring file = ReserveFor(*held.bitmap, name);
        if (file.empty()) return false;
        m_lastPageBytes = static_cast<long long>(held.image->bytesPerRow) * held.image->height;
        auto pending = std::make_unique<PendingSave>();
        pending->file = file;
        pending->page = std::move(held);
        Gdiplus::Bitmap* bitmap = pending->page.bitmap.get();
        pending->saved = std::async(std::launch::async, [bitmap, file, extension = m_options.extension] {
            return SaveBitmap(*bitmap, file, extension);
        });
        m_saves.push_back(std::move(pending));
        return true;
    }

    // Pages waiting to be encoded hold their pixels; keep that within bounds.
    size_t SavesInFlight() const
    {
        constexpr long long kPendingBytes = 256LL << 20;
        long long fit = m_lastPageBytes > 0 ? kPendingBytes / m_lastPageBytes : 1;
        return static_cast<size_t>(std::clamp(fit, 1LL, 3LL));
    }

    // Takes finished saves in page order until at most `keep` are left running.
    void WaitForSaves(size_t keep)
    {
        while (m_saves.size() > keep) {
            bool saved = m_saves.front()->saved.get();
            std::wstring file = m_saves.front()->file;
            m_saves.pop_front();
            if (!saved) {
                Fail(-3, kSaveFailed, file);
            } else if (!m_error) {
                ++m_done;
                Progress(m_done * 100.0 / m_total);
            }
        }
    }

    void KeepForLongPicture(HeldPage held)
    {
        if (m_groups.empty() ||
            (m_options.pagesPerPicture > 0 && static_cast<int>(m_groups.back().size()) >= m_options.pagesPerPicture))
            m_groups.emplace_back();
        m_groups.back().push_back(std::move(held));
    }

    // The file for one picture, reserved and listed; empty after a failure.
    std::wstring ReserveFor(Gdiplus::Bitmap& bitmap, const std::wstring& name)
    {
        bitmap.SetResolution(static_cast<Gdiplus::REAL>(m_options.resolution),
                             static_cast<Gdiplus::REAL>(m_options.resolution));
        std::wstring file = ReserveOutputFile(m_options.outputFolder, name, m_options.extension);
        if (file.empty())
            Fail(-3, kSaveFailed, m_options.outputFolder);
        else
            m_written.push_back(file);
        return file;
    }

    bool WritePicture(Gdiplus::Bitmap& bitmap, const std::wstring& name)
    {
        std::wstring file = ReserveFor(bitmap, name);
        if (file.empty()) return false;
        if (!SaveBitmap(bitmap, file, m_options.extension)) {
            Fail(-3, kSaveFailed, file);
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
            Fail(-3, kSaveFailed, m_options.path);
            return false;
        }
        Gdiplus::Bitmap canvas(static_cast<INT>(layout.width), static_cast<INT>(layout.height), PixelFormat32bppARGB);
        if (canvas.GetLastStatus() != Gdiplus::Ok || !DrawPages(canvas, group, layout)) {
            if (!Stopped()) Fail(-3, kSaveFailed, m_options.path);
            return false;
        }
        return WritePicture(canvas, name);
    }

    bool DrawPages(Gdiplus::Bitmap& canvas, const std::vector<HeldPage>& group, const LongPictureLayout& layout)
    {
        Gdiplus::Graphics graphics(&canvas);
        if (graphics.GetLastStatus() != Gdiplus::Ok) return false;
        for (size_t i = 0; i < group.size(); ++i) {
            if (Stopped()) return false;
            const PagePlace& at = layout.places[i];
            Gdiplus::Rect target(static_cast<INT>(at.x), static_cast<INT>(at.y), static_cast<INT>(at.width),
                                 static_cast<INT>(at.height));
            const PdfPageImage& img = *group[i].image;
            if (graphics.DrawImage(group[i].bitmap.get(), target, 0, 0, img.width, img.height, Gdiplus::UnitPixel) !=
                Gdiplus::Ok)
                return false;
        }
        return true;
    }

    void Finish()
    {
        m_saves.clear();  // waits for encodes still running: their files go below
        m_groups.clear();
        m_doc.reset();
        if (!m_error && !Stopped()) return;
        for (const auto& file : m_written) DeleteFileW(file.c_str());
        m_written.clear();
        if (Stopped() && m_job.onFailure) m_job.onFailure(-1, kStopped, m_options.path);
    }

    PdfRenderJob& m_job;
    std::vector<std::wstring>& m_written;
    const PdfRenderOptions& m_options;
    std::unique_ptr<poppler::document> m_doc;
    std::vector<std::vector<HeldPage>> m_groups;
    std::deque<std::unique_ptr<PendingSave>> m_saves;
    long long m_lastPageBytes = 0;
    int m_total = 0;
    int m_done = 0;
    bool m_error = false;
};

}  // namespace

void RenderPdfToImages(PdfRenderJob& job, std::vector<std::wstring>& written, const PdfRenderOptions& options)
{
    job.stop = false;
    written.clear();
    StartEnginesOnce();
    PdfImagesRun(job, written, options).Run();
}
