#include "app/controls/WindowTextMeasure.h"

#include "dui/core/SPaintObjects.h"

namespace DUI {

namespace {

constexpr UINT kAlignmentBits = DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM;
constexpr wchar_t kEllipsis[] = L"...";

SRefPtr<IPaintSurface> SurfaceLike(SWindow* window)
{
    SRefPtr<IPaintSurface> rt = NewPaintSurface(0, 0);
    if (rt)
        window->ApplyInheritedPaintState(rt.Get());
    return rt;
}

int TextWidth(IPaintSurface* rt, LPCWSTR text, int len)
{
    SIZE size = {};
    if (len <= 0 || FAILED(rt->MeasureText(text, len, &size)))
        return 0;
    return size.cx;
}

// The longest head of `text` whose characters, measured one by one, add up
// to at most `limit`.
int HeadLength(IPaintSurface* rt, LPCWSTR text, int limit)
{
    int sum = 0;
    LPCWSTR p = text;
    while (*p) {
        LPCWSTR next = ::CharNextW(p);
        sum += TextWidth(rt, p, static_cast<int>(next - p));
        if (sum > limit)
            break;
        p = next;
    }
    return static_cast<int>(p - text);
}

// The same from the end: the length of the longest tail.
int TailLength(IPaintSurface* rt, LPCWSTR text, int len, int limit)
{
    int sum = 0;
    LPCWSTR end = text + len;
    LPCWSTR p = end;
    while (p > text) {
        LPCWSTR prev = ::CharPrevW(text, p);
        sum += TextWidth(rt, prev, static_cast<int>(p - prev));
        if (sum > limit)
            break;
        p = prev;
    }
    return static_cast<int>(end - p);
}

} // namespace

SIZE MeasureWindowText(SWindow* window, const SStringW& text)
{
    if (!window || text.IsEmpty())
        return SIZE{};
    SRefPtr<IPaintSurface> rt = SurfaceLike(window);
    if (!rt)
        return SIZE{};
    RECT rc = {0, 0, 10000, 10000};
    const UINT format = (window->GetStyle().GetTextAlign() & ~kAlignmentBits) | DT_CALCRECT;
    window->DrawText(rt.Get(), text.c_str(), text.GetLength(), &rc, format);
    return SIZE{rc.right, rc.bottom};
}

SStringW MeasureTextEllipsis(const SStringW& text, SWindow* window)
{
    if (!window)
        return text;
    RECT client = window->GetClientRect();
    const RECT padding = window->GetStyle().GetPadding();
    const int available = (client.right - client.left) - padding.left - padding.right;
    SRefPtr<IPaintSurface> rt = SurfaceLike(window);
    if (!rt)
        return text;
    if (TextWidth(rt.Get(), text.c_str(), text.GetLength()) < available)
        return text;
    const int ellipsis = TextWidth(rt.Get(), kEllipsis, 3);
    if (available < ellipsis)
        return SStringW();
    const int half = (available - ellipsis) / 2;
    const int head = HeadLength(rt.Get(), text.c_str(), half);
    const int tail = TailLength(rt.Get(), text.c_str(), text.GetLength(), half);
    return SStringW(text.c_str(), head) + kEllipsis + SStringW(text.c_str() + text.GetLength() - tail, tail);
}

} // namespace DUI
