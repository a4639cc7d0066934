#pragma once
// The invisible layered window of a translucent host. A layered window
// updated through UpdateLayeredWindow gets no WM_PAINT of its own, so the
// host invalidates this one instead and paints when it is asked to.
#include <functional>
#include <utility>

#include "dui/core/CSimpleWnd.h"

namespace DUI {

class SDummyWnd : public CSimpleWnd
{
public:
    // paintHost: paints the host's whole tree, which then updates itself.
    explicit SDummyWnd(std::function<void()> paintHost) : m_paintHost(std::move(paintHost)) {}

    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId) override;

    // A 10 x 10 fully transparent popup, shown without activation.
    BOOL CreateForHost();

private:
    std::function<void()> m_paintHost;
};

} // namespace DUI
