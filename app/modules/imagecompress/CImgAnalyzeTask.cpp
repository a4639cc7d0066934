#include "app/modules/imagecompress/CImgAnalyzeTask.h"

#include "app/core/SStringBridge.h"
#include "app/core/TextEncoding.h"

namespace {

constexpr int kAnalyzeFailed = 2;

} // namespace

DUI::SStringW FormatAnalyzedSize(uint64_t bytes)
{
    static const wchar_t* const kUnits[] = {L"B", L"KB", L"MB", L"GB"};
    uint64_t n = bytes;
    uint64_t rem = 0;
    size_t unit = 0;
    // Past GB the number keeps growing rather than running off the units.
    while (n >= 1024 && unit + 1 < std::size(kUnits)) {
        rem = n % 1024;
        n /= 1024;
        ++unit;
    }
    DUI::SStringW text;
    text.Format(L"%lld.%02d%s", static_cast<long long>(n), static_cast<int>(rem / 10.24), kUnits[unit]);
    return text;
}

int CImgAnalyzeTask::Run(CImgTaskResult* result)
{
    if (!result || result->sourcePath.IsEmpty()) return kAnalyzeFailed;
    ImageEngineInfo info{};
    {
        ScopedImageConverter converter(m_engine);
        if (!converter) return kAnalyzeFailed;
        (void)converter->GetFileInfo(&info, ToUtf8(ToStdString(result->sourcePath)).c_str(), 0, 0);
    }
    if (info.failed) {
        result->status = IMG_STATUS_UNREADABLE;
        return kAnalyzeFailed;
    }
    result->sizeText = FormatAnalyzedSize(info.fileSize);
    result->width = info.width;
    result->height = info.height;
    result->dimensionsText.Format(L"%d*%d", static_cast<int>(info.width), static_cast<int>(info.height));
    result->status = IMG_STATUS_READ;
    return 0;
}
