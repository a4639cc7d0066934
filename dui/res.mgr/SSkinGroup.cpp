#include "dui/res.mgr/SSkinGroup.h"

#include "dui/res.mgr/SSkinPoolMgr.h"

namespace DUI {

SIZE SSKinGroup::GetSkinSize() const
{
    for (const auto& skin : m_skins)
        if (skin) return skin->GetSkinSize();
    return {0, 0};
}

HRESULT SSKinGroup::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    static const wchar_t* const kStates[4] = {L"normal", L"hover", L"pushDown", L"disable"};
    for (int i = 0; i < 4; ++i) {
        if (name.CompareNoCase(kStates[i]) != 0) continue;
        SSkinPoolMgr* mgr = SSkinPoolMgr::GetInstance();
        if (ISkinObj* skin = mgr ? mgr->GetSkin(value, m_scale) : nullptr) m_skins[i].Reset(skin);
        return AfterSetAttribute(name, value, loading, 1);
    }
    return SSkinObjBase::SetAttribute(name, value, loading);
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
