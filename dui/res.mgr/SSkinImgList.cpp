#include "dui/res.mgr/SSkinImgList.h"

#include <cstring>
#include "dui/core/base/StringSplit.h"
#include "dui/res.mgr/SColorize.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSkinAttr.h"

namespace DUI {

namespace {

int FilterLevel(const SStringW& value)
{
    static const wchar_t* const kLevels[] = {L"none", L"low", L"medium", L"high"};
    for (int i = 0; i < 4; ++i)
        if (value.Compare(kLevels[i]) == 0) return i;
    return -1;
}

// Copies the `from` rectangle of `src` to (x, y) of `dst`; both premultiplied 32-bit.
void CopyPixels(IPaintBitmap* dst, int x, int y, IPaintBitmap* src, const RECT& from)
{
    auto* d = static_cast<uint32_t*>(dst->LockPixels());
    const auto* s = static_cast<const uint32_t*>(src->LockPixels());
    for (int row = from.top; row < from.bottom; ++row)
        memcpy(d + static_cast<size_t>(y + row - from.top) * dst->Width() + x,
               s + static_cast<size_t>(row) * src->Width() + from.left, (from.right - from.left) * 4);
    src->UnlockPixels(const_cast<uint32_t*>(s));
    dst->UnlockPixels(d);
}

SRefPtr<IPaintBitmap> NewBitmap(IPaintBitmap* like, int cx, int cy)
{
    IPaintBitmap* bmp = nullptr;
    IPaintFactory* factory = like->GetFactory();
    if (!factory || FAILED(factory->CreateBitmap(&bmp)) || !bmp) return nullptr;
    auto held = SRefPtr<IPaintBitmap>::Adopt(bmp);
    if (FAILED(held->InitPixels(cx, cy, nullptr))) return nullptr;
    return held;
}

} // namespace

SIZE SSkinImgList::GetSkinSize() const
{
    if (!m_image || m_states <= 0) return {0, 0};
    SIZE sz = m_image->GetSize();
    if (m_vertical)
        sz.cy /= m_states;
    else
        sz.cx /= m_states;
    return sz;
}

int SSkinImgList::GetStates() const
{
    return m_stateMap.empty() ? m_states : static_cast<int>(m_stateMap.size());
}

RECT SSkinImgList::CellRect(int index) const
{
    const SIZE sz = GetSkinSize();
    if (m_vertical) return {0, index * sz.cy, sz.cx, (index + 1) * sz.cy};
    return {index * sz.cx, 0, (index + 1) * sz.cx, sz.cy};
}

UINT SSkinImgList::GetExpandMode() const
{
    const UINT mode = m_autoFit ? (m_tile ? EM_TILE : EM_STRETCH) : EM_NULL;
    return MakeExpandMode(mode, m_filter);
}

void SSkinImgList::DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha)
{
    if (!m_image) return;
    if (index >= 0 && index < static_cast<int>(m_stateMap.size())) index = m_stateMap[index];
    const RECT cell = CellRect(index);
    rt->DrawBitmapScaled(rc, m_image.Get(), &cell, GetExpandMode(), alpha);
}

void SSkinImgList::SetImage(IPaintBitmap* image)
{
    m_image.Reset(image);
    m_unscaled.Reset(image);
    ReapplyTint();
}

void SSkinImgList::AdoptImage(IPaintBitmap* image)
{
    m_image = SRefPtr<IPaintBitmap>::Adopt(image);
    IPaintBitmap* copy = nullptr;
    m_unscaled = SRefPtr<IPaintBitmap>::Adopt(image && SUCCEEDED(image->Clone(&copy)) ? copy : nullptr);
    ReapplyTint();
}

// The backup belongs to the pixels it was taken from: restoring it over
// another image would mix the two (or overrun a larger one).
void SSkinImgList::ReapplyTint()
{
    const COLORREF tint = m_colorize;
    m_backup.Reset();
    m_colorize = 0;
    if (tint != 0)
        OnColorize(tint);
}

HRESULT SSkinImgList::SetImageSource(const SStringW& source)
{
    SResProviderMgr* res = SResProviderMgr::GetInstance();
    IPaintBitmap* image = res ? res->LoadImageFromText(source.c_str()) : nullptr;
    if (!image) return E_FAIL;
    AdoptImage(image);
    return S_OK;
}

struct SSkinImgList::AttrRows
{
    using Row = SAttrRow<SSkinImgList>;

    template <auto field>
    static constexpr auto Int = skinattr::Int<SSkinImgList, field>;

    static HRESULT Source(SSkinImgList& skin, const SStringW& value, BOOL) { return skin.SetImageSource(value); }
    static HRESULT Filter(SSkinImgList& skin, const SStringW& value, BOOL)
    {
        const int level = FilterLevel(value);
        if (level < 0)
            return E_FAIL;
        skin.m_filter = static_cast<BYTE>(level);
        return S_OK;
    }
    static HRESULT StateMap(SSkinImgList& skin, const SStringW& value, BOOL)
    {
        skin.m_stateMap.clear();
        SStringWList pieces;
        SplitString(value, L'-', pieces);
        for (size_t i = 0; i < pieces.GetCount(); ++i)
            skin.m_stateMap.push_back(_wtoi(pieces[i].c_str()));
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"src", &Source, AttrEffect::Redraw},
        {L"tile", Int<&SSkinImgList::m_tile>, AttrEffect::None},
        {L"autoFit", Int<&SSkinImgList::m_autoFit>, AttrEffect::None},
        {L"vertical", Int<&SSkinImgList::m_vertical>, AttrEffect::None},
        {L"states", Int<&SSkinImgList::m_states>, AttrEffect::None},
        {L"filterLevel", &Filter, AttrEffect::None},
        {L"stateMap", &StateMap, AttrEffect::Redraw},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SSkinImgList::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SSkinObjBase::SetAttribute(name, value, loading); });
}

void SSkinImgList::OnColorize(COLORREF color)
{
    if (!m_enableColorize || color == m_colorize || !m_image) return;
    m_colorize = color;
    if (m_backup) {
        const SIZE sz = m_image->GetSize();
        CopyPixels(m_image.Get(), 0, 0, m_backup.Get(), {0, 0, sz.cx, sz.cy});
    } else {
        IPaintBitmap* copy = nullptr;
        if (FAILED(m_image->Clone(&copy)) || !copy) return;
        m_backup = SRefPtr<IPaintBitmap>::Adopt(copy);
    }
    if (color != 0)
        ColorizeBitmap(m_image.Get(), color);
    else
        m_backup.Reset();
}

SRefPtr<IPaintBitmap> SSkinImgList::ScaleCells(IPaintBitmap* src, int cols, int rows, SIZE cell)
{
    auto out = NewBitmap(src, cols * cell.cx, rows * cell.cy);
    if (!out) return nullptr;
    const int cw = src->Width() / cols, ch = src->Height() / rows;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            auto piece = NewBitmap(src, cw, ch);
            if (!piece) return nullptr;
            CopyPixels(piece.Get(), 0, 0, src, {c * cw, r * ch, (c + 1) * cw, (r + 1) * ch});
            IPaintBitmap* scaled = nullptr;
            if (FAILED(piece->Scale(&scaled, cell.cx, cell.cy, 3)) || !scaled) return nullptr;
            auto held = SRefPtr<IPaintBitmap>::Adopt(scaled);
            CopyPixels(out.Get(), c * cell.cx, r * cell.cy, held.Get(), {0, 0, cell.cx, cell.cy});
        }
    return out;
}

void SSkinImgList::CopyListFields(SSkinImgList* to) const
{
    to->m_states = m_states;
    to->m_tile = m_tile;
    to->m_vertical = m_vertical;
    to->m_filter = m_filter;
    to->m_autoFit = m_autoFit;
    to->m_stateMap = m_stateMap;
}

void SSkinImgList::CopyTo(ISkinObj* target, int scale) const
{
    SSkinObjBase::CopyTo(target, scale);
    auto* to = dynamic_cast<SSkinImgList*>(target);
    if (!to) return;
    CopyListFields(to);
    if (!m_image || m_states <= 0) return;
    const SIZE sz = GetSkinSize();
    const SIZE cell = {ScaleMulDiv(sz.cx, scale), ScaleMulDiv(sz.cy, scale)};
    if (cell.cx <= 0 || cell.cy <= 0) return;
    const int cols = m_vertical ? 1 : m_states, rows = m_vertical ? m_states : 1;
    to->AdoptImage(ScaleCells(ScaleSource(), cols, rows, cell).Detach());
}

// The backup holds the pixels before tinting; a skin given its image in code
// shares one bitmap between the image and the unscaled copy, so that may be tinted.
IPaintBitmap* SSkinImgList::ScaleSource() const
{
    if (m_backup) return m_backup.Get();
    return m_unscaled ? m_unscaled.Get() : m_image.Get();
}

} // namespace DUI
