#pragma once
// The hidden window that owns a popup menu while it is tracked: it measures
// and draws the owner-drawn items with the menu's look, chooses items by
// their key characters, and passes the menu's notices on to the real owner.
#include "dui/control/SMenuAttr.h"
#include "dui/control/SOwnerDraw.h"
#include "dui/core/CSimpleWnd.h"

namespace DUI {

struct SMenuItemData;

class SMenuODWnd : public CSimpleWnd, public SOwnerDraw<SMenuODWnd>
{
public:
    SMenuODWnd(HWND owner, SMenuAttr* attr);
    ~SMenuODWnd() override;

    // A hidden popup that never takes the activation.
    HWND Create();

    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId) override;

    void MeasureItem(MEASUREITEMSTRUCT* mis);
    void DrawItem(DRAWITEMSTRUCT* dis);
    // MAKELRESULT(position, MNC_EXECUTE) of the first enabled item with
    // that key character, else 0.
    LRESULT OnMenuChar(wchar_t ch, HMENU menu);

private:
    void DrawSeparator(IPaintSurface* rt, const RECT& rc);
    void DrawMenuItem(IPaintSurface* rt, const RECT& rc, const DRAWITEMSTRUCT* dis, const SMenuItemData& data);
    int MeasureCaption(const SStringW& text) const;
    static BOOL IsRadioItem(const DRAWITEMSTRUCT* dis);

    HWND m_owner = nullptr;
    SRefPtr<SMenuAttr> m_attr;
};

} // namespace DUI
