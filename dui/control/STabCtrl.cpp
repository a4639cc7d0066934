#include "dui/control/STabCtrl.h"

#include <algorithm>
#include <climits>

#include "dui/control/SControlSkin.h"
#include "dui/control/STabPage.h"
#include "dui/control/STabSlider.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/base/SMsgPoint.h"
#include "dui/core/base/SObjectFactoryMgr.h"
#include "dui/res.mgr/SNamedValue.h"
#include "xml/xmldom.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::STabCtrl::SetAttribute";

SLayoutSize Unset()
{
    SLayoutSize size;
    size.SetNotSet();
    return size;
}

} // namespace

STabCtrl::STabCtrl()
    : m_tabWidth(Unset()), m_tabHeight(Unset()), m_tabSkin(FindSystemSkin(SysSkin_TabPage)),
      m_textX(-1.0f, SLayoutSize::GetDefaultUnit()), m_textY(-1.0f, SLayoutSize::GetDefaultUnit())
{
    SetAttribute(L"focusable", L"1", TRUE);
    SEventSet* events = GetEventSet();
    events->AddEvent(EventTabSelChanging::EventID, EventTabSelChanging::EventName());
    events->AddEvent(EventTabSelChanged::EventID, EventTabSelChanged::EventName());
    events->AddEvent(EventTabItemHover::EventID, EventTabItemHover::EventName());
    events->AddEvent(EventTabItemLeave::EventID, EventTabItemLeave::EventName());
    SetInterpolator(L"Linear");
}

STabCtrl::~STabCtrl() = default;

void STabCtrl::SetInterpolator(const SStringW& tag)
{
    SObjectFactoryMgr* registry = SObjectFactoryMgr::GetInstance();
    // An unknown tag keeps the curve the control has.
    if (IInterpolator* made = registry ? registry->NewInterpolatorByTag(tag) : nullptr)
        m_interpolator = SRefPtr<IInterpolator>::Adopt(made);
}

STabPage* STabCtrl::GetItem(int index) const
{
    return index >= 0 && index < GetItemCount() ? m_pages[index].Get() : nullptr;
}

HRESULT STabCtrl::SetTabSize(const SStringW& value)
{
    return ReadDimensionPair(value, kSetAttribute, m_tabWidth, m_tabHeight) ? S_OK : E_INVALIDARG;
}

HRESULT STabCtrl::SetAlign(const SStringW& value)
{
    static const wchar_t* const kWords[] = {L"top", L"left", L"bottom", L"right"};
    for (int i = 0; i < 4; ++i) {
        if (value == kWords[i]) {
            m_align = i;
            return S_OK;
        }
    }
    return E_FAIL;
}

HRESULT STabCtrl::SetTextDir(const SStringW& value)
{
    if (value == L"hori" || value == L"horizontal")
        m_verticalText = 0;
    else if (value == L"vert" || value == L"vertical")
        m_verticalText = 1;
    else
        return E_FAIL;
    return S_OK;
}

HRESULT STabCtrl::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT hr = S_FALSE;
    struct SizeRow { const wchar_t* name; SLayoutSize* field; };
    const SizeRow sizes[] = {{L"tabWidth", &m_tabWidth}, {L"tabHeight", &m_tabHeight}, {L"tabPos", &m_tabPos},
                             {L"tabInterSize", &m_spacing}, {L"icon-x", &m_iconX}, {L"icon-y", &m_iconY},
                             {L"text-x", &m_textX}, {L"text-y", &m_textY}};
    for (const SizeRow& row : sizes) {
        if (name.CompareNoCase(row.name) == 0) {
            *row.field = ReadDimension(value, kSetAttribute);
            return AfterSetAttribute(name, value, loading, hr);
        }
    }
    struct SkinRow { const wchar_t* name; SRefPtr<ISkinObj>* field; };
    const SkinRow skins[] = {{L"tabSkin", &m_tabSkin}, {L"iconSkin", &m_iconSkin},
                             {L"tabInterSkin", &m_separatorSkin}, {L"frameSkin", &m_frameSkin}};
    for (const SkinRow& row : skins) {
        if (name.CompareNoCase(row.name) == 0) {
            *row.field = FindNamedSkin(value, GetScale());
            return AfterSetAttribute(name, value, loading, hr);
        }
    }
    if (name.CompareNoCase(L"curSel") == 0)
        m_curSel = ReadInt(value, kSetAttribute);
    else if (name.CompareNoCase(L"tabSize") == 0)
        hr = SetTabSize(value);
    else if (name.CompareNoCase(L"tabAlign") == 0)
        hr = SetAlign(value);
    else if (name.CompareNoCase(L"textDir") == 0)
        hr = SetTextDir(value);
    else if (name.CompareNoCase(L"animateSteps") == 0)
        m_animateSteps = ReadInt(value, kSetAttribute);
    else if (name.CompareNoCase(L"animateType") == 0)
        m_animateType = ReadInt(value, kSetAttribute);
    else if (name.CompareNoCase(L"interpolator") == 0)
        SetInterpolator(value);
    else if (m_interpolator && SUCCEEDED(m_interpolator->SetAttribute(name, value, loading)))
        return S_FALSE;
    else
        return SWindow::SetAttribute(name, value, loading);
    if (FAILED(hr))
        return hr;
    return AfterSetAttribute(name, value, loading, hr);
}

void STabCtrl::OnInitFinished(xmldom::xml_node element)
{
    SWindow::OnInitFinished(element);
    const SIZE skin = SkinSizeOf(m_tabSkin.Get());
    if (!m_tabWidth.IsSet())
        m_tabWidth.Set(static_cast<float>(skin.cx), SLayoutSize::GetDefaultUnit());
    if (!m_tabHeight.IsSet())
        m_tabHeight.Set(static_cast<float>(skin.cy), SLayoutSize::GetDefaultUnit());
}

void STabCtrl::SetColorize(COLORREF color)
{
    SWindow::SetColorize(color);
    for (ISkinObj* skin : {m_iconSkin.Get(), m_tabSkin.Get(), m_separatorSkin.Get(), m_frameSkin.Get()})
        ColorizeSkin(skin, color);
}

void STabCtrl::OnScaleChanged(int scale)
{
    SWindow::OnScaleChanged(scale);
    // Pages float, so the layout pass that follows a new scale reaches their
    // content only when they are marked whole.
    for (const SRefPtr<STabPage>& page : m_pages)
        page->MarkForRelayout();
    for (SRefPtr<ISkinObj>* skin : {&m_iconSkin, &m_tabSkin, &m_separatorSkin, &m_frameSkin})
        if (*skin)
            RescaleSkin(*skin, scale);
}

BOOL STabCtrl::OnLanguageChanged()
{
    SWindow::OnLanguageChanged();
    for (const SRefPtr<STabPage>& page : m_pages)
        page->TranslateTitle();
    const RECT band = GetTitleRect();
    InvalidateRect(&band);
    return 3;
}

BOOL STabCtrl::CreateChildren(xmldom::xml_node element)
{
    for (xmldom::xml_node child = element.first_child(); child; child = child.next_sibling()) {
        if (child.type() == xmldom::node_element)
            InsertItemFromXml(child, -1, TRUE);
    }
    if (m_curSel == -1 || m_curSel >= GetItemCount() || m_curSel < -1)
        m_curSel = 0;
    if (m_pages.empty())
        m_curSel = -1;
    if (m_curSel != -1)
        m_pages[m_curSel]->SetVisible(TRUE, FALSE);
    return TRUE;
}

STabPage* STabCtrl::CreatePageFromXml(xmldom::xml_node element)
{
    if (std::wcscmp(element.name(), L"page") != 0)
        return nullptr;
    SObjectFactoryMgr* registry = SObjectFactoryMgr::GetInstance();
    SWindow* made = registry ? registry->NewWindowByTag(L"page") : nullptr;
    auto* page = dynamic_cast<STabPage*>(made);
    if (made && !page)
        made->Release();
    return page;
}

int STabCtrl::InsertItemFromXml(xmldom::xml_node element, int index, BOOL loading)
{
    STabPage* page = CreatePageFromXml(element);
    if (!page)
        return -1;
    InsertChild(page);   // the tree takes the factory's reference
    page->ApplyXmlNode(element);
    if (ILayoutParam* param = page->GetLayoutParam()) {
        param->SetMatchParent(Horz);
        param->SetMatchParent(Vert);
    }
    if (index < 0 || index > GetItemCount())
        index = GetItemCount();
    m_pages.insert(m_pages.begin() + index, SRefPtr<STabPage>::Share(page));
    if (!loading) {
        RECT area = {};
        GetChildArea(&area);
        page->Move(&area);
        page->SetVisible(FALSE, FALSE);
        if (m_curSel >= index)
            ++m_curSel;
        const RECT band = GetTitleRect();
        InvalidateRect(&band);
        if (m_curSel == -1)
            SetCurSel(index);
    }
    OnItemInserted(page);
    return index;
}

int STabCtrl::InsertItemFromString(LPCWSTR xml, int index)
{
    xmldom::xml_document doc;
    if (!xml || !doc.load_buffer(xml, std::wcslen(xml) * sizeof(wchar_t), xmldom::parse_default, xmldom::encoding_wchar))
        return -1;
    xmldom::xml_node first = doc.first_child();
    while (first && first.type() != xmldom::node_element)
        first = first.next_sibling();
    return first ? InsertItemFromXml(first, index, FALSE) : -1;
}

int STabCtrl::TabWidth() const
{
    return m_tabWidth.IsSet() ? m_tabWidth.ToPixel(GetScale()) : 0;
}

int STabCtrl::TabHeight() const
{
    return m_tabHeight.IsSet() ? m_tabHeight.ToPixel(GetScale()) : 0;
}

RECT STabCtrl::GetTitleRect() const
{
    RECT rc = GetClientRect();
    switch (m_align) {
    case Align_Left: rc.right = std::min(rc.right, rc.left + TabWidth()); break;
    case Align_Right: rc.left = std::max(rc.left, rc.right - TabWidth()); break;
    case Align_Bottom: rc.top = std::max(rc.top, rc.bottom - TabHeight()); break;
    default: rc.bottom = std::min(rc.bottom, rc.top + TabHeight()); break;
    }
    return rc;
}

void STabCtrl::GetChildArea(RECT* out) const
{
    const RECT padding = GetStyle().GetPadding();
    RECT rc = GetClientRect();
    rc.left += padding.left;
    rc.top += padding.top;
    rc.right -= padding.right;
    rc.bottom -= padding.bottom;
    switch (m_align) {
    case Align_Left: rc.left += TabWidth(); break;
    case Align_Right: rc.right -= TabWidth(); break;
    case Align_Bottom: rc.bottom -= TabHeight(); break;
    default: rc.top += TabHeight(); break;
    }
    *out = rc;
}

void STabCtrl::ArrangeChildren()
{
    RECT area = {};
    GetChildArea(&area);
    for (const SRefPtr<STabPage>& page : m_pages)
        page->Move(&area);
}

BOOL STabCtrl::GetItemRect(int index, RECT* out) const
{
    if (index < 0 || index >= GetItemCount() || !out)
        return FALSE;
    const RECT band = GetTitleRect();
    const int scale = GetScale();
    const int w = TabWidth(), h = TabHeight();
    const int spacing = m_spacing.ToPixel(scale), first = m_tabPos.ToPixel(scale);
    RECT rc = {band.left, band.top, band.left + w, band.top + h};
    if (IsVerticalBand())
        ::OffsetRect(&rc, 0, first + index * (h + spacing));
    else
        ::OffsetRect(&rc, index * (w + spacing) + first, 0);
    if (!::IntersectRect(out, &rc, &band))
        *out = RECT{};
    return TRUE;
}

int STabCtrl::HitTest(POINT pt) const
{
    for (int i = 0; i < GetItemCount(); ++i) {
        RECT rc = {};
        if (GetItemRect(i, &rc) && ::PtInRect(&rc, pt))
            return i;
    }
    return -1;
}

} // namespace DUI

namespace DUI {

void STabCtrl::InvalidateTab(int index)
{
    RECT rc = {};
    if (GetItemRect(index, &rc))
        InvalidateRect(&rc);
}

// A changing handler may destroy pages or the control itself: the change
// then stops, with nothing else touched.
BOOL STabCtrl::SetCurSel(int index)
{
    if (index < 0 || index >= GetItemCount() || index == m_curSel)
        return FALSE;
    const int old = m_curSel;
    EventTabSelChanging changing(this);
    changing.uOldSel = old;
    changing.uNewSel = index;
    FireEvent(changing);
    if (changing.bCancel || IsDestroyed() || index >= GetItemCount() || m_pages[index]->IsDestroyed())
        return FALSE;
    InvalidateTab(old);
    if (m_slider)
        m_slider->Finish();
    if (!(m_animateSteps != 0 && IsVisible(TRUE) && old != -1 && StartSlide(old, index)))
        SwapPages(old, index);
    m_curSel = index;
    InvalidateTab(index);
    EventTabSelChanged changed(this);
    changed.uOldSel = old;
    changed.uNewSel = index;
    FireEvent(changed);
    return TRUE;
}

BOOL STabCtrl::StartSlide(int from, int to)
{
    if (from < 0 || from >= GetItemCount())
        return FALSE;
    auto slider = SRefPtr<STabSlider>::Adopt(new STabSlider(this));
    if (!slider->Start(from, to, m_animateSteps, m_animateType, m_interpolator.Get()))
        return FALSE;
    m_slider = slider.Get();
    return TRUE;
}

void STabCtrl::SwapPages(int from, int to)
{
    if (STabPage* old = GetItem(from))
        old->SetVisible(FALSE, TRUE);
    if (STabPage* page = GetItem(to))
        page->SetVisible(TRUE, TRUE);
}

void STabCtrl::OnSliderFinished()
{
    m_slider = nullptr;
    if (STabPage* page = GetItem(m_curSel))
        page->SetVisible(TRUE, TRUE);
}

void STabCtrl::OnDestroy()
{
    m_slider = nullptr;   // it goes with the other children
    for (auto it = m_pages.rbegin(); it != m_pages.rend(); ++it)
        DestroyChild(it->Get());
    m_pages.clear();
    SWindow::OnDestroy();
}

void STabCtrl::OnLButtonDown(UINT flags, POINT pt)
{
    SWindow::OnLButtonDown(flags, pt);
    const int hit = HitTest(pt);
    if (hit != m_curSel)
        SetCurSel(hit);
}

void STabCtrl::TrackHover(POINT pt)
{
    const int previous = m_hover;
    m_hover = pt.x == INT_MIN ? -1 : HitTest(pt);
    if (m_hover == previous)
        return;
    if (previous != -1) {
        if (previous != m_curSel)
            InvalidateTab(previous);
        EventTabItemLeave e(this);
        e.iLeave = previous;
        FireEvent(e);
    }
    if (m_hover != -1) {
        if (m_hover != m_curSel)
            InvalidateTab(m_hover);
        EventTabItemHover e(this);
        e.iHover = m_hover;
        FireEvent(e);
    }
    // Each tab has its own tip.
    if (ISwndContainer* container = GetContainer(); container && container->GetHover() == GetSwnd())
        container->UpdateTooltip();
}

void STabCtrl::OnMouseLeave()
{
    TrackHover(POINT{INT_MIN, INT_MIN});
    SWindow::OnMouseLeave();
}

void STabCtrl::OnKeyDown(UINT key)
{
    const int last = GetItemCount() - 1;
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        if (!SetCurSel(m_curSel - 1))
            SetCurSel(last);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        if (!SetCurSel(m_curSel + 1))
            SetCurSel(0);
        break;
    case VK_HOME: SetCurSel(0); break;
    case VK_END: SetCurSel(last); break;
    default: break;
    }
}

BOOL STabCtrl::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_MOUSEMOVE: TrackHover(PointFromLParam(lp)); return TRUE;
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wp)); return TRUE;
    default: return SWindow::OnSwndMessage(msg, wp, lp, result);
    }
}

} // namespace DUI
