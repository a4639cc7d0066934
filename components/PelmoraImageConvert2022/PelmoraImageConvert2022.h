#pragma once
// The interface of PelmoraImageConvert2022.dll, the image-conversion library:
// shared by the library and its callers, linked through its import library.
// Only plain types cross it: UTF-8 texts, the fixed-size info record and
// interfaces. A converter serves one thread at a time; many may work at once.
#include <cstddef>
#include <cstdint>

#ifdef PELMORA_IMAGE_CONVERT_BUILD
#define PELMORA_IMAGE_API extern "C" __declspec(dllexport)
#else
#define PELMORA_IMAGE_API extern "C" __declspec(dllimport)
#endif

// Filled by GetFileInfo and GetInfo. The callers read the four fields at their
// fixed offsets; the rest belongs to the library.
struct ImageEngineInfo {
    char formatName[16];           // the format found by content ("JPEG", "PNG"...), "" when unknown
    char reserved[2036];
    std::uint32_t fileSize;        // bytes of the file on disk, 0 after Load from nowhere
    std::uint32_t width;           // pixels, upright (EXIF orientation applied)
    std::uint32_t height;
    char reserved2[12];
    std::uint8_t failed;           // non-zero: the file could not be read
    char padding[3];
};
static_assert(sizeof(ImageEngineInfo) == 2080);
static_assert(offsetof(ImageEngineInfo, fileSize) == 2052);
static_assert(offsetof(ImageEngineInfo, width) == 2056);
static_assert(offsetof(ImageEngineInfo, height) == 2060);
static_assert(offsetof(ImageEngineInfo, failed) == 2076);

// Implemented by the caller. A converter reports each step in row bands with
// tags beginning "Load/", "Resize/", "Dither/" or "Save/" and stops the step,
// failing it, when IsCancelled turns true or OnProgress returns false.
class IMonitorProgress {
public:
    virtual ~IMonitorProgress() = default;
    virtual bool OnProgress(const char* tag, long long done, long long total) = 0;
    virtual int GetUserValue() = 0;
    virtual bool IsCancelled() = 0;
};

// Monitor stages of SetMonitor.
enum ImageMonitorStage : int {
    kImageStageLoad = 0,
    kImageStageSave = 1,
    kImageStageResize = 2,
    kImageStageDither = 3,
    kImageStageDitherMap = 4,
};

// The slot order is fixed by the callers' binaries: the destructor's two
// slots, SetMonitor, a reserved slot, PrepareImage, a reserved slot,
// SetOutputFormat, three reserved slots, then the rest. Reserved slots fail
// with an error text. Only ReleaseImgConvert destroys a converter.
class IImageConverter {
protected:
    // First, so that it takes the first two slots; callers release through ReleaseImgConvert.
    virtual ~IImageConverter() = default;

public:
    virtual void SetMonitor(int stage, IMonitorProgress* monitor) = 0;
    virtual bool ReservedSlot3() = 0;
    // Brings the loaded pixels upright by their EXIF orientation.
    virtual bool PrepareImage(int flags) = 0;
    virtual bool ReservedSlot5() = 0;
    // Upper-case format name ("JPG", "PNG8"...): false with "不支持的图片格式" for one it cannot write.
    virtual bool SetOutputFormat(const char* format) = 0;
    virtual bool ReservedSlot7() = 0;
    virtual bool ReservedSlot8() = 0;
    virtual bool ReservedSlot9() = 0;
    virtual bool Load(const char* path) = 0;
    // Reads the headers only; info->failed tells whether the file is readable.
    virtual bool GetFileInfo(ImageEngineInfo* info, const char* path, int reserved1, int reserved2) = 0;
    // Writes the loaded image; a failed save leaves no file behind.
    virtual bool Save(const char* path) = 0;
    // quality 1-100; targetBytes 0 for none, else JPEG quality is searched to fit.
    virtual bool SetEncoding(int quality, const char* format, std::uint32_t targetBytes) = 0;
    virtual bool Resize(std::uint32_t width, std::uint32_t height) = 0;
    // unit 1: dots per inch, 2: dots per centimetre.
    virtual bool SetResolution(double resolution, int unit) = 0;
    virtual ImageEngineInfo GetInfo() = 0;
    // UTF-8 text of the last failure, "" when none; valid until the next call.
    virtual const char* GetLastErrorText() = 0;
};

PELMORA_IMAGE_API IImageConverter* CrceateImgConvert();
PELMORA_IMAGE_API void ReleaseImgConvert(IImageConverter* converter);
// programPath and cacheFolder in UTF-8. The library keeps no temporary files,
// so the cache folder is only remembered. Returns true.
PELMORA_IMAGE_API bool OnInitMagick(const char* programPath, const char* cacheFolder, int flags);
