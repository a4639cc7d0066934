#include "app/online/CrashCatcherBinding.h"

namespace {

bool Refuse(const wchar_t* text)
{
    MessageBoxW(nullptr, text, L"提示", MB_SYSTEMMODAL);
    return false;
}

} // namespace

bool BindCrashCatcher(CDumpCatchObserverBase& observer)
{
    // Never freed: the catcher must outlive everything it may report.
    HMODULE module = LoadLibraryW(L"skarnel.dll");
    if (!module) return Refuse(L"无法加载DLL,skarnel.dll");
    auto getManager =
        reinterpret_cast<GetDumpCatchMgrFn>(reinterpret_cast<void*>(GetProcAddress(module, kDumpCatchExportName)));
    if (!getManager) return Refuse(L"无法获取导出函数,getBLLDumpCatchMgrExportInterface");
    IDumpCatchMgr* manager = getManager();
    IDumpCatchObserverHost* host = manager ? manager->GetObserverHost() : nullptr;
    if (!host) return Refuse(L"函数返回空,getBLLDumpCatchMgrExportInterface");
    host->AddObserver(&observer);
    return true;
}
