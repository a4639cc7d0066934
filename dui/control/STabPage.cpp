#include "dui/control/STabPage.h"

#include "dui/core/SLayoutParamAttr.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

STabPage::STabPage()
{
    SetAttribute(L"visible", L"0", TRUE);
}

void STabPage::SetTitle(const SStringW& title)
{
    m_title.SetText(ResolveNamedString(title));
}

HRESULT STabPage::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    if (name.CompareNoCase(L"title") == 0)
        SetTitle(value);
    else if (name.CompareNoCase(L"iconIndex") == 0)
        m_iconIndex = ReadInt(value, "DUI::STabPage::SetAttribute");
    else
        return SWindow::SetAttribute(name, value, loading);
    return AfterSetAttribute(name, value, loading, S_FALSE);
}

} // namespace DUI
