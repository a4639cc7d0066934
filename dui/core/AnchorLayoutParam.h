#pragma once
// The per-child parameters of the anchor layout: a "pos" of two or four
// coordinates, each absolute, centred, a percentage or anchored to a
// sibling, an "offset" by a fraction of the child's own size, and sizes.
#include "dui/core/TLayoutParamImpl.h"

namespace DUI {

// Reserved coordinate values while children are being placed.
constexpr int kPosNotComputed = 0x11000000;
constexpr int kPosWaiting = 0x12000000;

// How one coordinate of "pos" is written and what it counts from (the
// vertical axis reads top for left and bottom for right).
enum AnchorCoordKind : int
{
    kCoordNone = 0,
    kCoordParent = 1,       // a number: from the parent's left; with '-', from its right
    kCoordCenter = 2,       // '|': from the parent's centre
    kCoordPercent = 3,      // '%': a percentage of the parent's width
    kCoordAfterPrev = 4,    // '[': from the previous sibling's right
    kCoordBeforeNext = 5,   // ']': from the next sibling's left
    kCoordWithPrev = 6,     // '{': from the previous sibling's left
    kCoordWithNext = 7,     // '}': from the next sibling's right
    kCoordSize = 8,         // '@': the child's own size, second pair only
    kCoordSibNear = 10,     // "sib.left@id:n" or "sib.top@id:n": that sibling's left
    kCoordSibFar = 11,      // "sib.right@id:n" or "sib.bottom@id:n": that sibling's right
};

struct AnchorPos
{
    int kind = kCoordNone;
    int refId = -1;
    signed char sign = 1;
    SLayoutSize size;
};

struct AnchorLayoutParamStruct
{
    int posCount = 0;
    AnchorPos x1, y1, x2, y2;
    float offsetX = 0, offsetY = 0;
    SLayoutSize width{SLayoutSize::kWrapContent, SLayoutSize::px};
    SLayoutSize height{SLayoutSize::kWrapContent, SLayoutSize::px};

    bool IsWrapContent(const SLayoutSize& size) const { return size.IsWrapContent() || (!size.IsSet() && posCount == 0); }
};

class AnchorLayoutParam : public TLayoutParamImpl<AnchorLayoutParam, AnchorLayoutParamStruct>
{
    DUI_CLASS_NAME(AnchorLayoutParam, SObjectImpl<TObjRefImpl<ILayoutParam>>, L"AnchorLayoutParam", Undef_Kind)
    friend class TLayoutParamImpl<AnchorLayoutParam, AnchorLayoutParamStruct>;

public:
    void Clear() override;
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;

    // One coordinate of "pos"; false for a form the grammar does not have.
    static bool ParsePosition(const SStringW& text, AnchorPos& out);

protected:
    // Without "pos" a size that is not set wraps the content as well.
    bool WrapsContent(const SLayoutSize& size) const override { return m_data.IsWrapContent(size); }

private:
    struct AttrRows;

    HRESULT SetPos(const SStringW& value);
    static void DeriveSize(const AnchorPos& p1, const AnchorPos& p2, SLayoutSize& size);
};

} // namespace DUI
