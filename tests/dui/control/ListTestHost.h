#pragma once
// For tests of the adapter-driven lists in a real host: an adapter whose
// rows are made from their index and which notes every row it is asked for,
// and posted mouse and key input.
#include "ScrollTestHost.h"

#include <functional>
#include <string>
#include <vector>

#include "dui/control/ItemPanelEvents.h"
#include "dui/control/ListViewEvents.h"
#include "dui/control/LvAdatperImpl.h"

namespace listtest {

using namespace DUI;

class RowAdapter : public SAdapterBase
{
public:
    int count = 100;
    int types = 1;
    std::vector<int> asked;
    bool askedPastCount = false;
    std::function<int(int)> typeOf;
    std::function<void(int, SItemPanel*)> onGetView;

    int GetCount() override { return count; }
    int GetViewTypeCount() override { return types; }
    int GetItemViewType(int row) override { return typeOf ? typeOf(row) : 0; }
    void GetView(int row, SItemPanel* item, xmldom::xml_node tpl) override
    {
        askedPastCount = askedPastCount || row < 0 || row >= count;
        asked.push_back(row);
        if (item->GetChildrenCount() == 0)
            item->CreateChildren(tpl);
        if (SWindow* text = item->FindChildByName(L"txt"))
            text->SetWindowText((L"row " + std::to_wstring(row)).c_str());
        if (onGetView)
            onGetView(row, item);
    }
    using SAdapterBase::NotifyDataSetChanged;
    using SAdapterBase::NotifyItemDataChanged;
};

// The wrapped events the view receives: (event id, name of the sender).
struct PanelEventLog
{
    explicit PanelEventLog(SWindow* view)
    {
        view->SubscribeEvent(EventOfPanel::EventID, StdFunctionSlot([this](EventArgs* e) {
                                 auto* wrapped = static_cast<EventOfPanel*>(e);
                                 auto* from = wrapped->pOrgEvt->GetSender<SWindow>();
                                 events.push_back({wrapped->pOrgEvt->GetID(), from->GetName()});
                                 return false;
                             }));
    }
    std::vector<std::pair<int, std::wstring>> events;
};

class ListHostTest : public scrolltest::ScrollHostTest
{
protected:
    void SetUp() override
    {
        hosttest::HostTest::SetUp();
        AddScrollbarSkin();
    }
    HWND Open(LPCWSTR layout)
    {
        m_host = NewHost(layout);
        m_hwnd = Shown(m_host);
        return m_hwnd;
    }
    void Click(POINT pt, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP)
    {
        PostAndPump(m_hwnd, WM_MOUSEMOVE, 0, pt);
        PostAndPump(m_hwnd, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, pt);
        PostAndPump(m_hwnd, up, 0, pt);
    }
    void Key(WPARAM vk)
    {
        ::PostMessageW(m_hwnd, WM_KEYDOWN, vk, 1);
        ::PostMessageW(m_hwnd, WM_KEYUP, vk, 0xC0000001);
        nativetest::PumpUntil([this] {
            MSG m;
            return !::PeekMessageW(&m, m_hwnd, 0, 0, PM_NOREMOVE);
        }, 5000);
    }
    // The host's image, repainted.
    uint32_t At(POINT pt)
    {
        Flush(m_host);
        return Pixel(m_host, pt);
    }
    // Scales the host and its window by percent.
    void ScaleTo(int percent, SIZE at100)
    {
        m_host->BroadcastMessage(UM_SETSCALE, static_cast<WPARAM>(percent));
        ::SetWindowPos(m_hwnd, nullptr, 0, 0, at100.cx * percent / 100, at100.cy * percent / 100,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Flush(m_host);
    }
};

} // namespace listtest
