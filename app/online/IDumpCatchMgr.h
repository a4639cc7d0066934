#pragma once
// The crash catcher skarnel.dll, as the program and our stand-in both see it.
// Its export getBLLDumpCatchMgrExportInterface hands out the manager; the
// manager's observer host keeps the observers that a crash is reported to.
#include <winsock2.h>
#include <windows.h>

// What the program registers. The catcher calls OnDump once per crash, on a
// thread of its own, with a text it prepared in the ANSI code page.
class CDumpCatchObserverBase {
public:
    virtual int OnDump(EXCEPTION_POINTERS* pointers, const char* text) = 0;
    virtual ~CDumpCatchObserverBase() = default;
    virtual void SetReportFields(const char* vform, const char* uid, const char* mcode) = 0;
};

struct IDumpCatchObserverHost {
    // Observers are told in the order they were added.
    virtual void AddObserver(CDumpCatchObserverBase* observer) = 0;

protected:
    ~IDumpCatchObserverHost() = default;
};

struct IDumpCatchMgr {
    virtual IDumpCatchObserverHost* GetObserverHost() = 0;

protected:
    ~IDumpCatchMgr() = default;
};

using GetDumpCatchMgrFn = IDumpCatchMgr* (*)();
inline constexpr char kDumpCatchExportName[] = "getBLLDumpCatchMgrExportInterface";
