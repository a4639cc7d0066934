#include "dui/control/SMenuExRunData.h"

#include <algorithm>

#include "dui/control/SMenuEx.h"

namespace DUI {

SMenuExRunData* SMenuExRunData::s_current = nullptr;

SMenuExRunData::SMenuExRunData(HWND owner, int scale) : m_owner(owner), m_scale(scale)
{
    s_current = this;
}

SMenuExRunData::~SMenuExRunData()
{
    if (s_current == this)
        s_current = nullptr;
}

void SMenuExRunData::Exit(int result)
{
    m_result = result;
    m_exit = TRUE;
}

BOOL SMenuExRunData::IsMenuOpen(const SMenuEx* menu) const
{
    return std::find(m_menus.begin(), m_menus.end(), menu) != m_menus.end();
}

SMenuEx* SMenuExRunData::FindMenu(HWND hwnd) const
{
    for (SMenuEx* menu : m_menus) {
        if (hwnd && menu->GetHwnd() == hwnd)
            return menu;
    }
    return nullptr;
}

SMenuEx* SMenuExRunData::MenuAtPoint(POINT screen) const
{
    for (auto it = m_menus.rbegin(); it != m_menus.rend(); ++it) {
        const RECT rc = (*it)->GetNativeWindowRect();
        if (::PtInRect(&rc, screen))
            return *it;
    }
    return nullptr;
}

SMenuEx* SMenuExRunData::MenuAfter(const SMenuEx* menu) const
{
    auto it = std::find(m_menus.begin(), m_menus.end(), menu);
    if (it == m_menus.end() || ++it == m_menus.end())
        return nullptr;
    return *it;
}

void SMenuExRunData::RemoveMenu(const SMenuEx* menu)
{
    m_menus.erase(std::remove(m_menus.begin(), m_menus.end(), menu), m_menus.end());
}

} // namespace DUI
