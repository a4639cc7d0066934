#pragma once
// "page": one page of a tab control, with the title and icon its tab shows.
// Pages start hidden; the tab control shows the current one.
#include "dui/core/SWindow.h"

namespace DUI {

class STabPage : public SWindow
{
    DUI_CLASS_NAME(STabPage, SWindow, L"page", Window_Kind)
public:
    STabPage();
    ~STabPage() override = default;

    SStringW GetTitle(BOOL raw = FALSE) const { return m_title.GetText(raw); }
    void SetTitle(const SStringW& title);
    void TranslateTitle() { m_title.Translate(); }
    // -1: the tab shows the icon of its own index.
    int GetIconIndex() const { return m_iconIndex; }

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    // A page shows no tooltip of its own: its text is its tab's.
    BOOL OnUpdateToolTip(const SwndToolTipKey&, SwndToolTipInfo&) override { return FALSE; }

private:
    SwndText m_title{this};
    int m_iconIndex = -1;
};

} // namespace DUI
