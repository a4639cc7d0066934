#pragma once
// One entry of an XML menu: a caption after an icon column that shows an
// icon or a check or radio mark, an arrow when the entry opens a sub-menu
// (which it owns), and a key character that chooses it from the keyboard.
#include "dui/core/base/SHandle.h"
#include "dui/core/SWindow.h"

namespace DUI {

class SMenuEx;
class SMenuExRoot;

class SMenuExItem : public SWindow
{
    DUI_CLASS_NAME(SMenuExItem, SWindow, L"menuItem", Window_Kind)
public:
    SMenuExItem(SMenuEx* menu, SMenuExRoot* root);
    ~SMenuExItem() override;

    SMenuEx* GetMenu() const { return m_menu; }
    SMenuEx* GetSubMenu() const { return m_subMenu.Get(); }
    int GetIconIndex() const { return m_icon; }
    BOOL IsCheckItem() const { return m_check; }
    BOOL IsRadioItem() const { return m_radio; }
    wchar_t GetHotKey() const { return m_hotKey; }
    // The item draws this icon when "autoIcon" is set, and destroys it.
    void SetIcon(HICON icon);
    HICON GetIcon() const { return m_iconHandle.Get(); }
    // Depth of the menu this item belongs to: 0 in a top menu.
    int GetMenuDepth() const;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    BOOL CreateChildren(xmldom::xml_node element) override;
    SIZE MeasureContent(int parentWidth, int parentHeight) override;
    void GetTextRect(RECT* out) const override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

protected:
    BOOL OnEraseBkgnd(IPaintSurface* rt) override;
    void OnPaint(IPaintSurface* rt) override;
    SMenuExRoot* GetMenuRoot() const { return m_root; }

private:
    void CreateSubMenu(xmldom::xml_node element);
    void ReleaseSubMenu();
    void DrawIconColumn(IPaintSurface* rt, const RECT& client);
    void DrawArrow(IPaintSurface* rt, const RECT& client);
    int BackgroundState(ISkinObj* skin) const;

    SMenuEx* m_menu = nullptr;
    SMenuExRoot* m_root = nullptr;
    SRefPtr<SMenuEx> m_subMenu;
    int m_icon = -1;
    BOOL m_check = FALSE;
    BOOL m_radio = FALSE;
    BOOL m_autoIcon = FALSE;
    wchar_t m_hotKey = 0;
    SHandle<SIconTraits> m_iconHandle;
};

} // namespace DUI
