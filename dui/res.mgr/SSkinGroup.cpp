#include "dui/res.mgr/SSkinGroup.h"

#include "dui/core/base/SAttrTable.h"
#include "dui/res.mgr/SSkinPoolMgr.h"

namespace DUI {

SIZE SSKinGroup::GetSkinSize() const
{
    for (const auto& skin : m_skins)
        if (skin) return skin->GetSkinSize();
    return {0, 0};
}

struct SSKinGroup::AttrRows
{
    using Row = SAttrRow<SSKinGroup>;

    // A name the pool does not know keeps the skin the state had.
    template <int state>
    static HRESULT StateSkin(SSKinGroup& group, const SStringW& value, BOOL)
    {
        SSkinPoolMgr* mgr = SSkinPoolMgr::GetInstance();
        if (ISkinObj* skin = mgr ? mgr->GetSkin(value, group.m_scale) : nullptr)
            group.m_skins[state].Reset(skin);
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"normal", &StateSkin<0>, AttrEffect::None},
        {L"hover", &StateSkin<1>, AttrEffect::None},
        {L"pushDown", &StateSkin<2>, AttrEffect::None},
        {L"disable", &StateSkin<3>, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SSKinGroup::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SSkinObjBase::SetAttribute(name, value, loading); });
}

void SSKinGroup::DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha)
{
    if (ISkinObj* skin = GetStateSkin(index)) skin->DrawByIndex(rt, rc, 0, alpha);
}

void SSKinGroup::CopyTo(ISkinObj* target, int scale) const
{
    SSkinObjBase::CopyTo(target, scale);
    auto* to = dynamic_cast<SSKinGroup*>(target);
    if (!to) return;
    for (int i = 0; i < 4; ++i)
        to->m_skins[i] = SRefPtr<ISkinObj>::Adopt(m_skins[i] ? m_skins[i]->Scale(scale) : nullptr);
}

} // namespace DUI
