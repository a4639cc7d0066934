#pragma once
// The tooltip a host keeps for the window under the mouse. It filters the
// host's message loop to follow the mouse; the host tells it which tip
// belongs to the window under the mouse.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/IMessageFilter.h"
#include "dui/core/SwndToolTipInfo.h"

namespace DUI {

inline bool operator==(const SwndToolTipKey& a, const SwndToolTipKey& b)
{
    return a.swnd == b.swnd && a.cookie == b.cookie;
}

struct IToolTip : IMessageFilter
{
    // rc: host client coordinates; scale: the host's, in percent.
    virtual void UpdateTip(const SwndToolTipKey& id, const RECT& rc, LPCWSTR text, int scale) = 0;
    virtual void ClearTip() = 0;
    virtual void RelayEvent(const MSG* msg) = 0;

protected:
    ~IToolTip() = default;
};

} // namespace DUI
