#pragma once
// "gradation": a two-colour gradient, top to bottom or left to right.
#include "dui/res.mgr/SNamedValue.h"
#include "dui/res.mgr/SSkinObjBase.h"

namespace DUI {

class SSkinGradation : public SSkinObjBase
{
    DUI_CLASS_NAME(SSkinGradation, SSkinObjBase, L"gradation", Skin_Kind)

public:
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void OnColorize(COLORREF color) override;
    void CopyTo(ISkinObj* target, int scale) const override;
    COLORREF ColorFrom() const { return m_from; }
    COLORREF ColorTo() const { return m_to; }

protected:
    struct AttrRows;

    void DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha) override;

    COLORREF m_from = kColorUnset;
    COLORREF m_to = kColorUnset;
    BOOL m_vertical = TRUE;
    COLORREF m_savedFrom = 0;
    COLORREF m_savedTo = 0;
};

} // namespace DUI
