#pragma once
// Static text ("text"): a caption or label that takes no mouse input. With
// "multiLines" its text breaks at line feeds, at a literal backslash-n and
// wherever a character would pass the right edge, with a fixed gap between
// lines.
#include "dui/core/SWindow.h"

namespace DUI {

class SStatic : public SWindow
{
    DUI_CLASS_NAME(SStatic, SWindow, L"text", Window_Kind)
public:
    SStatic();
    ~SStatic() override = default;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void DrawText(IPaintSurface* rt, LPCWSTR text, int len, RECT* rc, UINT format) override;
    // One slice of the text: `count` characters from `first`.
    virtual void DrawLine(IPaintSurface* rt, LPCWSTR text, int first, int count, RECT* rc, UINT format);

protected:
    // `len` -1: up to the terminating zero. With DT_CALCRECT nothing is
    // drawn and `rc` becomes the box the lines take.
    void DrawMultiLine(IPaintSurface* rt, LPCWSTR text, int len, RECT* rc, UINT format);

private:
    struct AttrRows;

    // The box of the text aligned by the style's vertical alignment.
    RECT AlignVertically(IPaintSurface* rt, LPCWSTR text, int len, const RECT& rc, UINT format);

    int m_multiLines = 0;
    int m_lineGap = 5;
};

} // namespace DUI
