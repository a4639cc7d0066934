#pragma once
// What the program's two headers share: columns read from an "items"
// element that stretch to the header's width when it is resized, a divider
// skin between columns, and no resize cursor.
#include <vector>

#include "dui/control/SHeaderCtrl.h"

namespace DUI {

class SDividedHeader : public SHeaderCtrl
{
public:
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    // FALSE without an "items" child; no other child is created.
    BOOL CreateChildren(xmldom::xml_node element) override;
    BOOL OnSetCursor(POINT pt) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void DrawItem(IPaintSurface* rt, const RECT& rc, const SHDITEM& item) override;

protected:
    // One item element read: its base width; the derived header keeps what
    // its layout needs and appends the item.
    virtual void AddItem(xmldom::xml_node node, SHDITEM item, int width) = 0;
    // Stretches the columns to the window's width.
    virtual void Relayout() = 0;
    BOOL MatchesParent() const { return m_matchParent == 1; }

private:
    struct AttrRows;

    int m_matchParent = 0;
    SRefPtr<ISkinObj> m_dividerSkin;
    BOOL m_dividerRight = FALSE;
};

} // namespace DUI
