#pragma once
// The default presenter: BitBlt of the changed rectangle for an ordinary
// host, a layered update for a translucent one.
#include "dui/core/IHostPresenter.h"
#include "dui/core/base/TObjRefImpl.h"

namespace DUI {

struct ISwndContainer;

class SHostPresenter : public TObjRefImpl<IHostPresenter>
{
public:
    // The host outlives its presenter; no reference is held.
    explicit SHostPresenter(ISwndContainer* host) : m_host(host) {}

    void OnHostCreate() override {}
    void OnHostDestroy() override {}
    void OnHostResize(SIZE) override {}
    void OnHostPresent(HDC dc, IPaintSurface* surface, const RECT& rc, BYTE alpha) override;
    void OnHostAlpha(BYTE alpha) override;

private:
    ISwndContainer* m_host;
};

// Puts a surface on a layered window whose size it has. Only the dirty
// rectangle (NULL: all) reaches the screen. Wine 8 still copies the whole
// window image twice through a freshly allocated buffer on every update, so
// there an update costs in proportion to the window's area, whatever the
// rectangle: about 800 page faults each at the main window's size.
BOOL UpdateLayeredFromSurface(HWND hwnd, IPaintSurface* surface, BYTE alpha, const RECT* dirty);

} // namespace DUI
