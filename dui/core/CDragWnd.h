#pragma once
// The picture that follows the cursor while the user drags an item: a
// top-most, click-through layered popup. One drag is shown at a time; the
// caller keeps the bitmap and deletes it after EndDrag.
#include <memory>

#include "dui/core/CSimpleWnd.h"

namespace DUI {

class CDragWnd : public CSimpleWnd
{
public:
    ~CDragWnd() override;

    // A 32-bit bitmap is shown with its own per-pixel alpha; any other depth
    // through the colour key and constant alpha (LWA_* flags). FALSE while a
    // drag is shown or when the window cannot be made. Hidden until the
    // first DragMove.
    static BOOL BeginDrag(HBITMAP bitmap, POINT hotSpot, COLORREF colorKey, BYTE alpha, DWORD layeredFlags);
    // Puts the hot spot of the picture on the screen point.
    static void DragMove(POINT screen);
    static void EndDrag();
    static HWND GetDragHwnd();

    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId) override;

private:
    CDragWnd() = default;
    BOOL Show(HBITMAP bitmap, COLORREF colorKey, BYTE alpha, DWORD layeredFlags);
    BOOL ShowPerPixelAlpha(HBITMAP bitmap, SIZE size, COLORREF colorKey, BYTE alpha);
    void OnPaint();

    POINT m_hotSpot = {};
    HBITMAP m_bitmap = nullptr;   // not owned; only for bitmaps without alpha

    static std::unique_ptr<CDragWnd> s_drag;
};

} // namespace DUI
