#pragma once
// The attributes of a host window read from its layout's root element: the
// native window's sizes, styles, layering, title and icons.
#include "dui/res.mgr/ITrCtxProvider.h"
#include "dui/core/base/SHandle.h"
#include "dui/core/base/SLayoutSize.h"
#include "dui/core/base/SObjectImpl.h"
#include "dui/core/SwndText.h"

namespace DUI {

class SHostWndAttr : public SObjectImpl<IObject>, public ITrCtxProvider
{
public:
    enum WndType : int { WT_UNDEFINE = 0, WT_APPMAIN = 1, WT_NORMAL = 2 };

    SHostWndAttr();

    BOOL IsKindOf(LPCWSTR tag) const override;
    LPCWSTR GetClassTag() const override { return L"SHostWndAttr"; }
    int GetObjectKind() const override { return -1; }
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    SStringW GetTrCtx() const override { return m_trCtx; }

    // Back to the defaults before a layout applies its attributes; the
    // translation context and the title stay.
    void Init();

    RECT GetMargin(int scale) const;
    RECT GetMaxInset(int scale) const;
    SIZE GetMinSize(int scale) const;
    const SLayoutSize& GetWidth() const { return m_width; }
    const SLayoutSize& GetHeight() const { return m_height; }
    void SetWidthPixels(int cx) { m_width = SLayoutSize(static_cast<float>(cx), SLayoutSize::px); }
    void SetHeightPixels(int cy) { m_height = SLayoutSize(static_cast<float>(cy), SLayoutSize::px); }
    void ZeroHorzMargin();
    void ZeroVertMargin();

    BYTE GetAlpha() const { return static_cast<BYTE>(m_flags & 0xFF); }
    WndType GetWndType() const { return static_cast<WndType>((m_flags >> 8) & 0xFF); }
    BOOL IsResizable() const { return Flag(kResizable); }
    BOOL IsAppWnd() const { return Flag(kAppWnd); }
    BOOL IsToolWindow() const { return Flag(kToolWindow); }
    BOOL IsTranslucent() const { return Flag(kTranslucent); }
    BOOL IsAllowSpy() const { return Flag(kAllowSpy); }
    BOOL IsSendWheel2Hover() const { return Flag(kSendWheel2Hover); }
    DWORD GetFlags() const { return m_flags; }
    DWORD GetWndStyle() const { return m_style; }
    DWORD GetWndStyleEx() const { return m_styleEx; }
    SStringW GetTitle() const { return m_title.GetText(FALSE); }
    // After a change of language.
    void TranslateTitle() { m_title.Translate(); }
    HICON GetSmallIcon() const { return m_smallIcon; }
    HICON GetBigIcon() const { return m_bigIcon; }

    void SetTrCtx(const SStringW& trCtx) { m_trCtx = trCtx; }
    void SetTranslucent(BOOL on) { SetFlag(kTranslucent, on); }
    void SetSendWheel2Hover(BOOL on) { SetFlag(kSendWheel2Hover, on); }

private:
    struct AttrRows;

    static constexpr DWORD kResizable = 0x10000;
    static constexpr DWORD kAppWnd = 0x20000;
    static constexpr DWORD kToolWindow = 0x40000;
    static constexpr DWORD kTranslucent = 0x80000;
    static constexpr DWORD kAllowSpy = 0x100000;
    static constexpr DWORD kSendWheel2Hover = 0x200000;

    BOOL Flag(DWORD bit) const { return (m_flags & bit) != 0; }
    void SetFlag(DWORD bit, BOOL on) { m_flags = on ? (m_flags | bit) : (m_flags & ~bit); }
    static HRESULT SetSizes(const SStringW& value, SLayoutSize* const* targets, size_t count);

    SLayoutSize m_marginLeft, m_marginTop, m_marginRight, m_marginBottom;
    SLayoutSize m_minWidth, m_minHeight;
    SLayoutSize m_width, m_height;
    SLayoutSize m_insetLeft, m_insetTop, m_insetRight, m_insetBottom;
    DWORD m_flags = 0;
    DWORD m_style = 0;
    DWORD m_styleEx = 0;
    SStringW m_trCtx;
    SwndText m_title;
    SIconHandle m_smallIcon;
    SIconHandle m_bigIcon;
};

} // namespace DUI
