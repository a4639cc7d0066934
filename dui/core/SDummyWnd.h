#pragma once
// The invisible layered window of a translucent host. A layered window
// updated through UpdateLayeredWindow gets no WM_PAINT of its own, so the
// host invalidates this one instead and paints when it is asked to.
#include "dui/core/CSimpleWnd.h"

namespace DUI {

class SHostWnd;

class SDummyWnd : public CSimpleWnd
{
public:
    explicit SDummyWnd(SHostWnd* owner) : m_owner(owner) {}

    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId) override;

    // A 10 x 10 fully transparent popup, shown without activation.
    BOOL CreateForHost();

private:
    SHostWnd* m_owner;
};

} // namespace DUI
