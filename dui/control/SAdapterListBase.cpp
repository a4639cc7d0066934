#include "dui/control/SAdapterListBase.h"

#include <algorithm>

#include "dui/control/ItemPanelEvents.h"
#include "dui/control/ListViewEvents.h"
#include "dui/control/SListViewItemLocatorFix.h"
#include "dui/control/SListViewItemLocatorFlex.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/base/DuiLog.h"
#include "dui/core/base/SAttrTable.h"
#include "dui/core/base/SlotFunctor.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSkinPoolMgr.h"

namespace DUI {

namespace {

constexpr char kSource[] = "SAdapterListBase.cpp";

} // namespace

// Forwards the adapter's notices to its view; no reference on the view,
// which unregisters it before it goes.
class SAdapterListBase::Observer : public TObjRefImpl<ILvDataSetObserver>
{
public:
    explicit Observer(SAdapterListBase* view) : m_view(view) {}
    void OnChanged() override { m_view->OnDataSetChanged(); }
    void OnInvalidated() override { m_view->OnDataSetInvalidated(); }
    void OnItemChanged(int index) override { m_view->OnItemDataChanged(index); }

private:
    SAdapterListBase* m_view;
};

struct SAdapterListBase::AttrRows
{
    using Row = SAttrRow<SAdapterListBase>;

    static HRESULT DividerSkin(SAdapterListBase& v, const SStringW& value, BOOL)
    {
        SSkinPoolMgr* skins = SSkinPoolMgr::GetInstance();
        ISkinObj* skin = skins ? skins->GetSkin(value, v.GetScale()) : nullptr;
        if (!skin)
            return E_FAIL;
        v.m_dividerSkin.Reset(skin);
        return S_OK;
    }
    static HRESULT DividerSize(SAdapterListBase& v, const SStringW& value, BOOL)
    {
        v.m_dividerSize = ResolveLayoutDim(value.c_str());
        return S_OK;
    }
    static HRESULT WantTab(SAdapterListBase& v, const SStringW& value, BOOL)
    {
        v.m_wantTab = ReadInt(value, "DUI::SAdapterListBase::SetAttribute");
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"dividerSkin", &DividerSkin, AttrEffect::RedrawLater},
        {L"dividerSize", &DividerSize, AttrEffect::RedrawLater},
        {L"wantTab", &WantTab, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

SAdapterListBase::SAdapterListBase()
{
    m_observer = SRefPtr<ILvDataSetObserver>::Adopt(new Observer(this));
    SPanel::SetAttribute(L"updateInterval", L"40", TRUE);
    SWindow::SetAttribute(L"focusable", L"1", TRUE);
    SEventSet* events = GetEventSet();
    events->AddEvent(EventLVSelChanging::EventID, EventLVSelChanging::EventName());
    events->AddEvent(EventLVSelChanged::EventID, EventLVSelChanged::EventName());
    events->AddEvent(EventOfPanel::EventID, EventOfPanel::EventName());
}

SAdapterListBase::~SAdapterListBase()
{
    if (m_adapter)
        m_adapter->UnregisterObserver(m_observer.Get());
    DestroyPanels();
}

HRESULT SAdapterListBase::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT result = S_FALSE;
    if (!AttrRows::kTable.Apply(*this, name, value, loading, result))
        return SPanel::SetAttribute(name, value, loading);
    return AfterSetAttribute(name, value, loading, result);
}

BOOL SAdapterListBase::ReadTemplate(xmldom::xml_node element)
{
    xmldom::xml_node tpl = element.child(L"template");
    if (tpl.empty())
        return FALSE;
    m_template.reset();
    m_template.append_copy(tpl);
    SLayoutSize height = ResolveLayoutDim(tpl.attribute(L"itemHeight").value());
    SRefPtr<IListViewItemLocator> locator;
    if (!tpl.attribute(L"itemHeight").empty() && height.GetValue() > 0) {
        locator = SRefPtr<IListViewItemLocator>::Adopt(new SListViewItemLocatorFix(height, m_dividerSize));
    } else {
        xmldom::xml_attribute def = tpl.attribute(L"defHeight");
        const SLayoutSize defHeight = ResolveLayoutDim(def.empty() ? L"30dp" : def.value());
        locator = SRefPtr<IListViewItemLocator>::Adopt(new SListViewItemLocatorFlex(defHeight, m_dividerSize));
    }
    SetItemLocator(locator.Get());
    return TRUE;
}

xmldom::xml_node SAdapterListBase::TemplateNode() const
{
    return m_template.first_child();
}

void SAdapterListBase::SetItemLocator(IListViewItemLocator* locator)
{
    if (locator != m_locator.Get())
        m_locator = SRefPtr<IListViewItemLocator>::Share(locator);
    if (!m_locator) {
        OnDataSetChanged();
        return;
    }
    m_locator->SetAdapter(m_adapter.Get());
    m_locator->SetScale(GetScale());
    OnDataSetChanged();
}

BOOL SAdapterListBase::SetAdapter(ILvAdapter* adapter)
{
    if (!m_locator)
        return FALSE;
    if (m_adapter) {
        m_adapter->UnregisterObserver(m_observer.Get());
        DestroyPanels();
    }
    // The old adapter may be the caller's last reference to the new one.
    const SRefPtr<ILvAdapter> keep = SRefPtr<ILvAdapter>::Share(adapter);
    if (adapter != m_adapter.Get())
        m_adapter = keep;
    m_locator->SetAdapter(adapter);
    m_panelsCreated = 0;
    if (!adapter)
        return TRUE;
    adapter->InitByTemplate(TemplateNode());
    adapter->RegisterObserver(m_observer.Get());
    const int types = std::max(adapter->GetViewTypeCount(), 1);
    m_bins.clear();
    for (int i = 0; i < types; ++i)
        m_bins.push_back(std::make_unique<SLinkedList<SItemPanel*>>());
    OnDataSetChanged();
    return TRUE;
}

void SAdapterListBase::DestroyPanels()
{
    ++m_generation;
    m_hoverPanel = nullptr;
    m_capturePanel = nullptr;
    std::vector<SItemPanel*> all;
    for (const auto& bin : m_bins) {
        for (auto pos = bin->GetHeadPosition(); pos; pos = pos->m_pNext)
            all.push_back(pos->m_value);
    }
    m_bins.clear();
    ForEachVisible([&](SItemPanel* p) { all.push_back(p); });
    m_visible.RemoveAll();
    m_firstVisible = -1;
    for (SItemPanel* p : all)
        p->Release();
}

void SAdapterListBase::OnDataSetChanged()
{
    if (!m_adapter)
        return;
    if (!IsVisible(TRUE)) {
        m_pendingRefresh = TRUE;
        m_pendingRow = -1;
        return;
    }
    if (m_updating) {
        m_changedWhileUpdating = TRUE;
        return;
    }
    if (m_locator)
        m_locator->OnDataSetChanged();
    if (m_sel >= m_adapter->GetCount())
        m_sel = -1;
    UpdateScrollBar();
    UpdateVisibleItems();
}

void SAdapterListBase::OnDataSetInvalidated()
{
    m_dataInvalidated = TRUE;
    InvalidateClient();
}

void SAdapterListBase::OnItemDataChanged(int row)
{
    if (!m_adapter)
        return;
    if (!IsVisible(TRUE)) {
        m_pendingRefresh = TRUE;
        m_pendingRow = m_pendingRow == -2 ? row : -1;
        return;
    }
    if (row < m_firstVisible || row >= m_firstVisible + static_cast<int>(GetVisibleCount()) ||
        row >= m_adapter->GetCount())
        return;
    if (m_locator && m_locator->IsFixHeight()) {
        if (SItemPanel* panel = GetItemPanel(row)) {
            const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(panel);
            m_adapter->GetView(row, panel, TemplateNode());
            panel->UpdateLayout();
            OnRowLaidOut(panel);
            InvalidateClient();
        }
        return;
    }
    UpdateVisibleItems();
}

void SAdapterListBase::ApplyPendingRefresh()
{
    if (!m_pendingRefresh || !IsVisible(TRUE))
        return;
    const int row = m_pendingRow;
    m_pendingRefresh = FALSE;
    m_pendingRow = -2;
    if (row == -1)
        OnDataSetChanged();
    else
        OnItemDataChanged(row);
}

RECT SAdapterListBase::RowsRect() const
{
    return GetClientRect();
}

int SAdapterListBase::RowsLeft() const
{
    return GetClientRect().left;
}

int SAdapterListBase::RowsWidth() const
{
    const RECT rc = GetClientRect();
    return rc.right - rc.left;
}

RECT SAdapterListBase::PanelFrame() const
{
    const RECT rc = GetClientRect();
    return RECT{0, 0, rc.right - rc.left, rc.bottom - rc.top};
}

void SAdapterListBase::UpdateScrollBar()
{
    const RECT client = SWindow::GetClientRect();
    const int h = client.bottom - client.top;
    const int total = m_locator ? m_locator->GetTotalHeight() : 0;
    m_barShown &= ~Bar_Vert;
    if (total <= h) {
        m_siVer.nMin = 0;
        m_siVer.nMax = std::max(h - 1, 0);
        m_siVer.nPage = static_cast<UINT>(std::max(h, 0));
        m_siVer.nPos = 0;
    } else {
        m_siVer.nMin = 0;
        m_siVer.nMax = total - 1;
        m_siVer.nPage = static_cast<UINT>(std::max(h, 0));
        if (m_mouseInShowScroll != 1 || m_mouseInside) {
            m_barShown |= Bar_Vert;
            m_siVer.nPos = std::min(m_siVer.nPos, total - h);
        }
    }
    SetScrollPos(TRUE, m_siVer.nPos, FALSE);
    DeliverSwndMessage(WM_NCCALCSIZE);
    InvalidateClient();
}

int SAdapterListBase::CheckedViewType(int row, DWORD state)
{
    const int type = m_adapter->GetItemViewTypeEx(row, state);
    if (type >= 0 && type < static_cast<int>(m_bins.size()))
        return type;
    WriteLog(kSource, __LINE__, __func__, L"view type %d of row %d is outside 0-%d: type 0 used", type, row,
             static_cast<int>(m_bins.size()) - 1);
    return 0;
}

SItemPanel* SAdapterListBase::TakePanel(int type)
{
    SLinkedList<SItemPanel*>& bin = *m_bins[static_cast<size_t>(type)];
    if (!bin.IsEmpty()) {
        SItemPanel* panel = bin.GetAt(bin.GetHeadPosition());
        bin.RemoveAt(bin.GetHeadPosition());
        return panel;
    }
    SItemPanel* panel = SItemPanel::Create(this, xmldom::xml_node(), this);
    SubscribeItemClick(panel);
    ++m_panelsCreated;
    return panel;
}

void SAdapterListBase::SubscribeItemClick(SItemPanel* panel)
{
    panel->SubscribeEvent(EventItemPanelClick::EventID, StdFunctionSlot([this](EventArgs* e) {
                              auto* item = static_cast<SItemPanel*>(e->GetSender<SWindow>());
                              const int row = static_cast<int>(item->GetItemIndex());
                              if (row != m_sel)
                                  SetSel(row, TRUE);
                              return false;
                          }));
}

void SAdapterListBase::SetItemStateMuted(SItemPanel* panel, DWORD add, DWORD remove)
{
    SEventSet* events = panel->GetEventSet();
    const BOOL muted = events->IsMuted();
    events->SetMutedState(TRUE);
    panel->ModifyItemState(add, remove);
    events->SetMutedState(muted);
}

} // namespace DUI
