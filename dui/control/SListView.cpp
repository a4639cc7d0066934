#include "dui/control/SListView.h"

#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/base/SAttrTable.h"

namespace DUI {

struct SListView::AttrRows
{
    using Row = SAttrRow<SListView>;

    static HRESULT MouseInShowScroll(SListView& v, const SStringW& value, BOOL)
    {
        v.SetMouseInShowScroll(ReadInt(value, "DUI::SListView::SetAttribute"));
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"mouseInShowScroll", &MouseInShowScroll, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

SListView::SListView() = default;

SListView::~SListView() = default;

HRESULT SListView::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT result = S_FALSE;
    if (!AttrRows::kTable.Apply(*this, name, value, loading, result))
        return SAdapterListBase::SetAttribute(name, value, loading);
    return AfterSetAttribute(name, value, loading, result);
}

BOOL SListView::CreateChildren(xmldom::xml_node element)
{
    ReadTemplate(element);
    return TRUE;
}

} // namespace DUI
