#include "dui/res.mgr/SSkinObjBase.h"

#include <shlwapi.h>
#include "dui/res.mgr/SResProviderMgr.h"
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

HRESULT SSkinObjBase::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    HRESULT hr;
    if (name.CompareNoCase(L"alpha") == 0) {
        m_alpha = static_cast<BYTE>(ReadInt(value) & 0xFF);
        hr = 0;
    } else if (name.CompareNoCase(L"enableColorize") == 0) {
        m_enableColorize = ReadInt(value);
        hr = 0;
    } else if (name.CompareNoCase(L"scale") == 0) {
        m_scale = ReadInt(value);
        hr = 1;
    } else if (name.CompareNoCase(L"name") == 0) {
        m_name = ResolveNamedString(value);
        hr = 1;
    } else {
        // Names no skin class took end at the object root, without the after-hook.
        return SObjectImpl<IObject>::SetAttribute(name, value, loading);
    }
    return AfterSetAttribute(name, value, loading, hr);
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
