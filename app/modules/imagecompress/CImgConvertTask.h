#pragma once
// Converts one image through the image library: load, resize, re-encode,
// save, with staged progress into a shared 0-100 counter and a cancel flag
// checked after every step. Whatever it could not finish leaves no file.
#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

#include "app/modules/imagecompress/CCMNProgress.h"
#include "app/modules/imagecompress/CImgTaskResult.h"
#include "app/modules/imagecompress/ImageConvertOptions.h"
#include "app/modules/imagecompress/ImageEngine.h"

// The most pixels a resize may ask for; the engine refuses more on loading.
inline constexpr unsigned long long kMaxTargetPixels = 1ull << 28;
inline constexpr const wchar_t* kImageTooLarge = L"图片尺寸过大";
inline constexpr const wchar_t* kOutputIsSource = L"输出文件与源文件相同";

class CImgConvertTask {
public:
    explicit CImgConvertTask(IImageEngine& engine = LibraryImageEngine());
    virtual ~CImgConvertTask() = default;

    // False only for a null result; the outcome is in the result, whose
    // sourcePath and outputPath name the files.
    virtual bool Run(CImgTaskResult* result);
    // From another thread: stops the run after its current step. True.
    virtual bool Cancel();

    HWND notifyWindow = nullptr;
    ImageConvertOptions options;
    SharedProgress progressValue;   // absent until the creator attaches one
    std::atomic<bool> startedFlag{false};
    SharedFlag cancelFlag = std::make_shared<std::atomic<bool>>(false);

protected:
    IImageEngine& m_engine;

private:
    enum class Outcome { Done, Failed, FailedOwnText, Cancelled };
    struct Texts {
        std::string source;
        std::string output;
        std::string format;
    };

    Outcome Convert(IImageConverter& converter, const Texts& texts, CImgTaskResult& result);
    Outcome ResizeStep(IImageConverter& converter, const ImageEngineInfo& info, CImgTaskResult& result);
    bool Cancelled() const { return cancelFlag->load(); }
    void Finish(CImgTaskResult& result, bool ok);
};
