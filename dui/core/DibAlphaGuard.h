#pragma once
// GDI drawing on a 32-bit DIB section leaves the alpha byte of the pixels it
// touches at 0. A guard saves the alpha bytes of a rectangle of the DC's
// bitmap before GDI draws there and puts them back afterwards.
#include <memory>

#include <winsock2.h>
#include <windows.h>

namespace DUI {

class DibAlphaGuard
{
public:
    DibAlphaGuard() = default;
    DibAlphaGuard(const DibAlphaGuard&) = delete;
    DibAlphaGuard& operator=(const DibAlphaGuard&) = delete;

    // rc is in the DC's logical coordinates and includes its right and
    // bottom edges. FALSE when the DC's bitmap is not 32 bits per pixel.
    BOOL Save(HDC dc, const RECT& rc);
    void Restore();

    // Up to this many pixels are kept in one shared buffer, not allocated:
    // one guard may hold it at a time, on the UI thread.
    static constexpr size_t kSharedPixels = 65536;
    bool UsesSharedBuffer() const { return m_saved && !m_heap; }

private:
    BYTE* AlphaOf(int x, int y) const;

    BYTE* m_bits = nullptr;
    int m_width = 0;
    RECT m_rc = {};
    BYTE* m_saved = nullptr;
    std::unique_ptr<BYTE[]> m_heap;
};

} // namespace DUI
