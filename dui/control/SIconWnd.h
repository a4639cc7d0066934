#pragma once
// Icon window ("icon"): draws one system icon, which it owns, over its
// client area.
#include "dui/core/base/SHandle.h"
#include "dui/core/SWindow.h"

namespace DUI {

class SIconWnd : public SWindow
{
    DUI_CLASS_NAME(SIconWnd, SWindow, L"icon", Window_Kind)
public:
    SIconWnd() = default;
    ~SIconWnd() override = default;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    SIZE MeasureContent(int parentWidth, int parentHeight) override;

    // Takes ownership of `icon`; the icon shown so far is destroyed.
    void SetIcon(HICON icon);
    HICON GetIcon() const { return m_icon.Get(); }

protected:
    void OnPaint(IPaintSurface* rt) override;

    SIconHandle m_icon;
};

} // namespace DUI
