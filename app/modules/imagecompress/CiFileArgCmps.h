#pragma once
// The image compression settings file ("config_img.ini", section
// "IMGPARAM") and the stored record it holds, beside the working record that
// the settings panel edits. Every change goes to the working record first and
// is then copied into the stored one; only Save writes the file.
#include "app/core/CFileIni.h"
#include "app/modules/imagecompress/CompressArgs.h"
#include "app/modules/imagecompress/ImageConvertOptions.h"
#include "dui/core/base/TStringT.h"

inline constexpr const wchar_t* kImageSettingsFile = L"config_img.ini";
inline constexpr const wchar_t* kImageSettingsSection = L"IMGPARAM";

class CiFileArgCmps : public CFileIni {
public:
    // `working` is the record the setters change; it outlives this object.
    explicit CiFileArgCmps(CompressArgs& working);
    ~CiFileArgCmps() override = default;

    // Reads the section into the stored record; missing keys keep defaults.
    void Load();
    // 0 without a file path (nothing written), else 1 after writing the ten keys.
    int Save();
    void StoreArgs(const CompressArgs& args) { stored = args; }
    DUI::SStringW GetStringS(const wchar_t* key, const DUI::SStringW& def) const;

    // 1 when the value equals the working one (nothing changes), else 0
    // after storing it and copying the working record into the stored one.
    int SetRatioQuality(int value);
    int SetPixelWidth(int value);
    int SetPixelHeight(int value);
    int SetFileSize(int value);
    // Compared as whole percents: 0.504 after 0.5 changes nothing.
    int SetRatioSize(double value);
    // Always 0.
    int SetFormat(const DUI::SStringW& key);

    ImageConvertOptions BuildConvertOptions() const;

    CompressArgs stored;

private:
    int SetWorkingInt(int CompressArgs::*field, int value);
    void ReadFileSize();
    void MatchWritableFormat();

    CompressArgs& m_working;
};

// The factor as a whole percent, cut toward zero as the file stores it.
int RatioToPercent(double ratio);
