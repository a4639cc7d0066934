#pragma once
// The base of every program window that does not run modally: a host
// window with the styles of the current theme, the tooltip manager, message
// parts that are offered the application's messages, the UI calls carried
// from other threads, and scaling to the window's DPI.
#include <vector>

#include "app/controls/SDlgCommon.h"
#include "app/controls/SDpiHandler.h"
#include "dui/core/SHostWnd.h"

namespace DUI {

class SDlgBaseWnd : public SHostWnd, public SDpiHandler<SDlgBaseWnd>
{
public:
    // layout: "TYPE:NAME", e.g. "LAYOUTGLOBAL:dlg_mask".
    explicit SDlgBaseWnd(LPCWSTR layout);
    ~SDlgBaseWnd() override;

    // Parts are offered WM_COPYDATA, WM_COMMAND, WM_TIMER and the messages
    // from WM_USER up, in the order they were added, until one claims one.
    void AddMsgPart(SWindow* part) { m_common.AddMsgPart(part); }
    void RemoveMsgPart(SWindow* part) { m_common.RemoveMsgPart(part); }
    const std::vector<SWindow*>& GetMsgParts() const { return m_common.GetMsgParts(); }
    SStylePool* GetThemeStylePool() const { return m_common.GetThemePool(); }

    BOOL ApplyXmlNode(xmldom::xml_node element, int cx, int cy) override;
    using SHostWnd::ApplyXmlNode;
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId) override;
    void OnDpiChanged(int scale, const RECT& rc) override;

protected:
    // Tooltip windows, which are tooltips themselves, keep the host's.
    void SetUseTooltipManager(bool use) { m_common.SetUseTooltipManager(use); }

private:
    BOOL RunOwnMessages(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

    SDlgCommon m_common{*this};
};

} // namespace DUI
