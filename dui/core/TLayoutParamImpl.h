#pragma once
// The orientation operations every layout-parameter class shares, over its
// record's width and height; `Derived` names the class for Clone.
#include "dui/core/ILayout.h"
#include "dui/core/SLayoutParamAttr.h"
#include "dui/core/base/SObjectImpl.h"
#include "dui/core/base/TObjRefImpl.h"

namespace DUI {

template <class Derived, class Struct>
class TLayoutParamImpl : public SObjectImpl<TObjRefImpl<ILayoutParam>>
{
public:
    using Record = Struct;

    BOOL IsMatchParent(int orientation) const override
    {
        return AskOrientation(orientation, m_data.width.IsMatchParent(), m_data.height.IsMatchParent());
    }
    BOOL IsWrapContent(int orientation) const override
    {
        return AskOrientation(orientation, WrapsContent(m_data.width), WrapsContent(m_data.height));
    }
    BOOL IsSpecifiedSize(int orientation) const override
    {
        return AskOrientation(orientation, m_data.width.IsValid(), m_data.height.IsValid());
    }
    SLayoutSize GetSpecifiedSize(int orientation) const override
    {
        return orientation == Vert ? m_data.height : m_data.width;
    }
    void SetMatchParent(int orientation) override
    {
        SetByOrientation(orientation, m_data.width, m_data.height, SLayoutSize(SLayoutSize::kMatchParent, SLayoutSize::px));
    }
    void SetWrapContent(int orientation) override
    {
        SetByOrientation(orientation, m_data.width, m_data.height, SLayoutSize(SLayoutSize::kWrapContent, SLayoutSize::px));
    }
    void SetSpecifiedSize(int orientation, const SLayoutSize& size) override
    {
        SetByOrientation(orientation, m_data.width, m_data.height, size);
    }
    void* GetRawData() override { return &m_data; }
    ILayoutParam* Clone() const override
    {
        auto* copy = new Derived();
        copy->m_data = m_data;
        return copy;
    }

    const Struct& Data() const { return m_data; }

protected:
    virtual bool WrapsContent(const SLayoutSize& size) const { return size.IsWrapContent(); }

    Struct m_data;
};

} // namespace DUI
