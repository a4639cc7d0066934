#include "dui/control/SButton.h"

#include "dui/control/SControlSkin.h"
#include "dui/core/CAccelerator.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::SButton::SetAttribute";
constexpr WORD kOpaque = 255;
constexpr WORD kFadeStart = 50;

bool IsPressKey(WPARAM key)
{
    return key == VK_SPACE || key == VK_RETURN;
}

IAcceleratorMgr* AcceleratorsOf(const SWindow* w)
{
    ISwndContainer* container = w->GetContainer();
    return container ? container->GetAcceleratorMgr() : nullptr;
}

} // namespace

SButton::SButton()
{
    SetSkin(FindSystemSkin(SysSkin_BtnNormal).Get());
    SetAttribute(L"focusable", L"1", TRUE);
    m_minWidth = SLayoutSize(0.0f, SLayoutSize::px);
    m_minHeight = SLayoutSize(0.0f, SLayoutSize::px);
}

struct SButton::AttrRows
{
    using Row = SAttrRow<SButton>;

    static HRESULT Accel(SButton& b, const SStringW& value, BOOL)
    {
        b.SetAccel(value);
        return S_OK;
    }
    static HRESULT MinSize(SButton& b, const SStringW& value, BOOL) { return b.SetMinSize(value); }

    static constexpr Row kRows[] = {
        {L"accel", &Accel, AttrEffect::None},
        {L"minSize", &MinSize, AttrEffect::None},
        {L"animate", &layoutattr::Int<SButton, kSetAttribute, &SButton::m_animate>, AttrEffect::None},
        {L"animateStep", &layoutattr::Int<SButton, kSetAttribute, &SButton::m_aniStep>, AttrEffect::None},
        {L"disableAccelIfInvisible", &ctrlattr::Bool<SButton, &SButton::m_accelOnlyVisible>, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SButton::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SWindow::SetAttribute(name, value, loading); });
}

HRESULT SButton::SetMinSize(const SStringW& value)
{
    return ReadDimensionPair(value, kSetAttribute, m_minWidth, m_minHeight) ? S_FALSE : E_INVALIDARG;
}

BOOL SButton::SetAccel(const SStringW& text)
{
    IAcceleratorMgr* accelerators = AcceleratorsOf(this);
    if (m_accel && accelerators)
        accelerators->UnregisterAccelerator(CAccelerator(m_accel), this);
    m_accel = CAccelerator::ParseHotkeyText(text);
    if (m_accel && accelerators)
        accelerators->RegisterAccelerator(CAccelerator(m_accel), this);
    return TRUE;
}

SStringW SButton::AccelTextOf(const SStringW& text)
{
    const int len = text.GetLength();
    if (len == 0 || text[len - 1] != L')')
        return SStringW();
    const int open = text.ReverseFind(L'(');
    if (open < 0 || open + 2 >= len - 1 || text[open + 1] != L'&')
        return SStringW();
    return SStringW(L"alt+") + text.Mid(open + 2, 1);
}

BOOL SButton::ApplyXmlNode(xmldom::xml_node element)
{
    if (!SWindow::ApplyXmlNode(element))
        return FALSE;
    const SStringW accel = AccelTextOf(GetWindowText(TRUE));
    if (!accel.IsEmpty() && CAccelerator::ParseHotkeyText(accel) != 0)
        SetAccel(accel);
    return TRUE;
}

BOOL SButton::OnAcceleratorPressed(const CAccelerator&)
{
    if (IsDisabled(TRUE))
        return FALSE;
    if (m_accelOnlyVisible && !IsVisible(TRUE))
        return FALSE;
    FireCommand();
    return TRUE;
}

void SButton::OnStateChanged(DWORD oldState, DWORD newState)
{
    SWindow::OnStateChanged(oldState, newState);
    StopCurAnimate();
    if (!m_animate || GetCapture() == GetSwnd())
        return;
    const bool fade = (oldState == WndState_Normal && newState == WndState_Hover) ||
                      (oldState == WndState_Hover && newState == WndState_Normal);
    if (!fade || !GetContainer())
        return;
    m_aniAlpha = kFadeStart;
    GetContainer()->RegisterTimelineHandler(this);
}

void SButton::OnTimelineTick()
{
    m_aniAlpha = static_cast<WORD>(m_aniAlpha + m_aniStep);
    if (m_aniAlpha > 254)
        StopCurAnimate();
    InvalidateClient();
}

void SButton::StopCurAnimate()
{
    if (ISwndContainer* container = GetContainer())
        container->UnregisterTimelineHandler(this);
    m_aniAlpha = kOpaque;
}

SIZE SButton::MeasureDesiredSize(int width, int height)
{
    SIZE size = SWindow::MeasureDesiredSize(width, height);
    const int scale = GetScale();
    const int minWidth = m_minWidth.ToPixel(scale), minHeight = m_minHeight.ToPixel(scale);
    if (size.cx != 0 && size.cx < minWidth)
        size.cx = minWidth;
    if (size.cy != 0 && size.cy < minHeight)
        size.cy = minHeight;
    return size;
}

BOOL SButton::OnEraseBkgnd(IPaintSurface*)
{
    // The skin goes down with the text in OnPaint.
    return TRUE;
}

void SButton::OnPaint(IPaintSurface* rt)
{
    if (!rt || !GetSkin())
        return;
    DrawSkin(rt);
    SWindow::OnPaint(rt);
}

// During a fade the hover look is laid over the normal one with a growing
// (hover) or shrinking (leave) alpha.
void SButton::DrawSkin(IPaintSurface* rt)
{
    ISkinObj* skin = GetSkin();
    const RECT client = GetClientRect();
    if (m_aniAlpha >= kOpaque) {
        skin->DrawByState(rt, &client, static_cast<DWORD>(GetDrawState()));
        return;
    }
    const BYTE own = skin->GetAlpha();
    const BYTE part = static_cast<BYTE>((m_aniAlpha * own) >> 8);
    skin->DrawByIndex(rt, &client, 0, own);
    const BOOL hovered = (GetState() & WndState_Hover) != 0;
    skin->DrawByIndex(rt, &client, 1, hovered ? part : static_cast<BYTE>(own - part));
}

BOOL SButton::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    switch (msg) {
    case WM_ERASEBKGND:
        result = 1;
        return TRUE;
    case WM_LBUTTONDBLCLK:
        return SWindow::OnSwndMessage(WM_LBUTTONDOWN, wp, lp, result);
    case WM_KEYDOWN:
        if (!IsPressKey(wp))
            return FALSE;
        OnKeyDown(wp);
        return TRUE;
    case WM_KEYUP:
        if (!IsPressKey(wp))
            return FALSE;
        OnKeyUp(wp);
        return TRUE;
    default:
        return SWindow::OnSwndMessage(msg, wp, lp, result);
    }
}

void SButton::OnKeyDown(WPARAM)
{
    ModifyState(WndState_PushDown, 0, TRUE);
}

void SButton::OnKeyUp(WPARAM)
{
    if (!(GetState() & WndState_PushDown))
        return;
    ModifyState(0, WndState_PushDown, TRUE);
    FireCommand();
}

void SButton::OnDestroy()
{
    if (IAcceleratorMgr* accelerators = AcceleratorsOf(this); accelerators && m_accel)
        accelerators->UnregisterAccelerator(CAccelerator(m_accel), this);
    StopCurAnimate();
    SWindow::OnDestroy();
}

void SButton::OnSize(UINT type, SIZE size)
{
    SWindow::OnSize(type, size);
    StopCurAnimate();
}

} // namespace DUI
