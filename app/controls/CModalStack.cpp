#include "app/controls/CModalStack.h"

#include <algorithm>

namespace {

bool IsShown(HWND hwnd)
{
    return hwnd && ::IsWindowVisible(hwnd) && !::IsIconic(hwnd);
}

} // namespace

CModalStack& CModalStack::Instance()
{
    static CModalStack stack;
    return stack;
}

bool CModalStack::IsOpen(const IDlgRecall* dialog) const
{
    return std::find(m_open.begin(), m_open.end(), dialog) != m_open.end();
}

void CModalStack::EnableRegistered(BOOL enable) const
{
    for (HWND hwnd : m_registered)
        ::EnableWindow(hwnd, enable);
}

int CModalStack::Push(IDlgRecall* dialog)
{
    if (dialog)
        m_open.push_back(dialog);
    if (!m_open.empty())
        EnableRegistered(FALSE);
    return kPushed;
}

int CModalStack::Pop(IDlgRecall* dialog)
{
    auto it = std::find(m_open.begin(), m_open.end(), dialog);
    if (!dialog || it == m_open.end())
        return kPopped;
    const std::vector<IDlgRecall*> later(it + 1, m_open.end());
    if (m_mode == Mode_RecallLater) {
        m_open.erase(it, m_open.end());
        // Newest first: each inner modal loop ends before the one around it.
        // A recalled dialog pops itself, which finds it gone already.
        for (auto later_it = later.rbegin(); later_it != later.rend(); ++later_it) {
            if (::IsWindow((*later_it)->GetHwnd()))
                (*later_it)->Recall();
        }
    } else {
        m_open.erase(it);
    }
    if (m_open.empty())
        EnableRegistered(TRUE);
    return kPopped;
}

HWND CModalStack::GetOwnerWindow() const
{
    for (auto it = m_open.rbegin(); it != m_open.rend(); ++it) {
        if (IsShown((*it)->GetHwnd()))
            return (*it)->GetHwnd();
    }
    if (IsShown(m_mainWindow))
        return m_mainWindow;
    for (auto it = m_registered.rbegin(); it != m_registered.rend(); ++it) {
        if (IsShown(*it))
            return *it;
    }
    return ::GetDesktopWindow();
}

void CModalStack::RegisterWindow(HWND hwnd)
{
    if (hwnd)
        m_registered.push_back(hwnd);
}

void CModalStack::UnregisterWindow(HWND hwnd)
{
    auto it = std::find(m_registered.begin(), m_registered.end(), hwnd);
    if (it != m_registered.end())
        m_registered.erase(it);
}
