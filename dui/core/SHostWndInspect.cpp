// SHostWnd: the inspection protocol, through which another window reads the
// host's window tree.
#include "dui/core/SHostWnd.h"

#include <memory>

#include "dui/core/base/SMsgPoint.h"
#include "dui/core/SwndInspectRecord.h"

namespace DUI {

namespace {

// 0 names the root.
SWindow* InspectedWindow(SWindow* root, SWND swnd)
{
    if (swnd == 0)
        return root;
    SWindowMgr* mgr = SWindowMgr::GetInstance();
    return mgr ? mgr->GetWindow(swnd) : nullptr;
}

} // namespace

LRESULT SHostWnd::OnInspectSetWindow(HWND inspector)
{
    m_inspector = ::IsWindow(inspector) ? inspector : nullptr;
    return m_inspector ? 1 : 0;
}

LRESULT SHostWnd::OnInspectRelated(SWND swnd, UINT code)
{
    if (!m_attr.IsAllowSpy())
        return 0;
    SWindow* w = InspectedWindow(this, swnd);
    SWindow* related = w ? w->GetRelatedWindow(code) : nullptr;
    return related ? related->GetSwnd() : 0;
}

LRESULT SHostWnd::OnInspectInfo(SWND swnd)
{
    SWindow* w = InspectedWindow(this, swnd);
    if (!m_attr.IsAllowSpy() || !w)
        return 0;
    auto record = std::make_unique<SwndInspectRecord>();
    record->Fill(w);
    COPYDATASTRUCT cds = {UM_SPY_INFO, sizeof(SwndInspectRecord), record.get()};
    ::SendMessageW(m_inspector, WM_COPYDATA, reinterpret_cast<WPARAM>(GetHwnd()), reinterpret_cast<LPARAM>(&cds));
    return 1;
}

LRESULT SHostWnd::OnInspectHitTest(LPARAM screen)
{
    POINT pt = PointFromLParam(screen);
    ::ScreenToClient(GetHwnd(), &pt);
    return HitTestSwnd(pt);
}

} // namespace DUI
