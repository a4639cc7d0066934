#pragma once
// The common part of every skin: alpha, scale, name and colourise state,
// their attributes, and scaled copies made through the skin's class tag.
#include "dui/core/base/SObjectImpl.h"
#include "dui/core/base/TObjRefImpl.h"
#include "dui/res.mgr/ISkinObj.h"

namespace DUI {

class SSkinObjBase : public TObjRefImpl<ISkinObj>, public SObjectImpl<IObject>
{
    DUI_CLASS_NAME(SSkinObjBase, SObjectImpl<IObject>, L"skinObjBase", Skin_Kind)

public:
    void DrawByState(IPaintSurface* rt, const RECT* rc, DWORD state) override;
    void DrawByIndex(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha) override;
    SIZE GetSkinSize() const override { return {0, 0}; }
    BOOL IgnoreState() const override { return TRUE; }
    int GetStates() const override { return 1; }
    BYTE GetAlpha() const override { return m_alpha; }
    void SetAlpha(BYTE alpha) override { m_alpha = alpha; }
    void OnColorize(COLORREF) override {}
    int GetScale() const override { return m_scale; }
    ISkinObj* Scale(int scale) override;
    virtual void CopyTo(ISkinObj* target, int scale) const;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    LPCWSTR GetName() const override { return m_name.c_str(); }

    // A number attribute as the skins read it (decimal or 0x hexadecimal).
    static int ReadInt(const SStringW& value);

protected:
    virtual void DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha) = 0;

    BYTE m_alpha = 255;
    COLORREF m_colorize = 0;
    int m_enableColorize = 1;
    int m_scale = 100;
    SStringW m_name;
};

} // namespace DUI
