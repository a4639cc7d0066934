#include "dui/control/SMenuAttr.h"

#include "dui/control/MenuXml.h"
#include "dui/core/base/DuiLog.h"
#include "dui/core/base/StringSplit.h"
#include "dui/core/SWindow.h"
#include "dui/res.mgr/SFontPool.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSkinPoolMgr.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

namespace {

COLORREF SystemColor(int index)
{
    return static_cast<COLORREF>(::GetSysColor(index)) | 0xFF000000u;
}

SLayoutSize DefaultUnitSize(float value)
{
    return SLayoutSize(value, SLayoutSize::GetDefaultUnit());
}

SRefPtr<IFont> FontAt(const SStringW& description, int scale)
{
    SFontPool* fonts = SFontPool::GetInstance();
    return SRefPtr<IFont>::Share(fonts ? fonts->GetFont(description, scale) : nullptr);
}

} // namespace

SMenuAttr::SMenuAttr()
    : m_itemSkin(SystemMenuSkinAt100(kSysMenuItem)),
      m_sepSkin(SystemMenuSkinAt100(kSysMenuSep)),
      m_checkSkin(SystemMenuSkinAt100(kSysMenuCheck)),
      m_iconMargin(DefaultUnitSize(2.0f)),
      m_textMargin(DefaultUnitSize(5.0f)),
      m_iconWidth(DefaultUnitSize(16.0f)),
      m_iconHeight(DefaultUnitSize(16.0f)),
      m_colorText(SystemColor(COLOR_MENUTEXT)),
      m_colorTextSel(SystemColor(COLOR_HIGHLIGHTTEXT)),
      m_colorTextGray(SystemColor(COLOR_GRAYTEXT)),
      m_font(FontAt(SStringW(), 100))
{
    m_itemHeight.SetNotSet();
    m_maxWidth.SetNotSet();
}

struct SMenuAttr::AttrRows
{
    using Row = SAttrRow<SMenuAttr>;

    static constexpr char kWhere[] = "SMenuAttr::SetAttribute";
    static constexpr wchar_t kItemSkin[] = L"itemSkin";
    static constexpr wchar_t kIconSkin[] = L"iconSkin";
    static constexpr wchar_t kSepSkin[] = L"sepSkin";
    static constexpr wchar_t kCheckSkin[] = L"checkSkin";
    template <auto field, const wchar_t* attr>
    static constexpr auto Skin = &ctrlattr::KeptSkin<SMenuAttr, field, attr, kWhere>;
    template <auto field>
    static constexpr auto Size = ctrlattr::LayoutDim<SMenuAttr, field>;
    template <auto field>
    static constexpr auto Colour = &ctrlattr::Color<SMenuAttr, field>;

    static HRESULT IconSize(SMenuAttr& menu, const SStringW& value, BOOL) { return menu.SetIconSize(value); }
    static HRESULT Font(SMenuAttr& menu, const SStringW& value, BOOL)
    {
        menu.m_fontDesc = value;
        menu.m_font = FontAt(menu.m_fontDesc, menu.m_scale);
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {kItemSkin, Skin<&SMenuAttr::m_itemSkin, kItemSkin>, AttrEffect::None},
        {kIconSkin, Skin<&SMenuAttr::m_iconSkin, kIconSkin>, AttrEffect::None},
        {kSepSkin, Skin<&SMenuAttr::m_sepSkin, kSepSkin>, AttrEffect::None},
        {kCheckSkin, Skin<&SMenuAttr::m_checkSkin, kCheckSkin>, AttrEffect::None},
        {L"itemHeight", Size<&SMenuAttr::m_itemHeight>, AttrEffect::None},
        {L"iconMargin", Size<&SMenuAttr::m_iconMargin>, AttrEffect::None},
        {L"textMargin", Size<&SMenuAttr::m_textMargin>, AttrEffect::None},
        {L"maxWidth", Size<&SMenuAttr::m_maxWidth>, AttrEffect::None},
        {L"colorText", Colour<&SMenuAttr::m_colorText>, AttrEffect::None},
        {L"colorTextSel", Colour<&SMenuAttr::m_colorTextSel>, AttrEffect::None},
        // The gray colour's attribute has always been spelt this way.
        {L"cororTextGray", Colour<&SMenuAttr::m_colorTextGray>, AttrEffect::None},
        {L"iconSize", &IconSize, AttrEffect::None},
        {L"font", &Font, AttrEffect::None},
        {L"trCtx", &AttrStore<SMenuAttr, &SMenuAttr::m_trCtx, &ResolveNamedString>, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

// The menu's attributes end here: no redraw hook follows them.
HRESULT SMenuAttr::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return OnUnhandledAttribute(name, value, loading); });
}

HRESULT SMenuAttr::SetIconSize(const SStringW& value)
{
    SStringWList parts;
    if (SplitString(value, L',', parts) != 2)
        return E_INVALIDARG;
    m_iconWidth = ResolveLayoutDim(parts[0].c_str());
    m_iconHeight = ResolveLayoutDim(parts[1].c_str());
    return S_FALSE;
}

void SMenuAttr::OnInitFinished(xmldom::xml_node)
{
    if (!m_itemHeight.IsSet() && m_itemSkin)
        m_itemHeight = SLayoutSize(static_cast<float>(m_itemSkin->GetSkinSize().cy), SLayoutSize::dp);
}

int SMenuAttr::GetItemHeight() const
{
    // A menu without a height or an item skin still needs room for a line.
    static constexpr float kFallbackHeight = 24.0f;
    const SLayoutSize height = m_itemHeight.IsSet() ? m_itemHeight : SLayoutSize(kFallbackHeight, SLayoutSize::dp);
    return height.ToPixel(m_scale);
}

void SMenuAttr::SetScale(int scale)
{
    if (scale == m_scale)
        return;
    m_scale = scale;
    m_font = FontAt(m_fontDesc, scale);
    SWindow::RescaleSkin(m_iconSkin, scale);
    SWindow::RescaleSkin(m_itemSkin, scale);
    SWindow::RescaleSkin(m_sepSkin, scale);
    SWindow::RescaleSkin(m_checkSkin, scale);
}

} // namespace DUI
