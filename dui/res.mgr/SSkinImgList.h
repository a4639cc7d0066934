#pragma once
// Image skins over one bitmap: "imglist" draws one cell of a strip of
// equally sized state images, stretched, tiled or at natural size.
#include <vector>
#include "dui/core/base/SRefPtr.h"
#include "dui/res.mgr/SSkinObjBase.h"

namespace DUI {

class SSkinImgList : public SSkinObjBase
{
    DUI_CLASS_NAME(SSkinImgList, SSkinObjBase, L"imglist", Skin_Kind)

public:
    SIZE GetSkinSize() const override;
    BOOL IgnoreState() const override { return GetStates() == 1; }
    int GetStates() const override;
    void OnColorize(COLORREF color) override;
    void CopyTo(ISkinObj* target, int scale) const override;
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;

    virtual void SetStates(int states) { m_states = states; }
    // The bitmap drawn; also kept as the unscaled source of scaled copies.
    // It takes the skin's current tint.
    virtual void SetImage(IPaintBitmap* image);
    virtual IPaintBitmap* GetImage() const { return m_image.Get(); }
    virtual void SetTile(BOOL tile) { m_tile = tile; }
    virtual BOOL IsTile() const { return m_tile; }
    virtual void SetVertical(BOOL vertical) { m_vertical = vertical; }
    virtual BOOL IsVertical() const { return m_vertical; }
    // Loads "type:name" through the resource providers.
    virtual HRESULT SetImageSource(const SStringW& source);
    virtual UINT GetExpandMode() const;

protected:
    void DrawImpl(IPaintSurface* rt, const RECT* rc, int index, BYTE alpha) override;
    // Cell `index` of the strip in image pixels.
    RECT CellRect(int index) const;
    // States, flags, filter and state map, without the image.
    void CopyListFields(SSkinImgList* to) const;
    // The pixels scaled copies start from: never tinted ones.
    IPaintBitmap* ScaleSource() const;
    // Takes a new image with its reference; the unscaled copy becomes its
    // clone. The current tint is applied to the new pixels, so a scaled copy
    // looks like its source and colourising it with 0 restores them.
    void AdoptImage(IPaintBitmap* image);
    // Drops the backup of the old pixels and tints the current ones afresh.
    void ReapplyTint();
    // A copy of `src` whose cols x rows cells are each scaled on their own to
    // `cell`, so neighbouring cells do not bleed into each other.
    static SRefPtr<IPaintBitmap> ScaleCells(IPaintBitmap* src, int cols, int rows, SIZE cell);

    SRefPtr<IPaintBitmap> m_image;
    SRefPtr<IPaintBitmap> m_unscaled;
    SRefPtr<IPaintBitmap> m_backup;
    int m_states = 1;
    BOOL m_tile = FALSE;
    BOOL m_autoFit = TRUE;
    BOOL m_vertical = FALSE;
    BYTE m_filter = 0;
    std::vector<int> m_stateMap;
};

} // namespace DUI
