#pragma once
// One stage's progress monitor of a conversion: maps the engine's done/total
// of that stage onto its share of the task's 0-100 counter, which it only
// ever raises, and hands the engine the task's cancel flag.
#include <atomic>
#include <memory>
#include <string>

#include "app/modules/imagecompress/ImageEngine.h"
#include "app/modules/imagecompress/ImageFileItem.h"

using SharedFlag = std::shared_ptr<std::atomic<bool>>;

class CCMNProgress : public IMonitorProgress {
public:
    // filter: the first five characters of the engine's tags for this stage.
    CCMNProgress(int stage, const char* filter, int base, int span, SharedProgress progress, SharedFlag cancel);

    // Always true: the engine stops through IsCancelled.
    bool OnProgress(const char* tag, long long done, long long total) override;
    int GetUserValue() override { return m_stage; }
    bool IsCancelled() override { return m_cancelFlag && m_cancelFlag->load(); }

    std::atomic<int> stageBase{0};
    std::atomic<int> stageSpan{100};
    // While set, tags of other stages are ignored.
    std::atomic<bool> filterActive{false};

private:
    SharedProgress m_progressValue;
    SharedFlag m_cancelFlag;
    int m_stage;
    std::string m_stageFilter;
};

// Raises the counter to value unless it already stands there or higher; a
// concurrent raise or cancel (100) is never undone.
void RaiseProgress(std::atomic<int>& progress, int value);
