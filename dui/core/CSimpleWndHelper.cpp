#include "dui/core/CSimpleWndHelper.h"

#include "dui/core/CSimpleWnd.h"
#include "dui/core/base/DuiLog.h"

namespace DUI {

CSimpleWndHelper::CSimpleWndHelper(HINSTANCE module, LPCWSTR className, BOOL imeWindows)
    : m_heap(::HeapCreate(HEAP_CREATE_ENABLE_EXECUTE, 0, 0)), m_module(module)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = ClassStyle(imeWindows);
    wc.lpfnWndProc = &CSimpleWnd::StartWindowProc;
    wc.hInstance = module;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = className;
    m_atom = ::RegisterClassExW(&wc);
    if (!m_atom)
        DUI_LOG_WARNING("dui", "CSimpleWndHelper", L"RegisterClassExW failed (%lu)", ::GetLastError());
}

CSimpleWndHelper::~CSimpleWndHelper()
{
    if (m_atom)
        ::UnregisterClassW(MAKEINTATOM(m_atom), m_module);
}

UINT CSimpleWndHelper::ClassStyle(BOOL imeWindows)
{
    return imeWindows ? (CS_IME | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW) : CS_DBLCLKS;
}

void CSimpleWndHelper::LockCreation(CSimpleWnd* creating)
{
    m_lock.Enter();
    m_creating = creating;
}

void CSimpleWndHelper::UnlockCreation()
{
    m_creating = nullptr;
    m_lock.Leave();
}

CSimpleWnd* CSimpleWndHelper::TakeCreatingWindow()
{
    CSimpleWnd* wnd = m_creating;
    m_creating = nullptr;
    return wnd;
}

} // namespace DUI
