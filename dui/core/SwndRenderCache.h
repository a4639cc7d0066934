#pragma once
// The surfaces a window keeps between paints: the cache it draws itself into
// while cached or translucent and the layer of a layered window, both sized
// to the window and drawing in host coordinates; and the record of the
// surface it has lent out for drawing outside the paint cycle.
#include <memory>

#include "dui/core/base/IRender.h"
#include "dui/core/base/SRefPtr.h"

namespace DUI {

class SwndRenderCache
{
public:
    enum class Kind
    {
        Cache,
        Layer,
    };

    // What a lent surface was prepared with, for giving it back.
    struct Lent
    {
        RECT box = {};
        DWORD flags = 0;
        SRefPtr<IPaintRegion> region;
    };

    IPaintSurface* Get(Kind kind) const { return kind == Kind::Cache ? m_cache.Get() : m_layer.Get(); }
    // Sized to the window (made when missing), its origin at the window's
    // corner; FALSE when there is no surface.
    BOOL Fit(Kind kind, const RECT& window);
    // Made when wanted and missing, dropped when not wanted; TRUE when a
    // surface was made and fitted.
    BOOL Follow(Kind kind, BOOL wanted, const RECT& window);
    // The layer, made empty when the window has none yet.
    IPaintSurface* Layer();

    void Lend(std::unique_ptr<Lent> lent) { m_lent = std::move(lent); }
    std::unique_ptr<Lent> TakeLent() { return std::move(m_lent); }

private:
    SRefPtr<IPaintSurface>& Slot(Kind kind) { return kind == Kind::Cache ? m_cache : m_layer; }

    SRefPtr<IPaintSurface> m_cache;
    SRefPtr<IPaintSurface> m_layer;
    std::unique_ptr<Lent> m_lent;
};

} // namespace DUI
