#include "dui/res.mgr/SSkinImgFrame.h"

#include <cstdio>
#include <cstring>
#include <cwchar>
#include "dui/core/base/SAttrTable.h"
#include "dui/core/base/StringSplit.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

namespace {

// Four comma-separated dimensions in pixels at scale 100 ("4,4,4,4", "@dim/m,...").
bool ReadFourSizes(const SStringW& value, RECT& out)
{
    SStringWList pieces;
    if (SplitString(value, L',', pieces) != 4) return false;
    LONG* fields[4] = {&out.left, &out.top, &out.right, &out.bottom};
    for (int i = 0; i < 4; ++i) *fields[i] = ResolveLayoutDim(pieces[i].c_str()).ToPixel(100);
    return true;
}

// The first run of pixels with alpha along a border line: [first, last].
bool FindMarker(const uint32_t* px, int count, int step, int& first, int& last)
{
    first = -1;
    for (int i = 1; i < count - 1; ++i) {
        const bool on = (px[static_cast<size_t>(i) * step] >> 24) != 0;
        if (on && first < 0) first = i;
        if (!on && first >= 0) break;
        if (on) last = i;
    }
    return first >= 0;
}

} // namespace

struct SSkinImgFrame::AttrRows
{
    using Row = SAttrRow<SSkinImgFrame>;

    static HRESULT Margin(SSkinImgFrame& skin, const SStringW& value, BOOL)
    {
        RECT& m = skin.m_margins;
        swscanf(value.c_str(), L"%ld,%ld,%ld,%ld", &m.left, &m.top, &m.right, &m.bottom);
        return S_OK;
    }
    // One number for each of the sides named.
    template <LONG RECT::*first, LONG RECT::*second>
    static HRESULT Sides(SSkinImgFrame& skin, const SStringW& value, BOOL)
    {
        skin.m_margins.*first = skin.m_margins.*second = ReadInt(value);
        return S_OK;
    }
    static HRESULT Margin2(SSkinImgFrame& skin, const SStringW& value, BOOL)
    {
        return ReadFourSizes(value, skin.m_margins) ? S_OK : E_INVALIDARG;
    }

    static constexpr Row kRows[] = {
        {L"margin", &Margin, AttrEffect::None},
        {L"left", &Sides<&RECT::left, &RECT::left>, AttrEffect::None},
        {L"top", &Sides<&RECT::top, &RECT::top>, AttrEffect::None},
        {L"right", &Sides<&RECT::right, &RECT::right>, AttrEffect::None},
        {L"bottom", &Sides<&RECT::bottom, &RECT::bottom>, AttrEffect::None},
        {L"margin-x", &Sides<&RECT::left, &RECT::right>, AttrEffect::None},
        {L"margin-y", &Sides<&RECT::top, &RECT::bottom>, AttrEffect::None},
        {L"margin2", &Margin2, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SSkinImgFrame::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SSkinImgList::SetAttribute(name, value, loading); });
}

UINT SSkinImgFrame::GetExpandMode() const
{
    return MakeExpandMode(m_tile ? EM_TILE : EM_STRETCH, m_filter);
}

void SSkinImgFrame::DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha)
{
    if (!m_image) return;
    const RECT cell = CellRect(index);
    rt->DrawBitmapNinePatch(rc, m_image.Get(), &cell, &m_margins, GetExpandMode(), alpha);
}

void SSkinImgFrame::CopyTo(ISkinObj* target, int scale) const
{
    SSkinImgList::CopyTo(target, scale);
    if (auto* to = dynamic_cast<SSkinImgFrame*>(target))
        to->m_margins = {ScaleMulDiv(m_margins.left, scale), ScaleMulDiv(m_margins.top, scale),
                         ScaleMulDiv(m_margins.right, scale), ScaleMulDiv(m_margins.bottom, scale)};
}

HRESULT SSkinImgFrame2::ReadMarkedImage(IPaintBitmap* marked, RECT& margins, IPaintBitmap** inner)
{
    const int w = marked->Width(), h = marked->Height();
    if (w < 2 || h < 2) return E_INVALIDARG;
    const auto* px = static_cast<const uint32_t*>(marked->LockPixels());
    int x0 = -1, x1 = -1, y0 = -1, y1 = -1;
    const bool found = FindMarker(px, w, 1, x0, x1) && FindMarker(px, h, w, y0, y1);
    if (found) margins = {x0 - 1, y0 - 1, w - x1 - 2, h - y1 - 2};
    IPaintBitmap* out = nullptr;
    IPaintFactory* factory = marked->GetFactory();
    HRESULT hr = factory && SUCCEEDED(factory->CreateBitmap(&out)) && out ? S_OK : E_OUTOFMEMORY;
    if (SUCCEEDED(hr)) hr = out->InitPixels(w - 2, h - 2, nullptr);
    if (SUCCEEDED(hr)) {
        auto* dst = static_cast<uint32_t*>(out->LockPixels());
        for (int y = 1; y < h - 1; ++y)
            memcpy(dst + static_cast<size_t>(y - 1) * (w - 2), px + static_cast<size_t>(y) * w + 1, (w - 2) * 4);
        out->UnlockPixels(dst);
        *inner = out;
    } else if (out) {
        out->Release();
    }
    marked->UnlockPixels(const_cast<uint32_t*>(px));
    return hr;
}

HRESULT SSkinImgFrame2::SetImageSource(const SStringW& source)
{
    SResProviderMgr* res = SResProviderMgr::GetInstance();
    IPaintBitmap* loaded = res ? res->LoadImageFromText(source.c_str()) : nullptr;
    if (!loaded) return E_FAIL;
    auto marked = SRefPtr<IPaintBitmap>::Adopt(loaded);
    IPaintBitmap* inner = nullptr;
    const HRESULT hr = ReadMarkedImage(marked.Get(), m_margins, &inner);
    if (FAILED(hr)) return hr;
    AdoptImage(inner);
    return S_OK;
}

} // namespace DUI
