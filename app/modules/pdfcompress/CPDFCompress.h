#pragma once
// Compresses one PDF into a new one through Ghostscript's pdfwrite device,
// reading the page total and the current page from the interpreter's output.
#include <functional>
#include <string>
#include <vector>

#include "app/modules/pdfcompress/CGhostScriptOperation.h"

// The three values the interpreter is run with, chosen from the module's settings.
struct PdfCompressArgs {
    int settingsLevel = 0;
    int resolution = 72;
    bool downsample = false;
};

// model 0 compresses by level (0 high .. 2 low), model 1 by ratio (10..100).
PdfCompressArgs ChooseCompressArgs(int model, int level, int ratio);

class CPDFCompress : public CGhostScriptOperation {
public:
    using ProgressCallback = std::function<void(double percent, int page, int pageTotal)>;
    using ResultCallback = std::function<void(int code, const std::wstring& message, const std::wstring& detail)>;

    // Blocks until the interpreter is done; reports only through the callbacks.
    void Compress(const std::wstring& input, const std::wstring& output, int settingsLevel, int resolution,
                  bool downsample);

    // The interpreter's arguments, converted to UTF-8, in the order it takes them.
    static std::vector<std::string> BuildArguments(const std::wstring& input, const std::wstring& output,
                                                   int settingsLevel, int resolution, bool downsample);

    int OnStdout(const std::string& text) override;
    int OnStderr(const std::string& text) override;

    // The two reporting steps: each hands its result to its callback. The
    // output file has been dealt with by the end of the run before they run.
    void OnFailed(int code, const std::wstring& message, const std::wstring& detail);
    void OnFinished(int code, const std::wstring& message, const std::wstring& detail);

    int GetPageTotal() const { return m_pageTotal; }

    ProgressCallback m_onProgress;
    ResultCallback m_onFailed;
    ResultCallback m_onFinished;

private:
    enum class Outcome { Stopped, Failed, Succeeded };

    Outcome DecideEnd(int result) const;
    void End(Outcome outcome, int result);
    void LogFailure(int result) const;
    void DeleteOutput() const;

    std::wstring m_input;
    std::wstring m_output;
    int m_pageTotal = 0;
};
