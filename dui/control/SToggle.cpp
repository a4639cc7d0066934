#include "dui/control/SToggle.h"

#include "dui/control/SControlSkin.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::SToggle::SetAttribute";

// Skin states 3-5 are the toggled looks of 0-2.
constexpr int kToggledStates = 3;

} // namespace

SToggle::SToggle() : m_toggleSkin(FindSystemSkin(SysSkin_TreeToggle)) {}

SToggle::~SToggle() = default;

void SToggle::SetToggled(BOOL toggled)
{
    m_toggled = toggled ? 1 : 0;
    InvalidateRect(nullptr);
}

struct SToggle::AttrRows
{
    using Row = SAttrRow<SToggle>;

    static constexpr Row kRows[] = {
        {L"toggled", &ctrlattr::Flag<SToggle, &SToggle::m_toggled, kSetAttribute>, AttrEffect::Redraw},
        {L"skin", &ctrlattr::Skin<SToggle, &SToggle::m_toggleSkin>, AttrEffect::Redraw},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SToggle::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SWindow::SetAttribute(name, value, loading); });
}

void SToggle::SetColorize(COLORREF color)
{
    SWindow::SetColorize(color);
    ColorizeSkin(m_toggleSkin.Get(), color);
}

void SToggle::OnScaleChanged(int scale)
{
    SWindow::OnScaleChanged(scale);
    RescaleSkin(m_toggleSkin, scale);
}

SIZE SToggle::MeasureContent(int, int)
{
    return SkinSizeOf(m_toggleSkin.Get());
}

int SToggle::SkinState() const
{
    const DWORD state = GetState();
    int index = 0;
    if (state & WndState_PushDown)
        index = 2;
    else if (state & WndState_Hover)
        index = 1;
    return m_toggled ? index + kToggledStates : index;
}

void SToggle::OnPaint(IPaintSurface* rt)
{
    if (!rt || !m_toggleSkin)
        return;
    const RECT rc = GetWindowRect();
    m_toggleSkin->DrawByState(rt, &rc, SkinState());
}

// A press begun elsewhere counts too: only where the button goes up matters.
void SToggle::OnLButtonUp(UINT flags, POINT pt)
{
    const RECT rc = GetWindowRect();
    if (::PtInRect(&rc, pt))
        m_toggled = !m_toggled;
    SWindow::OnLButtonUp(flags, pt);
}

} // namespace DUI
