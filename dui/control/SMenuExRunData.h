#pragma once
// What one run of an XML menu shares with the menus it opens: the menus on
// screen (outermost first), the command it will return and whether it is
// to end. Menus tracked while a run runs join it; the last reference ends it.
#include <vector>

#include "dui/core/base/IObjRef.h"
#include "dui/core/base/TObjRefImpl.h"

namespace DUI {

class SMenuEx;

class SMenuExRunData : public TObjRefImpl<IObjRef>
{
public:
    // The new run becomes the current one.
    SMenuExRunData(HWND owner, int scale);
    ~SMenuExRunData() override;
    SMenuExRunData(const SMenuExRunData&) = delete;
    SMenuExRunData& operator=(const SMenuExRunData&) = delete;

    // The run in progress, or NULL.
    static SMenuExRunData* GetCurrent() { return s_current; }

    HWND GetOwner() const { return m_owner; }
    int GetScale() const { return m_scale; }
    int GetResult() const { return m_result; }
    BOOL IsExiting() const { return m_exit; }
    // Sets the result and asks every loop of the run to return.
    void Exit(int result);

    const std::vector<SMenuEx*>& GetMenus() const { return m_menus; }
    BOOL IsMenuOpen(const SMenuEx* menu) const;
    // The open menu of that native window, or NULL.
    SMenuEx* FindMenu(HWND hwnd) const;
    // The innermost open menu whose window lies under the screen point.
    SMenuEx* MenuAtPoint(POINT screen) const;
    SMenuEx* Innermost() const { return m_menus.empty() ? nullptr : m_menus.back(); }
    // The menu opened right after `menu`, that is the one it opened.
    SMenuEx* MenuAfter(const SMenuEx* menu) const;
    void AddMenu(SMenuEx* menu) { m_menus.push_back(menu); }
    void RemoveMenu(const SMenuEx* menu);

private:
    static SMenuExRunData* s_current;

    std::vector<SMenuEx*> m_menus;
    int m_result = -1;
    BOOL m_exit = FALSE;
    HWND m_owner = nullptr;
    int m_scale = 100;
};

} // namespace DUI
