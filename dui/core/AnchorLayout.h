#pragma once
// The default layout: each child placed by its "pos", its sizes and its
// "offset" (AnchorLayoutParam), relative to the parent and to siblings.
#include "dui/core/AnchorPlacement.h"
#include <vector>
#include "dui/core/SLayoutChildren.h"
#include "dui/core/TLayoutImpl.h"

namespace DUI {

class AnchorLayout : public TLayoutImpl<AnchorLayoutParam>
{
    DUI_CLASS_NAME(AnchorLayout, SObjectImpl<TObjRefImpl<ILayout>>, L"AnchorLayout", Layout_Kind)

public:
    void LayoutChildren(SWindow* window) override;
    SIZE MeasureChildren(SWindow* window, int width, int height) override;

private:
    void Collect(SWindow* window);

    SLayoutChildren m_children;
    std::vector<AnchorChild> m_records;
};

} // namespace DUI
