#include "dui/core/SMessageLoop.h"

#include "dui/core/base/DuiLog.h"

namespace DUI {

namespace {

const char kSource[] = "dui\\src\\core\\smsgloop";
const char kRun[] = "DUI::SMessageLoop::Run";

template <class T>
BOOL Append(SDynArray<T*>& list, T* item)
{
    return list.Add(item) >= 0 ? TRUE : FALSE;
}

} // namespace

BOOL SMessageLoop::AddMessageFilter(IMessageFilter* filter)
{
    return Append(m_filters, filter);
}

BOOL SMessageLoop::RemoveMessageFilter(IMessageFilter* filter)
{
    return m_filters.RemoveFirst(filter) ? TRUE : FALSE;
}

BOOL SMessageLoop::AddIdleHandler(IIdleCallback* handler)
{
    return Append(m_idleHandlers, handler);
}

BOOL SMessageLoop::RemoveIdleHandler(IIdleCallback* handler)
{
    return m_idleHandlers.RemoveFirst(handler) ? TRUE : FALSE;
}

BOOL SMessageLoop::PreTranslateMessage(MSG* msg)
{
    // A filter may remove itself or others while it is asked.
    for (size_t i = m_filters.GetCount(); i-- > 0;) {
        if (i >= m_filters.GetCount())
            continue;
        IMessageFilter* filter = m_filters[i];
        if (filter && filter->PreTranslateMessage(msg))
            return TRUE;
    }
    return FALSE;
}

BOOL SMessageLoop::OnIdle(int /*count*/)
{
    for (size_t i = 0; i < m_idleHandlers.GetCount(); ++i) {
        if (IIdleCallback* handler = m_idleHandlers[i])
            handler->OnIdle();
    }
    return FALSE;
}

void SMessageLoop::OnMsg(MSG* msg)
{
    if (PreTranslateMessage(msg))
        return;
    TranslateMessage(msg);
    DispatchMessageW(msg);
}

void SMessageLoop::Quit()
{
    if (m_running)
        m_quit = TRUE;
}

bool SMessageLoop::IsIdleNeutral(UINT message)
{
    return message == WM_PAINT || message == WM_NCMOUSEMOVE || message == 0x0118 || message == WM_MOUSEMOVE;
}

int SMessageLoop::Run()
{
    m_running = TRUE;
    m_quit = FALSE;
    bool idle = true;
    int count = 0;
    while (!m_quit) {
        while (idle && !PeekMessageW(&m_msg, nullptr, 0, 0, PM_NOREMOVE)) {
            const BOOL more = OnIdle(count++);
            if (m_quit)
                break;
            if (!more)
                idle = false;
        }
        if (m_quit)
            break;
        const BOOL got = GetMessageW(&m_msg, nullptr, 0, 0);
        if (got == -1) {
            WriteLog(kSource, 44, kRun, L"::GetMessage returned -1 (error)");
            continue;
        }
        if (!got) {
            WriteLog(kSource, 49, kRun, L"SMessageLoop::Run - exiting,code = %d", static_cast<int>(m_msg.wParam));
            break;
        }
        OnMsg(&m_msg);
        if (!IsIdleNeutral(m_msg.message)) {
            idle = true;
            count = 0;
        }
    }
    m_running = FALSE;
    return static_cast<int>(m_msg.wParam);
}

} // namespace DUI
