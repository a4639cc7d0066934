#pragma once
// A skin of plain colour cells, one colour per state index, so that a pixel
// tells which state a control drew.
#include <cstdint>

#include "dui/res.mgr/SSkinObjBase.h"

namespace ctltest {

using namespace DUI;

// Pixels (0xAARRGGBB) of the state indexes 0-7.
inline constexpr uint32_t kCellPixels[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00,
                                           0xFFFF00FF, 0xFF00FFFF, 0xFF800000, 0xFF008000};
inline constexpr int kCellColors = sizeof(kCellPixels) / sizeof(kCellPixels[0]);

inline COLORREF ColorOfPixel(uint32_t pixel)
{
    return 0xFF000000u | ((pixel & 0xFF) << 16) | (pixel & 0xFF00) | ((pixel >> 16) & 0xFF);
}

// "testCells": width x height, "states" states; state i fills its rectangle
// with colour (first + i) of kCellPixels.
class TestCellSkin : public SSkinObjBase
{
    DUI_CLASS_NAME(TestCellSkin, SSkinObjBase, L"testCells", Skin_Kind)
public:
    SIZE GetSkinSize() const override { return m_size; }
    BOOL IgnoreState() const override { return m_states < 2; }
    int GetStates() const override { return m_states; }
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override
    {
        if (name.CompareNoCase(L"width") == 0)
            m_size.cx = ReadInt(value);
        else if (name.CompareNoCase(L"height") == 0)
            m_size.cy = ReadInt(value);
        else if (name.CompareNoCase(L"states") == 0)
            m_states = ReadInt(value);
        else if (name.CompareNoCase(L"first") == 0)
            m_first = ReadInt(value);
        else
            return SSkinObjBase::SetAttribute(name, value, loading);
        return S_OK;
    }
    void CopyTo(ISkinObj* target, int scale) const override
    {
        SSkinObjBase::CopyTo(target, scale);
        if (auto* to = dynamic_cast<TestCellSkin*>(target)) {
            to->m_size = {m_size.cx * scale / 100, m_size.cy * scale / 100};
            to->m_states = m_states;
            to->m_first = m_first;
        }
    }

protected:
    void DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE) override
    {
        if (index >= 0 && index < m_states)
            rt->FillRectColor(rc, ColorOfPixel(kCellPixels[(m_first + index) % kCellColors]));
    }

private:
    SIZE m_size = {0, 0};
    int m_states = 1;
    int m_first = 0;
};

} // namespace ctltest
