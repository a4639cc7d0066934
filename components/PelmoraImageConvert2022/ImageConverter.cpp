#include "components/PelmoraImageConvert2022/ImageConverter.h"

#include "components/PelmoraImageConvert2022/EngineFailure.h"
#include "components/PelmoraImageConvert2022/FilePaths.h"
#include "components/PelmoraImageConvert2022/JpegCoefficients.h"
#include "components/PelmoraImageConvert2022/Orientation.h"
#include "components/PelmoraImageConvert2022/OutputFile.h"
#include "components/PelmoraImageConvert2022/Resampler.h"
#include "components/PelmoraImageConvert2022/SourceFile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <new>

namespace pelmora {

namespace {

void FillInfo(ImageEngineInfo& info, SourceFormat format, std::uint64_t fileSize, std::uint32_t width, std::uint32_t height)
{
    std::memset(&info, 0, sizeof info);
    std::strncpy(info.formatName, FormatName(format), sizeof info.formatName - 1);
    info.fileSize = static_cast<std::uint32_t>(std::min<std::uint64_t>(fileSize, 0xFFFFFFFFu));
    info.width = width;
    info.height = height;
}

std::string Upper(const char* text)
{
    std::string s = text ? text : "";
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

ImageConverter::ImageConverter() = default;
ImageConverter::~ImageConverter() = default;

template <typename Step>
bool ImageConverter::Guard(Step&& step)
{
    try {
        step();
        m_error.clear();
        return true;
    } catch (const EngineFailure& failure) {
        m_error = failure.what();
    } catch (const std::bad_alloc&) {
        m_error = texts::kOutOfMemory;
    } catch (const std::length_error&) {
        m_error = texts::kOutOfMemory;
    } catch (const std::exception&) {
        m_error = texts::kCorrupt;
    } catch (...) {
        m_error = texts::kCorrupt;
    }
    return false;
}

void ImageConverter::RequireImage() const
{
    if (!m_jpeg && m_image.Empty()) Fail(texts::kNothingLoaded);
}

bool ImageConverter::CoefficientsSuffice() const
{
    return m_jpeg && m_jpeg->Orientation() == 1;
}

PixelImage& ImageConverter::Pixels()
{
    if (m_jpeg) {
        m_image = m_jpeg->DecodePixels(m_progress);
        m_jpeg.reset();
    }
    return m_image;
}

OutputKind ImageConverter::ParseOutput(const char* format) const
{
    std::optional<OutputKind> kind = OutputForName(Upper(format));
    if (!kind) Fail(texts::kUnsupportedFormat);
    return *kind;
}

void ImageConverter::SetMonitor(int stage, IMonitorProgress* monitor)
{
    m_progress.SetMonitor(stage, monitor);
}

bool ImageConverter::ReservedSlot3() { return Guard([] { Fail(texts::kUnsupportedCall); }); }
bool ImageConverter::ReservedSlot5() { return Guard([] { Fail(texts::kUnsupportedCall); }); }
bool ImageConverter::ReservedSlot7() { return Guard([] { Fail(texts::kUnsupportedCall); }); }
bool ImageConverter::ReservedSlot8() { return Guard([] { Fail(texts::kUnsupportedCall); }); }
bool ImageConverter::ReservedSlot9() { return Guard([] { Fail(texts::kUnsupportedCall); }); }

bool ImageConverter::PrepareImage(int flags)
{
    return Guard([&] {
        RequireImage();
        if (!CoefficientsSuffice()) ApplyOrientation(Pixels(), m_progress);
    });
}

bool ImageConverter::SetOutputFormat(const char* format)
{
    return Guard([&] { m_output = ParseOutput(format); });
}

bool ImageConverter::Load(const char* path)
{
    return Guard([&] {
        m_image = PixelImage{};
        m_jpeg.reset();
        m_progress.CheckCancelled();
        SourceFile source(WidePath(path));
        SourceFormat format = DetectFormat(source.Data(), source.Size());
        if (format == SourceFormat::Unknown) Fail(texts::kUnsupportedFormat);
        // A JPEG stays coefficients until something needs its pixels.
        if (format == SourceFormat::Jpeg && JpegCoefficients::Suits(source.Data(), source.Size()))
            m_jpeg = std::make_unique<JpegCoefficients>(source.Data(), source.Size(), m_progress);
        else
            m_image = DecodeImage(format, source.Data(), source.Size(), m_progress);
        m_sourceFormat = format;
        m_fileSize = static_cast<std::uint32_t>(std::min<std::size_t>(source.Size(), 0xFFFFFFFFu));
    });
}

bool ImageConverter::GetFileInfo(ImageEngineInfo* info, const char* path, int reserved1, int reserved2)
{
    if (!info) return Guard([] { Fail(texts::kUnsupportedCall); });
    std::memset(info, 0, sizeof *info);
    bool ok = Guard([&] {
        SourceFile source(WidePath(path));
        SourceFormat format = DetectFormat(source.Data(), source.Size());
        if (format == SourceFormat::Unknown) Fail(texts::kUnsupportedFormat);
        HeaderInfo header = ReadHeader(format, source.Data(), source.Size());
        bool swap = SwapsAxes(header.orientation);
        FillInfo(*info, format, source.Size(), swap ? header.height : header.width, swap ? header.width : header.height);
    });
    if (!ok) info->failed = 1;
    return ok;
}

bool ImageConverter::Save(const char* path)
{
    return Guard([&] {
        RequireImage();
        if (!m_output) Fail(texts::kNoOutputFormat);
        ByteBuffer bytes = m_targetBytes > 0 && IsLossy(*m_output) ? EncodeToTarget(*m_output) : Encode(*m_output, EncodeSettings{m_quality, m_dpi, false});
        m_progress.CheckCancelled();
        WriteOutputFile(WidePath(path), bytes);
    });
}

ByteBuffer ImageConverter::Encode(OutputKind kind, const EncodeSettings& settings)
{
    if (kind == OutputKind::Jpeg && CoefficientsSuffice()) return m_jpeg->Encode(settings, m_progress);
    PixelImage& image = Pixels();
    ApplyOrientation(image, m_progress);
    return EncodeImage(kind, image, settings, m_progress);
}

// The highest quality whose file fits: a binary search that never touches the
// pixel size, so photos keep the dimensions asked for.
ByteBuffer ImageConverter::EncodeToTarget(OutputKind kind)
{
    ByteBuffer best;
    int lo = 1, hi = 100;
    while (lo <= hi) {
        int quality = (lo + hi) / 2;
        ByteBuffer bytes = Encode(kind, EncodeSettings{quality, m_dpi, true});
        if (bytes.size() <= m_targetBytes) {
            best = std::move(bytes);
            lo = quality + 1;
        } else {
            hi = quality - 1;
        }
    }
    if (best.empty()) Fail(texts::kTargetSizeMissed);
    return best;
}

bool ImageConverter::SetEncoding(int quality, const char* format, std::uint32_t targetBytes)
{
    return Guard([&] {
        if (format && *format) m_output = ParseOutput(format);
        m_quality = std::clamp(quality, 1, 100);
        m_targetBytes = targetBytes;
    });
}

bool ImageConverter::Resize(std::uint32_t width, std::uint32_t height)
{
    return Guard([&] {
        RequireImage();
        CheckPixelBudget(width, height);
        if (CoefficientsSuffice() && width == m_jpeg->Width() && height == m_jpeg->Height()) return;
        ApplyOrientation(Pixels(), m_progress);
        if (width == m_image.width && height == m_image.height) return;
        m_image = ResizeImage(m_image, width, height, m_progress);
    });
}

bool ImageConverter::SetResolution(double resolution, int unit)
{
    return Guard([&] {
        double dpi = unit == 2 ? resolution * 2.54 : resolution;
        if (!std::isfinite(dpi) || dpi <= 0 || dpi > 65535) Fail(texts::kBadResolution);
        m_dpi = dpi;
    });
}

ImageEngineInfo ImageConverter::GetInfo()
{
    ImageEngineInfo info;
    std::uint32_t width = m_jpeg ? m_jpeg->Width() : m_image.width;
    std::uint32_t height = m_jpeg ? m_jpeg->Height() : m_image.height;
    bool swap = SwapsAxes(m_jpeg ? m_jpeg->Orientation() : m_image.orientation);
    FillInfo(info, m_sourceFormat, m_fileSize, swap ? height : width, swap ? width : height);
    if (!m_jpeg && m_image.Empty()) info.failed = 1;
    return info;
}

const char* ImageConverter::GetLastErrorText()
{
    return m_error.c_str();
}

}  // namespace pelmora
