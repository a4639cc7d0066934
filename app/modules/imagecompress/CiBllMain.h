#pragma once
// The image compression module's business logic: one object for the process
// that owns the module's settings (stored and working records), its file
// store and task manager, and its run state bits. Used on the user-interface
// thread; created on first use and never destroyed.
#include <cstdint>

#include "app/controls/CStateUtil.h"
#include "app/core/CSingleton.h"
#include "app/modules/imagecompress/CiFileArgCmps.h"
#include "app/modules/imagecompress/CompressArgs.h"
#include "app/modules/imagecompress/ImageTaskManager.h"

class SPartMoudleImageController;

// State bits of CiBllMain.
enum BllState : uint32_t {
    BLL_CLOSING = 0x01,      // a close waits for the workers to stop
    BLL_CONVERTING = 0x02,   // conversions were queued and not all have ended
    BLL_BATCH = 0x40,        // a batch runs; set and cleared with BLL_CONVERTING
};

class CiBllMain : public CStateUtil, public CSingleton<CiBllMain> {
public:
    // Set by the module part's constructor.
    void SetPart(SPartMoudleImageController* part) { m_part = part; }
    SPartMoudleImageController* GetPart() const { return m_part; }

    CiFileArgCmps& Settings() { return m_settings; }
    CompressArgs& Working() { return m_working; }
    ImageTaskManager& Tasks() { return m_tasks; }
    ImageFileStore& Store() { return m_tasks.store; }

private:
    friend class CSingleton<CiBllMain>;
    CiBllMain();

    SPartMoudleImageController* m_part = nullptr;
    CiFileArgCmps m_settings{m_working};   // bound now, used only after construction
    CompressArgs m_working;
    ImageTaskManager m_tasks;
};
