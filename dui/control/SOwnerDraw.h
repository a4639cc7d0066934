#pragma once
// Answers the owner-draw messages of a window, in their plain and their
// reflected forms, by the derived class's DrawItem and MeasureItem.
// Comparing gives 0 (no order); deleting is left to the item's owner.
#include <winsock2.h>
#include <windows.h>

namespace DUI {

template <class T>
class SOwnerDraw
{
public:
    // Reflected forms, as a parent sends them back to a control.
    static constexpr UINT kReflectBase = 0x2000;

    BOOL ProcessOwnerDraw(UINT msg, WPARAM, LPARAM lp, LRESULT& result)
    {
        T* self = static_cast<T*>(this);
        switch (msg >= kReflectBase ? msg - kReflectBase : msg) {
        case WM_DRAWITEM:
            self->DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lp));
            result = TRUE;
            return TRUE;
        case WM_MEASUREITEM:
            self->MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lp));
            result = TRUE;
            return TRUE;
        case WM_COMPAREITEM:
            result = 0;
            return TRUE;
        case WM_DELETEITEM:
            result = TRUE;
            return TRUE;
        default:
            return FALSE;
        }
    }

protected:
    ~SOwnerDraw() = default;
};

} // namespace DUI
