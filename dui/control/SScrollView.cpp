#include "dui/control/SScrollView.h"

#include <algorithm>
#include <vector>

#include "dui/control/ScrollEvents.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

namespace {

constexpr char kSetAttribute[] = "DUI::SScrollView::SetAttribute";
// The size pairs name the function as they always have.
constexpr char kSizeReader[] = "SetAttribute";

bool operator!=(const POINT& a, const POINT& b)
{
    return a.x != b.x || a.y != b.y;
}

// Windows moved to a new origin would each ask for their old and new places
// to be repainted; the view repaints its whole client instead, so their
// requests are held back while they move. The windows locked are the ones
// unlocked, whatever the layout's handlers add or remove meanwhile.
class DescendantsLock
{
public:
    explicit DescendantsLock(SWindow* root)
    {
        for (SWindow* w = root->GetRelatedWindow(GSW_FIRSTCHILD); w; w = Next(root, w)) {
            w->LockUpdate();
            m_locked.push_back(SRefPtr<SWindow>::Share(w));
        }
    }
    ~DescendantsLock()
    {
        for (const SRefPtr<SWindow>& w : m_locked)
            w->UnlockUpdate();
    }
    DescendantsLock(const DescendantsLock&) = delete;
    DescendantsLock& operator=(const DescendantsLock&) = delete;

private:
    // Pre-order within the subtree below `root`.
    static SWindow* Next(SWindow* root, SWindow* w)
    {
        if (SWindow* child = w->GetRelatedWindow(GSW_FIRSTCHILD))
            return child;
        while (w != root && !w->GetRelatedWindow(GSW_NEXTSIBLING))
            w = w->GetParent();
        return w == root ? nullptr : w->GetRelatedWindow(GSW_NEXTSIBLING);
    }

    std::vector<SRefPtr<SWindow>> m_locked;
};

} // namespace

SScrollView::SScrollView()
{
    // Children never draw over the bars.
    SWindow::SetAttribute(L"clipClient", L"1", FALSE);
    GetEventSet()->AddEvent(EventScrollViewOriginChanged::EventID, EventScrollViewOriginChanged::EventName());
    GetEventSet()->AddEvent(EventScrollViewSizeChanged::EventID, EventScrollViewSizeChanged::EventName());
    GetEventSet()->AddEvent(EventScroll::EventID, EventScroll::EventName());
}

SScrollView::~SScrollView() = default;

struct SScrollView::AttrRows
{
    using Row = SAttrRow<SScrollView>;

    template <auto axis>
    static constexpr auto Origin = &layoutattr::Int<SScrollView, kSetAttribute, &SScrollView::m_origin, axis>;
    static HRESULT ViewSize(SScrollView& view, const SStringW& value, BOOL loading)
    {
        if (!ReadSizePair(value, true, kSizeReader, view.m_viewWidth, view.m_viewHeight))
            return E_INVALIDARG;
        if (!loading)
            view.UpdateViewSize();
        return S_OK;
    }
    static HRESULT MinViewSize(SScrollView& view, const SStringW& value, BOOL)
    {
        return ReadSizePair(value, true, kSizeReader, view.m_minViewWidth, view.m_minViewHeight) ? S_OK
                                                                                               : E_INVALIDARG;
    }

    static constexpr Row kRows[] = {
        {L"origin-x", Origin<&POINT::x>, AttrEffect::None},
        {L"origin-y", Origin<&POINT::y>, AttrEffect::None},
        {L"viewSize", &ViewSize, AttrEffect::None},
        {L"minViewSize", &MinViewSize, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SScrollView::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SPanel::SetAttribute(name, value, loading); });
}

BOOL SScrollView::OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)
{
    if (msg != WM_SIZE)
        return SPanel::OnSwndMessage(msg, wp, lp, result);
    const BOOL handled = SPanel::OnSwndMessage(msg, wp, lp, result);
    UpdateScrollBar();
    return handled;
}

void SScrollView::ArrangeChildren()
{
    UpdateViewSize();
    SPanel::ArrangeChildren();
}

void SScrollView::GetChildArea(RECT* out) const
{
    SPanel::GetChildArea(out);
    const RECT pad = GetStyle().GetPadding();
    ::OffsetRect(out, -m_origin.x, -m_origin.y);
    out->right = out->left + m_viewSize.cx - pad.left - pad.right;
    out->bottom = out->top + m_viewSize.cy - pad.top - pad.bottom;
}

BOOL SScrollView::OnScroll(BOOL vertical, UINT code, int pos)
{
    const BOOL moved = SPanel::OnScroll(vertical, code, pos);
    if (moved) {
        POINT origin = m_origin;
        (vertical ? origin.y : origin.x) = InfoOf(vertical).nPos;
        if (origin != m_origin)
            SetViewOrigin(origin);
        if (code == SB_THUMBTRACK)
            UpdateThrottled();
    }
    EventScroll e(this);
    e.nSbCode = static_cast<int>(code);
    e.nPos = InfoOf(vertical).nPos;
    e.bVertical = vertical;
    FireEvent(e);
    return moved;
}

void SScrollView::OnViewSizeChanged(SIZE oldSize, SIZE newSize)
{
    EventScrollViewSizeChanged e(this);
    e.szOldViewSize = oldSize;
    e.szNewViewSize = newSize;
    FireEvent(e);
}

// Laid out at once, so the children stand where the origin puts them
// before anyone hears of the change.
void SScrollView::OnViewOriginChanged(POINT oldOrigin, POINT newOrigin)
{
    {
        const DescendantsLock quiet(this);
        MarkLayoutDirty(GetSwnd(), TRUE);
        UpdateLayout();
    }
    InvalidateClient();
    EventScrollViewOriginChanged e(this);
    e.ptOldOrigin = oldOrigin;
    e.ptNewOrigin = newOrigin;
    FireEvent(e);
}

void SScrollView::SetViewSize(SIZE size)
{
    size.cx = std::max<LONG>(size.cx, 0);
    size.cy = std::max<LONG>(size.cy, 0);
    if (size.cx == m_viewSize.cx && size.cy == m_viewSize.cy)
        return;
    const SIZE old = m_viewSize;
    m_viewSize = size;
    UpdateScrollBar();
    OnViewSizeChanged(old, size);
}

void SScrollView::SetViewOrigin(POINT pt)
{
    // Where the bars can stand: a point beyond the view would otherwise
    // be taken back by the bars one coordinate at a time.
    pt.x = ScrollBarGeometry::ClampPos(m_siHoz, pt.x);
    pt.y = ScrollBarGeometry::ClampPos(m_siVer, pt.y);
    if (!(pt != m_origin))
        return;
    const POINT old = m_origin;
    m_origin = pt;
    MoveBar(FALSE, pt.x);
    MoveBar(TRUE, pt.y);
    MarkLayoutDirty(GetSwnd(), TRUE);
    OnViewOriginChanged(old, pt);
    InvalidateClient();
}

// A bar already at the position is left alone, so no scroll event reports
// a move that did not happen.
void SScrollView::MoveBar(BOOL vertical, int pos)
{
    const SCROLLINFO& si = InfoOf(vertical);
    if (si.nPos != pos || ScrollBarGeometry::ClampPos(si, pos) != pos)
        SetScrollPos(vertical, pos, TRUE);
}

int SScrollView::RequestedPixels(const SLayoutSize& size, int client) const
{
    if (size.IsMatchParent())
        return client;
    if (size.IsWrapContent())
        return -1;
    return size.ToPixel(GetScale());
}

void SScrollView::UpdateViewSize()
{
    if (!m_viewWidth.IsSet() || !m_viewHeight.IsSet())
        return;
    // The whole client area, bars included: a view that matches the parent
    // must not lose a bar's width twice once the bar is shown.
    const RECT client = SWindow::GetClientRect();
    const int clientW = client.right - client.left, clientH = client.bottom - client.top;
    int width = RequestedPixels(m_viewWidth, clientW);
    int height = RequestedPixels(m_viewHeight, clientH);
    if ((width == -1 || height == -1) && GetLayout()) {
        const SIZE need = GetLayout()->MeasureChildren(this, width, height);
        const RECT pad = GetStyle().GetPadding();
        if (width == -1)
            width = need.cx + pad.left + pad.right;
        if (height == -1)
            height = need.cy + pad.top + pad.bottom;
    }
    bool raisedW = false, raisedH = false;
    if (m_minViewWidth.IsSet() && width < RequestedPixels(m_minViewWidth, clientW)) {
        width = RequestedPixels(m_minViewWidth, clientW);
        raisedW = true;
    }
    if (m_minViewHeight.IsSet() && height < RequestedPixels(m_minViewHeight, clientH)) {
        height = RequestedPixels(m_minViewHeight, clientH);
        raisedH = true;
    }
    if (clientH < height && m_viewWidth.IsMatchParent() && !raisedW)
        width -= GetScrollBarWidth();
    else if (clientW < width && m_viewHeight.IsMatchParent() && !raisedH)
        height -= GetScrollBarWidth();
    SetViewSize(SIZE{width, height});
}

void SScrollView::UpdateScrollBar()
{
    const RECT client = SWindow::GetClientRect();
    const int w = client.right - client.left, h = client.bottom - client.top;
    const POINT old = m_origin;
    m_barShown = 0;
    FitBarsToView(w, h, m_origin);
    MoveBar(TRUE, m_siVer.nPos);
    MoveBar(FALSE, m_siHoz.nPos);
    DeliverSwndMessage(WM_NCCALCSIZE);
    if (m_origin != old)
        OnViewOriginChanged(old, m_origin);
    InvalidateClient();
}

// Ranges and pages for a client area of w x h; a position past the new end
// is pulled back to max - page.
void SScrollView::FitBarsToView(int w, int h, POINT& origin)
{
    const int vw = m_viewSize.cx, vh = m_viewSize.cy, bar = GetScrollBarWidth();
    auto setRange = [](SCROLLINFO& si, int max, int page) {
        si.nMin = 0;
        si.nMax = max;
        si.nPage = static_cast<UINT>(std::max(page, 0));
    };
    auto pullBack = [](SCROLLINFO& si, LONG& coordinate) {
        const int page = static_cast<int>(si.nPage);
        if (si.nPos + page > si.nMax)
            si.nPos = coordinate = std::max(si.nMax - page, 0);
    };
    auto noBar = [](SCROLLINFO& si, int length, LONG& coordinate) {
        si.nMin = 0;
        si.nMax = length - 1;
        si.nPage = static_cast<UINT>(std::max(length, 0));
        si.nPos = coordinate = 0;
    };
    if (h >= vh && (h >= vh + bar || w >= vw)) {
        noBar(m_siVer, h, origin.y);
        if (w < vw) {
            m_barShown |= Bar_Horz;
            setRange(m_siHoz, vw - 1, w);
            pullBack(m_siHoz, origin.x);
        } else {
            noBar(m_siHoz, w, origin.x);
        }
        return;
    }
    m_barShown |= Bar_Vert;
    setRange(m_siVer, vh - 1, h);
    if (w < vw + bar) {
        m_barShown |= Bar_Horz;
        m_siVer.nPage = static_cast<UINT>(std::max(h - bar, 0));
        setRange(m_siHoz, vw - 1, w - bar);
        pullBack(m_siHoz, origin.x);
    } else {
        noBar(m_siHoz, w, origin.x);
    }
    // Against the final page: the horizontal bar takes its height from it.
    pullBack(m_siVer, origin.y);
}

} // namespace DUI
