#pragma once
// Places the layout children one after another in a row or a column, with
// an interval between them; spare space goes to children with a weight.
// "hbox" and "vbox" are the same layout fixed to a row and to a column.
#include "dui/core/LinearPlacement.h"
#include <vector>
#include "dui/core/SLayoutChildren.h"
#include "dui/core/TLayoutImpl.h"

namespace DUI {

class SLinearLayout : public TLayoutImpl<SLinearLayoutParam>
{
    DUI_CLASS_NAME(SLinearLayout, SObjectImpl<TObjRefImpl<ILayout>>, L"linearLayout", Layout_Kind)

public:
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void LayoutChildren(SWindow* window) override;
    SIZE MeasureChildren(SWindow* window, int width, int height) override;

    int GetOrientation() const { return m_orientation; }

protected:
    struct AttrRows;

    // A "linearLayout" without "orientation" is a row.
    int m_orientation = Horz;
    int m_gravity = kGravityUnset;
    SLayoutSize m_interval{0, SLayoutSize::px};

private:
    LinearSpec Collect(SWindow* window);

    SLayoutChildren m_children;
    std::vector<LinearChild> m_records;
};

class SHBox : public SLinearLayout
{
    DUI_CLASS_NAME(SHBox, SLinearLayout, L"hbox", Layout_Kind)

public:
    SHBox() { m_orientation = Horz; }
};

class SVBox : public SLinearLayout
{
    DUI_CLASS_NAME(SVBox, SLinearLayout, L"vbox", Layout_Kind)

public:
    SVBox() { m_orientation = Vert; }
};

} // namespace DUI
