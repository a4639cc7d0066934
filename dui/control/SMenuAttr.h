#pragma once
// The look of an owner-drawn popup menu, shared by the menu and all its
// sub-menus (each menu handle holds one reference): skins, sizes, colours
// and the font, all at one scale.
#include "dui/core/base/IRender.h"
#include "dui/core/base/SLayoutSize.h"
#include "dui/core/base/SObjectImpl.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/core/base/TObjRefImpl.h"
#include "dui/res.mgr/ISkinObj.h"

namespace DUI {

class SMenuAttr : public TObjRefImpl<IObjRef>, public SObjectImpl<IObject>
{
    DUI_CLASS_NAME(SMenuAttr, SObjectImpl<IObject>, L"menuattr", Undef_Kind)
public:
    SMenuAttr();

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void OnInitFinished(xmldom::xml_node element) override;

    // A new scale re-makes the font and takes the skins made for it.
    void SetScale(int scale);
    int GetScale() const { return m_scale; }

    ISkinObj* GetItemSkin() const { return m_itemSkin.Get(); }
    ISkinObj* GetIconSkin() const { return m_iconSkin.Get(); }
    ISkinObj* GetSepSkin() const { return m_sepSkin.Get(); }
    ISkinObj* GetCheckSkin() const { return m_checkSkin.Get(); }
    IFont* GetFont() const { return m_font.Get(); }
    COLORREF GetTextColor() const { return m_colorText; }
    COLORREF GetSelTextColor() const { return m_colorTextSel; }
    COLORREF GetGrayTextColor() const { return m_colorTextGray; }
    const SStringW& GetTrCtx() const { return m_trCtx; }
    // Pixels at the scale; the maximum width is -1 when not set.
    int GetItemHeight() const;
    int GetIconMargin() const { return m_iconMargin.ToPixel(m_scale); }
    int GetTextMargin() const { return m_textMargin.ToPixel(m_scale); }
    SIZE GetIconSize() const { return SIZE{m_iconWidth.ToPixel(m_scale), m_iconHeight.ToPixel(m_scale)}; }
    int GetMaxWidth() const { return m_maxWidth.IsSet() ? m_maxWidth.ToPixel(m_scale) : -1; }

private:
    BOOL SetSkinAttribute(const SStringW& name, const SStringW& value);
    BOOL SetSizeAttribute(const SStringW& name, const SStringW& value);
    HRESULT SetColorAttribute(const SStringW& name, const SStringW& value, BOOL& taken);
    HRESULT SetIconSize(const SStringW& value);

    SRefPtr<ISkinObj> m_itemSkin;
    SRefPtr<ISkinObj> m_iconSkin;
    SRefPtr<ISkinObj> m_sepSkin;
    SRefPtr<ISkinObj> m_checkSkin;
    SLayoutSize m_itemHeight;
    SLayoutSize m_iconMargin;
    SLayoutSize m_textMargin;
    SLayoutSize m_iconWidth;
    SLayoutSize m_iconHeight;
    SLayoutSize m_maxWidth;
    COLORREF m_colorText = 0;
    COLORREF m_colorTextSel = 0;
    COLORREF m_colorTextGray = 0;
    SStringW m_fontDesc;
    SRefPtr<IFont> m_font;
    SStringW m_trCtx;
    int m_scale = 100;
};

} // namespace DUI
