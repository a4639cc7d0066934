#include "dui/control/SMenuAttr.h"

#include "dui/control/MenuXml.h"
#include "dui/core/base/DuiLog.h"
#include "dui/core/base/StringSplit.h"
#include "dui/core/SWindow.h"
#include "dui/res.mgr/SFontPool.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSkinPoolMgr.h"

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

HRESULT SMenuAttr::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    if (SetSkinAttribute(name, value) || SetSizeAttribute(name, value))
        return S_FALSE;
    BOOL taken = FALSE;
    const HRESULT color = SetColorAttribute(name, value, taken);
    if (taken)
        return color;
    if (name.CompareNoCase(L"iconSize") == 0)
        return SetIconSize(value);
    if (name.CompareNoCase(L"font") == 0) {
        m_fontDesc = value;
        m_font = FontAt(m_fontDesc, m_scale);
        return S_FALSE;
    }
    if (name.CompareNoCase(L"trCtx") == 0) {
        m_trCtx = ResolveNamedString(value);
        return S_FALSE;
    }
    return OnUnhandledAttribute(name, value, loading);
}

BOOL SMenuAttr::SetSkinAttribute(const SStringW& name, const SStringW& value)
{
    static const struct { LPCWSTR name; SRefPtr<ISkinObj> SMenuAttr::*skin; } kSkins[] = {
        {L"itemSkin", &SMenuAttr::m_itemSkin}, {L"iconSkin", &SMenuAttr::m_iconSkin},
        {L"sepSkin", &SMenuAttr::m_sepSkin},   {L"checkSkin", &SMenuAttr::m_checkSkin},
    };
    for (const auto& entry : kSkins) {
        if (name.CompareNoCase(entry.name) != 0)
            continue;
        SSkinPoolMgr* pools = SSkinPoolMgr::GetInstance();
        if (ISkinObj* skin = pools ? pools->GetSkin(value, m_scale) : nullptr)
            (this->*entry.skin) = SRefPtr<ISkinObj>::Share(skin);
        else
            DUI_LOG_WARNING("dui", "SMenuAttr::SetAttribute", L"no skin \"%s\" for %s", value.c_str(), entry.name);
        return TRUE;
    }
    return FALSE;
}

BOOL SMenuAttr::SetSizeAttribute(const SStringW& name, const SStringW& value)
{
    SLayoutSize* size = nullptr;
    if (name.CompareNoCase(L"itemHeight") == 0) size = &m_itemHeight;
    else if (name.CompareNoCase(L"iconMargin") == 0) size = &m_iconMargin;
    else if (name.CompareNoCase(L"textMargin") == 0) size = &m_textMargin;
    else if (name.CompareNoCase(L"maxWidth") == 0) size = &m_maxWidth;
    if (!size)
        return FALSE;
    *size = ResolveLayoutDim(value.c_str());
    return TRUE;
}

HRESULT SMenuAttr::SetColorAttribute(const SStringW& name, const SStringW& value, BOOL& taken)
{
    COLORREF* color = nullptr;
    if (name.CompareNoCase(L"colorText") == 0) color = &m_colorText;
    else if (name.CompareNoCase(L"colorTextSel") == 0) color = &m_colorTextSel;
    // The gray colour's attribute has always been spelt this way.
    else if (name.CompareNoCase(L"cororTextGray") == 0) color = &m_colorTextGray;
    taken = color != nullptr;
    if (!color)
        return E_FAIL;
    if (value.IsEmpty())
        return E_FAIL;
    *color = ResolveNamedColor(value);
    return S_FALSE;
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
