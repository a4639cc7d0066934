#pragma once
// The one window of an XML menu's host: it holds the look shared by the
// menu's items (skins and sizes) and stacks the items from the top, as wide
// as the widest of them.
#include "dui/core/SWindow.h"

namespace DUI {

class SMenuEx;

class SMenuExRoot : public SWindow
{
    DUI_CLASS_NAME(SMenuExRoot, SWindow, L"menuRoot", Window_Kind)
public:
    explicit SMenuExRoot(SMenuEx* menu);

    SMenuEx* GetMenu() const { return m_menu; }
    ISkinObj* GetItemSkin() const { return m_itemSkin.Get(); }
    ISkinObj* GetIconSkin() const { return m_iconSkin.Get(); }
    ISkinObj* GetCheckSkin() const { return m_checkSkin.Get(); }
    ISkinObj* GetSepSkin() const { return m_sepSkin.Get(); }
    ISkinObj* GetArrowSkin() const { return m_arrowSkin.Get(); }
    // Sizes in pixels at the window's scale.
    int GetItemHeight() const { return m_itemHeight.ToPixel(GetScale()); }
    int GetIconBarWidth() const { return m_iconBarWidth.ToPixel(GetScale()); }
    int GetTextOffset() const { return m_textOffset.ToPixel(GetScale()); }
    int GetIconX() const { return m_iconX.ToPixel(GetScale()); }
    // kCentred when the icon is centred vertically.
    int GetIconY() const;
    int GetMinWidth() const { return m_minWidth.ToPixel(GetScale()); }
    int GetSubMenuOffset() const { return m_subMenuOffset.ToPixel(GetScale()); }
    int GetArrowWidth() const;
    const SStringW& GetItemAlign() const { return m_itemAlign; }
    int GetContextHelpId() const { return m_contextHelpId; }

    static constexpr int kCentred = -1000;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    BOOL ApplyXmlNode(xmldom::xml_node element) override;
    BOOL CreateChildren(xmldom::xml_node element) override;
    void ArrangeChildren() override;
    void GetChildArea(RECT* out) const override;
    SIZE MeasureContent(int parentWidth, int parentHeight) override;
    void OnScaleChanged(int scale) override;

private:
    struct AttrRows;

    HRESULT SetIconPos(const SStringW& value);

    SMenuEx* m_menu = nullptr;
    SRefPtr<ISkinObj> m_itemSkin;
    SRefPtr<ISkinObj> m_iconSkin;
    SRefPtr<ISkinObj> m_checkSkin;
    SRefPtr<ISkinObj> m_sepSkin;
    SRefPtr<ISkinObj> m_arrowSkin;
    SLayoutSize m_itemHeight{26.0f, SLayoutSize::dp};
    SLayoutSize m_iconBarWidth{24.0f, SLayoutSize::dp};
    SLayoutSize m_textOffset{0.0f, SLayoutSize::px};
    SLayoutSize m_iconX{0.0f, SLayoutSize::px};
    SLayoutSize m_iconY{0.0f, SLayoutSize::px};
    SLayoutSize m_minWidth{100.0f, SLayoutSize::dp};
    SLayoutSize m_subMenuOffset{0.0f, SLayoutSize::px};
    SStringW m_itemAlign{L"left"};
    int m_contextHelpId = 0;
};

} // namespace DUI
