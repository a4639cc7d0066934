#pragma once
// A stand-in image engine for the tasks' tests: converters that record every
// call, report progress through the monitors they were given, fail the step
// they are told to, and let a test act in the middle of a step.
#include <atomic>
#include <cstdint>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "app/core/TextEncoding.h"
#include "app/modules/imagecompress/ImageEngine.h"

namespace fakeengine {

struct Script {
    uint32_t width = 4000;
    uint32_t height = 3000;
    std::string failStep;                 // "Load", "Save"...: that call returns false
    std::string errorText = "出错了";
    bool stopWhenCancelled = true;        // a step fails once IsCancelled is true
    std::function<void(const std::string& step)> during;   // called inside every step
    bool failedInfo = false;              // GetFileInfo says unreadable
    uint32_t fileSize = 1536;
};

struct Calls {
    std::mutex lock;
    std::vector<std::string> names;
    std::vector<int> stages;
    uint32_t resizeWidth = 0, resizeHeight = 0;
    int quality = -1;
    uint32_t targetBytes = 0;
    std::string format;
    double dpi = 0;
    std::vector<int> progressSeen;        // the task's counter after each report
    void Add(const std::string& name)
    {
        std::lock_guard<std::mutex> guard(lock);
        names.push_back(name);
    }
};

class FakeConverter : public IImageConverter {
public:
    FakeConverter(const Script& script, Calls& calls, const std::atomic<int>* progress)
        : m_script(script), m_calls(calls), m_progress(progress)
    {
    }
    ~FakeConverter() override = default;

    void SetMonitor(int stage, IMonitorProgress* monitor) override
    {
        std::lock_guard<std::mutex> guard(m_calls.lock);
        m_calls.stages.push_back(stage);
        m_monitors[stage] = monitor;
    }
    bool ReservedSlot3() override { return Fail("slot"); }
    bool PrepareImage(int) override { return Step("PrepareImage", -1); }
    bool ReservedSlot5() override { return Fail("slot"); }
    bool SetOutputFormat(const char* format) override
    {
        m_calls.format = format;
        return Step("SetOutputFormat", -1);
    }
    bool ReservedSlot7() override { return Fail("slot"); }
    bool ReservedSlot8() override { return Fail("slot"); }
    bool ReservedSlot9() override { return Fail("slot"); }
    bool Load(const char*) override { return Step("Load", 0, "Load/file"); }
    bool GetFileInfo(ImageEngineInfo* info, const char*, int, int) override
    {
        m_calls.Add("GetFileInfo");
        *info = Info();
        info->fileSize = m_script.fileSize;
        info->failed = m_script.failedInfo ? 1 : 0;
        return !m_script.failedInfo;
    }
    bool Save(const char* path) override
    {
        if (!Step("Save", 1, "Save/file")) return false;
        std::ofstream(FromUtf8(path).c_str(), std::ios::binary) << "fake image";
        return true;
    }
    bool SetEncoding(int quality, const char* format, uint32_t targetBytes) override
    {
        m_calls.quality = quality;
        m_calls.targetBytes = targetBytes;
        return Step("SetEncoding", -1);
    }
    bool Resize(uint32_t width, uint32_t height) override
    {
        m_calls.resizeWidth = width;
        m_calls.resizeHeight = height;
        return Step("Resize", 2, "Resize/rows");
    }
    bool SetResolution(double resolution, int) override
    {
        m_calls.dpi = resolution;
        return Step("SetResolution", -1);
    }
    ImageEngineInfo GetInfo() override
    {
        m_calls.Add("GetInfo");
        return Info();
    }
    const char* GetLastErrorText() override { return m_error.c_str(); }

private:
    ImageEngineInfo Info() const
    {
        ImageEngineInfo info{};
        info.width = m_script.width;
        info.height = m_script.height;
        return info;
    }
    bool Fail(const std::string& text)
    {
        m_error = text;
        return false;
    }
    // Reports four bands to the stage's monitor (also a stray one of
    // another stage), and fails as scripted.
    bool Step(const std::string& name, int stage, const char* tag = nullptr)
    {
        m_calls.Add(name);
        if (m_script.during) m_script.during(name);
        if (stage >= 0 && m_monitors[stage]) {
            for (int band = 1; band <= 4; ++band) {
                m_monitors[stage]->OnProgress(tag, band, 4);
                if (m_progress) {
                    std::lock_guard<std::mutex> guard(m_calls.lock);
                    m_calls.progressSeen.push_back(m_progress->load());
                }
                if (m_script.stopWhenCancelled && m_monitors[stage]->IsCancelled()) return Fail("已取消");
            }
            m_monitors[stage]->OnProgress(tag, 1, 0);   // a total of 0 changes nothing
        }
        if (name == m_script.failStep) return Fail(m_script.errorText);
        return true;
    }

    Script m_script;
    Calls& m_calls;
    const std::atomic<int>* m_progress;
    std::map<int, IMonitorProgress*> m_monitors;
    std::string m_error;
};

class FakeEngine : public IImageEngine {
public:
    IImageConverter* CreateConverter() override
    {
        ++created;
        return new FakeConverter(script, calls, progress);
    }
    void ReleaseConverter(IImageConverter* converter) override
    {
        ++released;
        delete static_cast<FakeConverter*>(converter);
    }

    Script script;
    Calls calls;
    const std::atomic<int>* progress = nullptr;
    std::atomic<int> created{0};
    std::atomic<int> released{0};
};

} // namespace fakeengine
