#include "app/core/CTaskbarProgress.h"

CTaskbarProgress::CTaskbarProgress(ITaskbarList4* taskbar)
{
    m_taskbar.Reset(taskbar);
}

CTaskbarProgress& CTaskbarProgress::Instance()
{
    // Never destroyed: at process exit COM is already shut down, and
    // releasing the taskbar object then could call into an unloaded library.
    static CTaskbarProgress* instance = new CTaskbarProgress();
    return *instance;
}

void CTaskbarProgress::EnsureInit()
{
    if (m_taskbar)
        return;
    if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_ALL, IID_ITaskbarList4,
                                   reinterpret_cast<void**>(m_taskbar.Put()))))
        m_taskbar->HrInit();
}

void CTaskbarProgress::SetWindow(HWND window)
{
    m_window = window;
    Clear();
}

void CTaskbarProgress::SetProgress(ULONGLONG done, ULONGLONG total)
{
    EnsureInit();
    if (!m_taskbar || !m_window)
        return;
    m_taskbar->SetProgressValue(m_window, done, total);
    if (done >= total)
        m_taskbar->SetProgressState(m_window, TBPF_NOPROGRESS);
}

void CTaskbarProgress::Clear()
{
    EnsureInit();
    if (m_taskbar && m_window)
        m_taskbar->SetProgressState(m_window, TBPF_NOPROGRESS);
}
