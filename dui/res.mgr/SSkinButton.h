#pragma once
// "button": a button face, a top-to-bottom gradient with a border, with
// colours for normal, hover, pushed and disabled.
#include "dui/res.mgr/SSkinObjBase.h"

namespace DUI {

class SSkinButton : public SSkinObjBase
{
    DUI_CLASS_NAME(SSkinButton, SSkinObjBase, L"button", Skin_Kind)

public:
    enum Group { Border = 0, Up = 1, Down = 2 };

    SSkinButton();
    int GetStates() const override { return 4; }
    BOOL IgnoreState() const override { return FALSE; }
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void OnColorize(COLORREF color) override;
    void CopyTo(ISkinObj* target, int scale) const override;
    COLORREF GetColor(Group group, int state) const { return m_colors[group * 4 + state]; }

protected:
    struct AttrRows;

    void DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha) override;

    COLORREF m_colors[12];
    COLORREF m_saved[12] = {};
    int m_radius = 2;
    float m_cornerPercent = 0.0f;
};

} // namespace DUI
