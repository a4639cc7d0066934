#include "dui/res.mgr/SSkinObjBase.h"

#include <shlwapi.h>
#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/res.mgr/SSkinAttr.h"
#include "dui/res.mgr/SSkinPoolMgr.h"

namespace DUI {

void SSkinObjBase::DrawByState(IPaintSurface* rt, const RECT* rc, DWORD state)
{
    DrawByIndex(rt, rc, static_cast<int>(state), m_alpha);
}

void SSkinObjBase::DrawByIndex(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha)
{
    if (rt && rc) DrawImpl(rt, rc, index, alpha);
}

int SSkinObjBase::ReadInt(const SStringW& value)
{
    int n = 0;
    StrToIntExW(value.c_str(), STIF_SUPPORT_HEX, &n);
    return n;
}

struct SSkinObjBase::AttrRows
{
    using Row = SAttrRow<SSkinObjBase>;

    template <auto field>
    static constexpr auto Int = skinattr::Int<SSkinObjBase, field>;

    static constexpr Row kRows[] = {
        {L"alpha", Int<&SSkinObjBase::m_alpha>, AttrEffect::Redraw},
        {L"enableColorize", Int<&SSkinObjBase::m_enableColorize>, AttrEffect::Redraw},
        {L"scale", Int<&SSkinObjBase::m_scale>, AttrEffect::None},
        {L"name", &AttrStore<SSkinObjBase, &SSkinObjBase::m_name, &ResolveNamedString>, AttrEffect::None},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SSkinObjBase::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    // Names no skin class took end at the object root, without the after-hook.
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SObjectImpl<IObject>::SetAttribute(name, value, loading); });
}

ISkinObj* SSkinObjBase::Scale(int scale)
{
    SSkinPoolMgr* mgr = SSkinPoolMgr::GetInstance();
    ISkinObj* copy = mgr ? mgr->NewSkinByTag(GetClassTag()) : nullptr;
    if (copy) CopyTo(copy, scale);
    return copy;
}

void SSkinObjBase::CopyTo(ISkinObj* target, int scale) const
{
    auto* to = dynamic_cast<SSkinObjBase*>(target);
    if (!to) return;
    to->m_scale = scale;
    to->m_alpha = m_alpha;
    to->m_enableColorize = m_enableColorize;
    to->m_colorize = m_colorize;
    to->m_name = m_name;
}

} // namespace DUI
