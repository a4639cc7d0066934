#pragma once
// "scrollbar": the parts of both scroll bars cut from one grid image of
// 9 columns of square cells; rows are states (0 normal .. 3 disabled,
// 4 inactive when present). Drawing index: part in bits 0-15, state in
// bits 16-23, vertical flag in bits 24-31.
#include "dui/res.mgr/SSkinImgList.h"

namespace DUI {

class SSkinScrollbar : public SSkinImgList
{
    DUI_CLASS_NAME(SSkinScrollbar, SSkinImgList, L"scrollbar", Skin_Kind)

public:
    enum Part { Arrow1 = 0, Arrow2 = 1, Rail = 2, Page = 3, Thumb = 5, Corner = 10, Gripper = 11 };

    static int MakeIndex(int part, int state, bool vertical) { return part | (state << 16) | (vertical ? 1 << 24 : 0); }

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void CopyTo(ISkinObj* target, int scale) const override;
    virtual BOOL HasPartSize() const { return TRUE; }
    virtual int GetPartSize() const { return m_image ? m_image->Width() / 9 : 0; }
    // Bars drawn with this skin have arrows, as thick as the bar.
    virtual BOOL HasArrow() const { return TRUE; }
    // The thickness of a bar: one cell of the grid.
    virtual int GetIdealSize() const { return GetPartSize(); }
    virtual RECT GetPartRect(int part, int state, BOOL vertical) const;

protected:
    struct AttrRows;

    void DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha) override;

    int m_margin = 0;
    BOOL m_hasGripper = FALSE;
    BOOL m_hasInactive = FALSE;
};

} // namespace DUI
