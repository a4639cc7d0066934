#include "dui/core/SHostWndAttr.h"

#include <cwchar>

#include <shlwapi.h>

#include "dui/core/base/SAttrTable.h"
#include "dui/core/base/StringSplit.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

namespace {

constexpr DWORD kDefaultFlags = 0x1000FF;   // alpha 255, spying allowed

int ParseInt(const SStringW& value)
{
    int n = 0;
    return ::StrToIntExW(value, STIF_SUPPORT_HEX, &n) ? n : 0;
}

HICON LoadIconText(const SStringW& value)
{
    SResProviderMgr* mgr = SResProviderMgr::GetInstance();
    return mgr ? mgr->LoadIconFromText(value) : nullptr;
}

RECT RectInPixels(const SLayoutSize& l, const SLayoutSize& t, const SLayoutSize& r, const SLayoutSize& b,
                  int scale)
{
    return RECT{l.ToPixel(scale), t.ToPixel(scale), r.ToPixel(scale), b.ToPixel(scale)};
}

} // namespace

SHostWndAttr::SHostWndAttr() : m_title(this)
{
    Init();
}

BOOL SHostWndAttr::IsKindOf(LPCWSTR tag) const
{
    return tag && std::wcscmp(tag, L"SHostWndAttr") == 0;
}

void SHostWndAttr::Init()
{
    m_flags = kDefaultFlags;
    m_style = 0;
    m_styleEx = 0;
    m_smallIcon.Reset();
    m_bigIcon.Reset();
}

RECT SHostWndAttr::GetMargin(int scale) const
{
    return RectInPixels(m_marginLeft, m_marginTop, m_marginRight, m_marginBottom, scale);
}

RECT SHostWndAttr::GetMaxInset(int scale) const
{
    return RectInPixels(m_insetLeft, m_insetTop, m_insetRight, m_insetBottom, scale);
}

SIZE SHostWndAttr::GetMinSize(int scale) const
{
    return SIZE{m_minWidth.ToPixel(scale), m_minHeight.ToPixel(scale)};
}

void SHostWndAttr::ZeroHorzMargin()
{
    m_marginLeft = m_marginRight = SLayoutSize(0.0f, SLayoutSize::px);
}

void SHostWndAttr::ZeroVertMargin()
{
    m_marginTop = m_marginBottom = SLayoutSize(0.0f, SLayoutSize::px);
}

// Exactly `count` comma-separated sizes, or nothing changes.
HRESULT SHostWndAttr::SetSizes(const SStringW& value, SLayoutSize* const* targets, size_t count)
{
    SStringWList parts;
    if (SplitString(value, L',', parts) != count)
        return E_INVALIDARG;
    for (size_t i = 0; i < count; ++i)
        *targets[i] = ResolveLayoutDim(parts[i]);
    return S_OK;
}

// The readers of the host's attributes; a member, so they reach the fields.
struct SHostWndAttr::AttrRows
{
    using Row = SAttrRow<SHostWndAttr>;

    static HRESULT TrCtx(SHostWndAttr& a, const SStringW& value, BOOL)
    {
        a.m_trCtx = ResolveNamedString(value);
        return S_OK;
    }
    static HRESULT Title(SHostWndAttr& a, const SStringW& value, BOOL)
    {
        a.m_title.SetText(ResolveNamedString(value));
        return S_OK;
    }
    static HRESULT MaxInset(SHostWndAttr& a, const SStringW& value, BOOL)
    {
        SLayoutSize* const t[] = {&a.m_insetLeft, &a.m_insetTop, &a.m_insetRight, &a.m_insetBottom};
        return SetSizes(value, t, 4);
    }
    static HRESULT Margin(SHostWndAttr& a, const SStringW& value, BOOL)
    {
        SLayoutSize* const t[] = {&a.m_marginLeft, &a.m_marginTop, &a.m_marginRight, &a.m_marginBottom};
        return SetSizes(value, t, 4);
    }
    static HRESULT MinSize(SHostWndAttr& a, const SStringW& value, BOOL)
    {
        SLayoutSize* const t[] = {&a.m_minWidth, &a.m_minHeight};
        return SetSizes(value, t, 2);
    }
    template <SLayoutSize SHostWndAttr::*size>
    static HRESULT Dim(SHostWndAttr& a, const SStringW& value, BOOL)
    {
        a.*size = ResolveLayoutDim(value);
        return S_OK;
    }
    template <DWORD SHostWndAttr::*field>
    static HRESULT Int(SHostWndAttr& a, const SStringW& value, BOOL)
    {
        a.*field = static_cast<DWORD>(ParseInt(value));
        return S_OK;
    }
    template <SIconHandle SHostWndAttr::*icon>
    static HRESULT Icon(SHostWndAttr& a, const SStringW& value, BOOL)
    {
        (a.*icon).Reset(LoadIconText(value));
        return S_OK;
    }
    static HRESULT Alpha(SHostWndAttr& a, const SStringW& value, BOOL)
    {
        a.m_flags = (a.m_flags & ~0xFFu) | (static_cast<DWORD>(ParseInt(value)) & 0xFF);
        return S_OK;
    }
    static HRESULT WndType(SHostWndAttr& a, const SStringW& value, BOOL);
    template <DWORD bit>
    static HRESULT Switch(SHostWndAttr& a, const SStringW& value, BOOL)
    {
        a.SetFlag(bit, ParseInt(value) & 1);
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"trCtx", &TrCtx, AttrEffect::None},
        {L"title", &Title, AttrEffect::None},
        {L"maxInset", &MaxInset, AttrEffect::None},
        {L"width", &Dim<&SHostWndAttr::m_width>, AttrEffect::None},
        {L"height", &Dim<&SHostWndAttr::m_height>, AttrEffect::None},
        {L"margin", &Margin, AttrEffect::None},
        {L"minsize", &MinSize, AttrEffect::None},
        {L"wndStyle", &Int<&SHostWndAttr::m_style>, AttrEffect::None},
        {L"wndStyleEx", &Int<&SHostWndAttr::m_styleEx>, AttrEffect::None},
        {L"smallIcon", &Icon<&SHostWndAttr::m_smallIcon>, AttrEffect::None},
        {L"bigIcon", &Icon<&SHostWndAttr::m_bigIcon>, AttrEffect::None},
        {L"alpha", &Alpha, AttrEffect::None},
        {L"wndType", &WndType, AttrEffect::None},
        {L"resizable", &Switch<kResizable>, AttrEffect::None},
        {L"translucent", &Switch<kTranslucent>, AttrEffect::None},
        {L"sendWheel2Hover", &Switch<kSendWheel2Hover>, AttrEffect::None},
        {L"appWnd", &Switch<kAppWnd>, AttrEffect::None},
        {L"toolWindow", &Switch<kToolWindow>, AttrEffect::None},
        {L"allowSpy", &Switch<kAllowSpy>, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

// "undefine", "appMain" or "normal", matched exactly.
HRESULT SHostWndAttr::AttrRows::WndType(SHostWndAttr& a, const SStringW& value, BOOL)
{
    static const LPCWSTR kTypes[] = {L"undefine", L"appMain", L"normal"};
    for (DWORD type = 0; type < 3; ++type) {
        if (std::wcscmp(value, kTypes[type]) == 0) {
            a.m_flags = (a.m_flags & ~0xFF00u) | (type << 8);
            return S_OK;
        }
    }
    return E_FAIL;
}

HRESULT SHostWndAttr::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return OnUnhandledAttribute(name, value, loading); });
}

} // namespace DUI
