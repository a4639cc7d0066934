#pragma once
// One file's conversion as a task of the task manager: picks a free output
// name, converts, and hands the result to a window, which then owns it.
#include "app/core/ITask.h"
#include "app/modules/imagecompress/CImgConvertTask.h"
#include "dui/core/base/TStringT.h"

// wParam: a CImgTaskResult the receiver deletes; lParam 0. Sent, so the
// worker waits until the window has applied it.
constexpr UINT UM_IMAGE_CONVERT_RESULT = 1227;

class CConvertTask : public CImgConvertTask, public ITask {
public:
    explicit CConvertTask(IImageEngine& engine = LibraryImageEngine()) : CImgConvertTask(engine) {}
    ~CConvertTask() override = default;

    using CImgConvertTask::Run;
    // On a worker thread. True.
    bool Run() override;
    // A task that has not begun reports its own cancellation. True.
    bool OnCancel() override;
    bool CheckReady() override { return true; }

    // The output folder made and a free name in it reserved (created empty):
    // "_0", "_1"... before the extension on a clash.
    void BuildOutputPath();

    DUI::SStringW sourcePath;
    DUI::SStringW outputPath;

private:
    void Report(CImgTaskResult* result);
};

// The output's extension: the format's name in lower case, "png" for every PNG flavour.
DUI::SStringW OutputExtension(const DUI::SStringW& formatName);
