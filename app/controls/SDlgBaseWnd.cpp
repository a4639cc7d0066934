#include "app/controls/SDlgBaseWnd.h"

#include "app/core/UiCallDispatcher.h"

namespace DUI {

SDlgBaseWnd::SDlgBaseWnd(LPCWSTR layout) : SHostWnd(layout) {}

SDlgBaseWnd::~SDlgBaseWnd()
{
    // The window goes while this class's map still runs: the host's own
    // teardown would free the tooltip manager as a tooltip of its factory.
    if (GetHwnd() && ::IsWindow(GetHwnd())) {
        AddRef();
        ::DestroyWindow(GetHwnd());
    }
}

BOOL SDlgBaseWnd::ApplyXmlNode(xmldom::xml_node element, int cx, int cy)
{
    m_common.ApplyThemedStyles(element);
    return SHostWnd::ApplyXmlNode(element, cx, cy);
}

BOOL SDlgBaseWnd::ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId)
{
    if (mapId != 0)
        return FALSE;
    result = 0;
    if (msg == WM_INITDIALOG)
        UiCallDispatcher::Instance().FlushPending();
    if (SDlgCommon::Reflect(*this, msg, wp, lp, result))
        return TRUE;
    if (RunOwnMessages(msg, wp, lp, result))
        return TRUE;
    if (SHostWnd::ProcessWindowMessage(hwnd, msg, wp, lp, result, mapId))
        return TRUE;
    m_common.ScaleOnDpiMessage(msg, wp, lp, *this);
    result = 0;
    return FALSE;
}

BOOL SDlgBaseWnd::RunOwnMessages(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_DESTROY:
        m_common.RemoveTooltipManager();
        OnNativeDestroy();
        return TRUE;
    case UM_UI_CALL:
        UiCallDispatcher::Instance().HandleUiCallMessage(GetHwnd(), wp, lp);
        return TRUE;
    default:
        return m_common.RunSharedMessages(
            msg, wp, lp, result, [this](CREATESTRUCTW* cs) { return OnNativeCreate(cs); }, &SDlgCommon::IsPartMessage);
    }
}

void SDlgBaseWnd::OnDpiChanged(int scale, const RECT& rc)
{
    m_common.Rescale(scale, rc);
}

} // namespace DUI
