#pragma once
// Pens, brushes, fonts and regions of the render component: small value
// holders, each keeping its factory alive.
#include <winsock2.h>
#include <windows.h>
#include <string>
#include "dui/core/base/IRender.h"
#include "dui/core/base/SHandle.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/core/base/TObjRefImpl.h"

namespace vrender {

template <class I, int Type>
class TPaintObject : public DUI::TObjRefImpl<I>
{
public:
    explicit TPaintObject(DUI::IPaintFactory* factory) : m_factory(DUI::SRefPtr<DUI::IPaintFactory>::Share(factory)) {}
    DUI::IPaintFactory* GetFactory() override { return m_factory.Get(); }
    int ObjectType() const override { return Type; }

private:
    DUI::SRefPtr<DUI::IPaintFactory> m_factory;
};

class RenderPen : public TPaintObject<DUI::IPen, DUI::OT_PEN>
{
public:
    RenderPen(DUI::IPaintFactory* f, int style, COLORREF color, int width)
        : TPaintObject(f), m_style(style & PS_STYLE_MASK), m_color(color), m_width(width < 1 ? 1 : width) {}
    int GetWidth() const override { return m_width; }
    int GetStyle() const override { return m_style; }
    COLORREF GetColor() const override { return m_color; }
    void SetColor(COLORREF color) override { m_color = color; }

private:
    int m_style;
    COLORREF m_color;
    int m_width;
};

class RenderBrush : public TPaintObject<DUI::IBrush, DUI::OT_BRUSH>
{
public:
    RenderBrush(DUI::IPaintFactory* f, COLORREF color) : TPaintObject(f), m_color(color) {}
    COLORREF GetColor() const override { return m_color; }

private:
    COLORREF m_color;
};

class RenderFont : public TPaintObject<DUI::IFont, DUI::OT_FONT>
{
public:
    RenderFont(DUI::IPaintFactory* f, const LOGFONTW& lf);
    const LOGFONTW* LogFont() const override { return &m_lf; }
    LPCWSTR FamilyName() const override { return m_lf.lfFaceName; }
    int TextSize() const override { return m_lf.lfHeight; }
    BOOL IsBold() const override { return m_lf.lfWeight >= FW_BOLD; }
    BOOL IsItalic() const override { return m_lf.lfItalic; }
    BOOL IsUnderline() const override { return m_lf.lfUnderline; }
    BOOL IsStrikeOut() const override { return m_lf.lfStrikeOut; }
    HFONT Handle() const { return m_font; }

private:
    LOGFONTW m_lf;
    DUI::SGdiObject<HFONT> m_font;
};

class RenderRegion : public TPaintObject<DUI::IPaintRegion, DUI::OT_REGION>
{
public:
    explicit RenderRegion(DUI::IPaintFactory* f);
    void CombineRect(const RECT* rect, int mode) override;
    void CombineRoundRect(const RECT* rect, POINT corner, int mode) override;
    void CombineEllipse(const RECT* rect, int mode) override;
    void CombineRegion(const DUI::IPaintRegion* other, int mode) override;
    BOOL IsEmpty() const override;
    BOOL PtInRegion(POINT pt) const override;
    BOOL RectInRegion(const RECT* rect) const override;
    void GetRgnBox(RECT* rect) const override;
    void Offset(POINT pt) override;
    void CopyFromHRGN(HRGN rgn) override;
    void Clear() override;
    HRGN Handle() const { return m_rgn; }

private:
    void Combine(DUI::SGdiObject<HRGN> with, int mode);
    DUI::SGdiObject<HRGN> m_rgn;
};

} // namespace vrender
