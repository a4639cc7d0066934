#include "app/controls/SMgrTooltip.h"

#include "app/controls/SDlgCommon.h"
#include "app/controls/STooltipCmn.h"
#include "dui/core/base/DuiLog.h"
#include "dui/core/SWindow.h"

namespace DUI {

SMgrTooltip::SMgrTooltip()
{
    auto* common = new STooltipCmn(L"LAYOUTGLOBAL:dlg_tooltip");
    if (!common->CreateHidden()) {
        DUI_LOG_WARNING("app", "SMgrTooltip::SMgrTooltip", L"the common tooltip window cannot be made");
        common->Release();
        return;
    }
    m_tips[kCommonKey] = common;
}

SMgrTooltip::~SMgrTooltip()
{
    // The common tooltip deletes itself once its window is gone.
    auto it = m_tips.find(kCommonKey);
    if (it != m_tips.end()) {
        if (auto* common = dynamic_cast<STooltipCmn*>(it->second))
            common->DestroyWindow();
    }
}

void SMgrTooltip::Register()
{
    SDlgCommon::SetTooltipManagerFactory(SRefPtr<IToolTipFactory>::Adopt(new SMgrTooltipFactory()).Get());
}

void SMgrTooltip::SetWindowTip(SWindow* window, IToolTip* tooltip)
{
    if (window)
        m_tips[static_cast<uint32_t>(window->GetSwnd())] = tooltip;
}

IToolTip* SMgrTooltip::GetCommonTip() const
{
    auto it = m_tips.find(kCommonKey);
    return it == m_tips.end() ? nullptr : it->second;
}

BOOL SMgrTooltip::PreTranslateMessage(MSG* msg)
{
    for (const auto& [key, tip] : m_tips) {
        if (tip && tip->PreTranslateMessage(msg))
            return TRUE;
    }
    return FALSE;
}

void SMgrTooltip::UpdateTip(const SwndToolTipKey& id, const RECT& rc, LPCWSTR text, int scale)
{
    auto it = m_tips.find(static_cast<uint32_t>(id.swnd));
    IToolTip* tip = it != m_tips.end() ? it->second : m_tips[kCommonKey];
    if (tip)
        tip->UpdateTip(id, rc, text, scale);
}

void SMgrTooltip::ClearTip()
{
    for (const auto& [key, tip] : m_tips) {
        if (tip)
            tip->ClearTip();
    }
}

void SMgrTooltip::RelayEvent(const MSG* msg)
{
    for (const auto& [key, tip] : m_tips) {
        if (tip)
            tip->RelayEvent(msg);
    }
}

// The manager's tooltips live in windows of their own: the host is not needed.
IToolTip* SMgrTooltipFactory::CreateToolTip(HWND)
{
    return new SMgrTooltip();
}

void SMgrTooltipFactory::DestroyToolTip(IToolTip* tooltip)
{
    delete static_cast<SMgrTooltip*>(tooltip);
}

} // namespace DUI
