#include "app/modules/imagecompress/CImgAnalyzeTask.h"

#include "app/core/FileNames.h"
#include "app/core/SStringBridge.h"
#include "app/core/TextEncoding.h"

namespace {

constexpr int kAnalyzeFailed = 2;

} // namespace

DUI::SStringW FormatAnalyzedSize(uint64_t bytes)
{
    const FileSizeParts parts = SplitFileSize(bytes);
    DUI::SStringW text;
    text.Format(L"%lld.%02d%s", static_cast<long long>(parts.whole), static_cast<int>(parts.rest / 10.24), parts.unit);
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
