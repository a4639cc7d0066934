#pragma once
// The tooltip of every program window: it passes each tip to the tooltip
// window registered for the hovered window, or to one common tooltip for
// all others, and lets every tooltip window follow the mouse. The program
// registers its factory at start-up (Register), and the window bases put a
// manager in place of each host's tooltip.
#include <cstdint>
#include <map>

#include "dui/core/IToolTip.h"
#include "dui/core/IToolTipFactory.h"
#include "dui/core/base/TObjRefImpl.h"

namespace DUI {

class SWindow;

class SMgrTooltip : public IToolTip
{
public:
    // Makes the common tooltip window (hidden).
    SMgrTooltip();
    // Destroys the common tooltip window; registered tooltips stay with
    // their owners.
    virtual ~SMgrTooltip();
    SMgrTooltip(const SMgrTooltip&) = delete;
    SMgrTooltip& operator=(const SMgrTooltip&) = delete;

    // From now on the program's window bases take a manager in place of the
    // host's tooltip.
    static void Register();

    // The window's tips go to `tooltip` from now on (NULL: to the common one).
    void SetWindowTip(SWindow* window, IToolTip* tooltip);
    IToolTip* GetCommonTip() const;

    BOOL PreTranslateMessage(MSG* msg) override;
    void UpdateTip(const SwndToolTipKey& id, const RECT& rc, LPCWSTR text, int scale) override;
    void ClearTip() override;
    void RelayEvent(const MSG* msg) override;

private:
    static constexpr uint32_t kCommonKey = 0;

    // Key: the SWND of a window with a tooltip of its own; 0: the common one.
    std::map<uint32_t, IToolTip*> m_tips;
};

// Makes and destroys managers for the window bases.
class SMgrTooltipFactory : public TObjRefImpl<IToolTipFactory>
{
public:
    IToolTip* CreateToolTip(HWND host) override;
    void DestroyToolTip(IToolTip* tooltip) override;
};

} // namespace DUI
