#include "app/modules/imagecompress/CImgConvertTask.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "app/core/SStringBridge.h"
#include "app/core/SameFile.h"
#include "app/core/TextEncoding.h"

namespace {

struct StageRow {
    int stage;
    const char* filter;
    int base;
    int span;
};

// Registered in this order: load, resize, both dithering passes, save.
constexpr StageRow kStages[] = {
    {kImageStageLoad, "Load/", 0, 20},   {kImageStageResize, "Resiz", 20, 20}, {kImageStageDither, "Dithe", 40, 25},
    {kImageStageDitherMap, "Dithe", 65, 20}, {kImageStageSave, "Save/", 85, 15},
};

struct TargetSize {
    bool wanted = false;
    long long width = 0;
    long long height = 0;
};

// In 64 bits: a negative scale or size from a hand-edited settings file
// would otherwise wrap into a huge unsigned size.
TargetSize ComputeTarget(const ImageConvertOptions& o, uint32_t w, uint32_t h)
{
    TargetSize t;
    if (o.width != -1 && o.height != -1) {
        t = {true, o.width, o.height};
    } else if (o.scalePercent != 100) {
        t = {true, static_cast<long long>(w) * o.scalePercent / 100, static_cast<long long>(h) * o.scalePercent / 100};
    }
    return t;
}

bool FitsBudget(const TargetSize& t)
{
    if (t.width < 0 || t.height < 0 || t.width > UINT32_MAX || t.height > UINT32_MAX) return false;
    return static_cast<unsigned long long>(t.width) * static_cast<unsigned long long>(t.height) <= kMaxTargetPixels;
}

} // namespace

CImgConvertTask::CImgConvertTask(IImageEngine& engine) : m_engine(engine)
{
}

bool CImgConvertTask::Cancel()
{
    cancelFlag->exchange(true);
    if (progressValue) progressValue->exchange(100);
    return true;
}

bool CImgConvertTask::Run(CImgTaskResult* result)
{
    if (!result) return false;
    startedFlag.exchange(true);
    const Texts texts{ToUtf8(ToStdString(result->sourcePath)), ToUtf8(ToStdString(result->outputPath)),
                      ToUtf8(ToStdString(options.formatName))};
    ScopedImageConverter converter(m_engine);
    std::vector<std::unique_ptr<CCMNProgress>> monitors;
    for (const StageRow& row : kStages) {
        monitors.push_back(
            std::make_unique<CCMNProgress>(row.stage, row.filter, row.base, row.span, progressValue, cancelFlag));
        if (converter) converter->SetMonitor(row.stage, monitors.back().get());
    }
    Outcome outcome = Outcome::Failed;
    if (converter && !Cancelled() && !texts.source.empty()) outcome = Convert(*converter.operator->(), texts, *result);
    if (outcome == Outcome::Failed && converter) result->message = ToSString(FromUtf8(converter->GetLastErrorText()));
    // Released before the monitors it points at go.
    converter.Release();
    // Never delete what is really the source.
    const bool outputIsSource = IsSameFile(ToStdString(result->sourcePath), ToStdString(result->outputPath));
    const bool ok = outcome == Outcome::Done || outcome == Outcome::Cancelled;
    if ((Cancelled() || !ok) && !outputIsSource && !result->outputPath.IsEmpty()) _wremove(result->outputPath.c_str());
    Finish(*result, ok);
    return true;
}

CImgConvertTask::Outcome CImgConvertTask::Convert(IImageConverter& c, const Texts& texts, CImgTaskResult& result)
{
    if (IsSameFile(ToStdString(result.sourcePath), ToStdString(result.outputPath))) {
        result.message = kOutputIsSource;
        return Outcome::FailedOwnText;
    }
    if (!c.Load(texts.source.c_str())) return Outcome::Failed;
    if (Cancelled()) return Outcome::Cancelled;
    if (options.prepareFlag) {
        (void)c.PrepareImage(0);
        if (Cancelled()) return Outcome::Cancelled;
    }
    const ImageEngineInfo info = c.GetInfo();
    if (Cancelled()) return Outcome::Cancelled;
    if (!c.SetOutputFormat(texts.format.c_str())) return Outcome::Failed;
    if (Cancelled()) return Outcome::Cancelled;
    const Outcome resized = ResizeStep(c, info, result);
    if (resized != Outcome::Done) return resized;
    if (!c.SetEncoding(options.quality, texts.format.c_str(), static_cast<uint32_t>(options.targetSize)))
        return Outcome::Failed;
    if (Cancelled()) return Outcome::Cancelled;
    if (options.dpi != -1) {
        if (!c.SetResolution(options.dpi, 1)) return Outcome::Failed;
        if (Cancelled()) return Outcome::Cancelled;
    }
    if (!c.Save(texts.output.c_str())) return Outcome::Failed;
    return Outcome::Done;
}

CImgConvertTask::Outcome CImgConvertTask::ResizeStep(IImageConverter& c, const ImageEngineInfo& info,
                                                      CImgTaskResult& result)
{
    const TargetSize target = ComputeTarget(options, info.width, info.height);
    if (!target.wanted) return Outcome::Done;
    if (!FitsBudget(target)) {
        result.message = kImageTooLarge;
        return Outcome::FailedOwnText;
    }
    if (!c.Resize(static_cast<uint32_t>(target.width), static_cast<uint32_t>(target.height))) return Outcome::Failed;
    return Cancelled() ? Outcome::Cancelled : Outcome::Done;
}

void CImgConvertTask::Finish(CImgTaskResult& result, bool ok)
{
    result.cancelled = Cancelled() ? 1 : 0;
    result.status = ok ? IMG_STATUS_SUCCEEDED : IMG_STATUS_FAILED;
    if (progressValue) progressValue->exchange(100);
}
