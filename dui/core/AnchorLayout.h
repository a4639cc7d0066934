#pragma once
// The default layout: each child placed by its "pos", its sizes and its
// "offset" (AnchorLayoutParam), relative to the parent and to siblings.
#include "dui/core/AnchorPlacement.h"
#include <vector>
#include "dui/core/SLayoutChildren.h"

namespace DUI {

class AnchorLayout : public SObjectImpl<TObjRefImpl<ILayout>>
{
    DUI_CLASS_NAME(AnchorLayout, SObjectImpl<TObjRefImpl<ILayout>>, L"AnchorLayout", Layout_Kind)

public:
    BOOL IsParamAcceptable(ILayoutParam* param) const override;
    void LayoutChildren(SWindow* window) override;
    ILayoutParam* CreateLayoutParam() const override { return new AnchorLayoutParam(); }
    SIZE MeasureChildren(SWindow* window, int width, int height) override;

private:
    void Collect(SWindow* window);

    SLayoutChildren m_children;
    std::vector<AnchorChild> m_records;
};

} // namespace DUI
