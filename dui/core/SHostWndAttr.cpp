#include "dui/core/SHostWndAttr.h"

#include <cwchar>

#include <shlwapi.h>

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

HRESULT SHostWndAttr::SetFlagAttribute(const SStringW& name, const SStringW& value)
{
    static const struct {
        LPCWSTR name;
        DWORD bit;
    } kFlags[] = {
        {L"resizable", kResizable},   {L"translucent", kTranslucent}, {L"sendWheel2Hover", kSendWheel2Hover},
        {L"appWnd", kAppWnd},         {L"toolWindow", kToolWindow},   {L"allowSpy", kAllowSpy},
    };
    for (const auto& f : kFlags) {
        if (name.CompareNoCase(f.name) == 0) {
            SetFlag(f.bit, ParseInt(value) & 1);
            return S_OK;
        }
    }
    return S_FALSE;
}

HRESULT SHostWndAttr::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT hr = S_OK;
    if (name.CompareNoCase(L"trCtx") == 0) {
        m_trCtx = ResolveNamedString(value);
    } else if (name.CompareNoCase(L"title") == 0) {
        m_title.SetText(ResolveNamedString(value));
    } else if (name.CompareNoCase(L"maxInset") == 0) {
        SLayoutSize* const t[] = {&m_insetLeft, &m_insetTop, &m_insetRight, &m_insetBottom};
        hr = SetSizes(value, t, 4);
    } else if (name.CompareNoCase(L"width") == 0) {
        m_width = ResolveLayoutDim(value);
    } else if (name.CompareNoCase(L"height") == 0) {
        m_height = ResolveLayoutDim(value);
    } else if (name.CompareNoCase(L"margin") == 0) {
        SLayoutSize* const t[] = {&m_marginLeft, &m_marginTop, &m_marginRight, &m_marginBottom};
        hr = SetSizes(value, t, 4);
    } else if (name.CompareNoCase(L"minsize") == 0) {
        SLayoutSize* const t[] = {&m_minWidth, &m_minHeight};
        hr = SetSizes(value, t, 2);
    } else if (name.CompareNoCase(L"wndStyle") == 0) {
        m_style = static_cast<DWORD>(ParseInt(value));
    } else if (name.CompareNoCase(L"wndStyleEx") == 0) {
        m_styleEx = static_cast<DWORD>(ParseInt(value));
    } else if (name.CompareNoCase(L"smallIcon") == 0) {
        m_smallIcon.Reset(LoadIconText(value));
    } else if (name.CompareNoCase(L"bigIcon") == 0) {
        m_bigIcon.Reset(LoadIconText(value));
    } else if (name.CompareNoCase(L"alpha") == 0) {
        m_flags = (m_flags & ~0xFFu) | (static_cast<DWORD>(ParseInt(value)) & 0xFF);
    } else if (name.CompareNoCase(L"wndType") == 0) {
        static const LPCWSTR kTypes[] = {L"undefine", L"appMain", L"normal"};
        int type = -1;
        for (int i = 0; i < 3; ++i) {
            if (std::wcscmp(value, kTypes[i]) == 0)
                type = i;
        }
        if (type < 0)
            return E_FAIL;
        m_flags = (m_flags & ~0xFF00u) | (static_cast<DWORD>(type) << 8);
    } else if (SetFlagAttribute(name, value) != S_OK) {
        return OnUnhandledAttribute(name, value, loading);
    }
    if (FAILED(hr))
        return hr;
    return AfterSetAttribute(name, value, loading, 1);
}

} // namespace DUI
