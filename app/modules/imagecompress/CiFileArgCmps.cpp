#include "app/modules/imagecompress/CiFileArgCmps.h"

#include <cstdint>
#include <cwchar>

#include "app/core/GlobalSetting.h"
#include "app/core/SStringBridge.h"

namespace {

// Quality factors times this give the encoder's quality: 35, 21 and 49.
constexpr double kQualityScale = 70.0;

double QualityFactor(const CompressArgs& args)
{
    if (args.mode == COMPRESS_BY_RATIO || args.mode == COMPRESS_TO_PIXELS || args.mode == COMPRESS_TO_SIZE)
        return 0.5;
    if (args.fastQuality == 1) return 0.3;
    if (args.fastQuality == 2) return 0.7;
    return 0.5;
}

} // namespace

int RatioToPercent(double ratio)
{
    return static_cast<int>(ratio * 100.0);
}

CiFileArgCmps::CiFileArgCmps(CompressArgs& working) : m_working(working)
{
    SetSection(kImageSettingsSection);
}

DUI::SStringW CiFileArgCmps::GetStringS(const wchar_t* key, const DUI::SStringW& def) const
{
    return ToSString(GetString(key, ToStdString(def)));
}

void CiFileArgCmps::Load()
{
    stored = CompressArgs();
    CompressArgs& a = stored;
    a.dir = GetStringS(L"dir", a.dir);
    a.formatKey = GetStringS(L"format", a.formatKey);
    a.outputType = GetInt(L"outputType", a.outputType);
    a.mode = GetInt(L"mode", a.mode);
    a.fastQuality = GetInt(L"fast_quality", a.fastQuality);
    a.ratioQuality = GetInt(L"ratio_quality", a.ratioQuality);
    a.ratioSize = GetInt(L"ratio_size", RatioToPercent(a.ratioSize)) / 100.0;
    a.pixelWidth = GetInt(L"pixel_width", a.pixelWidth);
    a.pixelHeight = GetInt(L"pixel_height", a.pixelHeight);
    ReadFileSize();
    MatchWritableFormat();
}

// Sizes past 2 GB are kept: the 64-bit value's low 32 bits, read as unsigned
// when they reach the engine.
void CiFileArgCmps::ReadFileSize()
{
    const std::wstring text = GetString(L"filesize", L"");
    if (text.empty()) return;
    const long long value = _wcstoi64(text.c_str(), nullptr, 10);
    stored.fileSize = static_cast<int>(static_cast<uint32_t>(static_cast<unsigned long long>(value)));
}

// An unknown key, "keepfmt" among them, keeps the source's format.
void CiFileArgCmps::MatchWritableFormat()
{
    CompressArgs& a = stored;
    for (const ImageFormatInfo& row : CompressModeTable::Instance().GetWritableFormats()) {
        if (row.extension != a.formatKey) continue;
        a.formatId = row.id;
        a.formatName = row.upperName;
        a.formatRow.readable = row.readable;
        a.formatRow.writable = row.writable;
        break;
    }
    a.formatRow.id = a.formatId;
    a.formatRow.extension = a.formatKey;
    a.formatRow.upperName = a.formatName;
}

int CiFileArgCmps::Save()
{
    if (m_filePath.empty()) return 0;
    const CompressArgs& a = stored;
    WriteString(L"dir", ToStdString(a.dir));
    (void)WriteInt(L"outputType", a.outputType);
    WriteString(L"format", ToStdString(a.formatKey));
    (void)WriteInt(L"mode", a.mode);
    (void)WriteInt(L"fast_quality", a.fastQuality);
    (void)WriteInt(L"ratio_quality", a.ratioQuality);
    (void)WriteInt(L"ratio_size", RatioToPercent(a.ratioSize));
    (void)WriteInt(L"pixel_width", a.pixelWidth);
    (void)WriteInt(L"pixel_height", a.pixelHeight);
    (void)WriteInt(L"filesize", a.fileSize);
    return 1;
}

int CiFileArgCmps::SetWorkingInt(int CompressArgs::*field, int value)
{
    if (m_working.*field == value) return 1;
    m_working.*field = value;
    stored = m_working;
    return 0;
}

int CiFileArgCmps::SetRatioQuality(int value) { return SetWorkingInt(&CompressArgs::ratioQuality, value); }
int CiFileArgCmps::SetPixelWidth(int value) { return SetWorkingInt(&CompressArgs::pixelWidth, value); }
int CiFileArgCmps::SetPixelHeight(int value) { return SetWorkingInt(&CompressArgs::pixelHeight, value); }
int CiFileArgCmps::SetFileSize(int value) { return SetWorkingInt(&CompressArgs::fileSize, value); }

int CiFileArgCmps::SetRatioSize(double value)
{
    if (RatioToPercent(value) == RatioToPercent(m_working.ratioSize)) return 1;
    m_working.ratioSize = value;
    stored = m_working;
    return 0;
}

int CiFileArgCmps::SetFormat(const DUI::SStringW& key)
{
    m_working.SetFormatKey(key);
    stored = m_working;
    return 0;
}

ImageConvertOptions CiFileArgCmps::BuildConvertOptions() const
{
    const CompressArgs& a = m_working;
    ImageConvertOptions options;
    options.kind = 0;
    options.formatName = a.formatName;
    options.formatId = a.formatId;
    if (a.mode == COMPRESS_BY_RATIO) {
        options.scalePercent = RatioToPercent(a.ratioSize);
    } else if (a.mode == COMPRESS_TO_PIXELS) {
        options.width = a.pixelWidth;
        options.height = a.pixelHeight;
    } else if (a.mode == COMPRESS_TO_SIZE) {
        options.targetSize = a.fileSize;
    }
    options.quality = static_cast<int>(QualityFactor(a) * kQualityScale);
    options.outputFolder = a.dir;
    options.location = a.outputType != 0 ? 2 : 1;
    options.createSubfolder = GlobalSetting::Instance().doneCreatDir;
    return options;
}
