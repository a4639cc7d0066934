#pragma once
// The tooltip of every program window: it passes each tip to the tooltip
// window registered for the hovered window, or to one common tooltip for
// all others, and lets every tooltip window follow the mouse.
#include <cstdint>
#include <map>

#include "dui/core/IToolTip.h"

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

} // namespace DUI
