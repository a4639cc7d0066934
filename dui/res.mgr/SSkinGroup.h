#pragma once
// "group": each state drawn by another named skin.
#include "dui/core/base/SRefPtr.h"
#include "dui/res.mgr/SSkinObjBase.h"

namespace DUI {

class SSKinGroup : public SSkinObjBase
{
    DUI_CLASS_NAME(SSKinGroup, SSkinObjBase, L"group", Skin_Kind)

public:
    SIZE GetSkinSize() const override;
    BOOL IgnoreState() const override { return FALSE; }
    int GetStates() const override { return 4; }
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void CopyTo(ISkinObj* target, int scale) const override;
    ISkinObj* GetStateSkin(int state) const { return state >= 0 && state < 4 ? m_skins[state].Get() : nullptr; }

protected:
    void DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha) override;

private:
    SRefPtr<ISkinObj> m_skins[4];
};

} // namespace DUI
