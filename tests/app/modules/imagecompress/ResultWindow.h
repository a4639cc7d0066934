#pragma once
// A message-only window that takes the conversion results sent to it, as
// the module's main window does, and keeps them for the test.
#include <memory>
#include <vector>

#include "app/core/TaskManager.h"
#include "app/modules/imagecompress/CConvertTask.h"
#include "tests/support/MessagePump.h"
#include "tests/support/MessageWindow.h"

class ResultWindow {
public:
    ResultWindow()
        : m_window([this](UINT msg, WPARAM wp, LPARAM, LRESULT& result) {
              if (msg == UM_IMAGE_CONVERT_RESULT) {
                  results.emplace_back(reinterpret_cast<CImgTaskResult*>(wp));
                  result = 0;
                  return true;
              }
              if (msg == UM_TASKPOOL_IDLE) ++idle;
              return false;
          })
    {
    }
    HWND Hwnd() const { return m_window.Hwnd(); }
    bool WaitForResults(size_t count)
    {
        return testsupport::PumpUntil([&] { return results.size() >= count; });
    }
    bool WaitForIdle()
    {
        return testsupport::PumpUntil([&] { return idle > 0; });
    }

    std::vector<std::unique_ptr<CImgTaskResult>> results;
    int idle = 0;

private:
    testsupport::MessageWindow m_window;
};
