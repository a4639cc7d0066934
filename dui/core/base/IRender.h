#pragma once
// The drawing interfaces of the render component (render.dll). Colours are
// 32-bit with red in bits 0-7 and alpha in bits 24-31; bitmap pixels are
// premultiplied, bytes blue, green, red, alpha, rows of width * 4 bytes.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/base/IObjRef.h"

namespace DUI {

struct IPaintFactory;
struct IPictureDecoderFactory;

enum PaintObjectType { OT_NULL = 0, OT_PEN, OT_BRUSH, OT_BITMAP, OT_FONT, OT_REGION };

// The bitmap drawing mode word: low 16 bits how the source fills the target,
// high 16 bits the filter level (0 nearest .. 3 best).
enum ExpandMode { EM_NULL = 0, EM_STRETCH = 1, EM_TILE = 2 };
inline UINT MakeExpandMode(UINT mode, UINT filter) { return (filter << 16) | (mode & 0xFFFF); }

enum GradientType { GT_LINEAR = 0, GT_RADIAL = 1, GT_SWEEP = 2 };

// Region combine modes; the values are those of CombineRgn.
enum RegionOp { RGN_OP_AND = 1, RGN_OP_OR = 2, RGN_OP_XOR = 3, RGN_OP_DIFF = 4, RGN_OP_COPY = 5 };

struct IPaintObject : IObjRef
{
    virtual IPaintFactory* GetFactory() = 0;
    virtual int ObjectType() const = 0;
};

struct IPen : IPaintObject
{
    virtual int GetWidth() const = 0;
    virtual int GetStyle() const = 0;   // PS_SOLID, PS_DASH, PS_DASHDOT, PS_DASHDOTDOT
    virtual COLORREF GetColor() const = 0;
    virtual void SetColor(COLORREF color) = 0;
};

struct IBrush : IPaintObject
{
    virtual COLORREF GetColor() const = 0;
};

struct IFont : IPaintObject
{
    virtual const LOGFONTW* LogFont() const = 0;
    virtual LPCWSTR FamilyName() const = 0;
    virtual int TextSize() const = 0;
    virtual BOOL IsBold() const = 0;
    virtual BOOL IsItalic() const = 0;
    virtual BOOL IsUnderline() const = 0;
    virtual BOOL IsStrikeOut() const = 0;
};

struct IPaintBitmap : IPaintObject
{
    // Allocates cx * cy pixels, copied from `pixels` when given, else zero.
    virtual HRESULT InitPixels(int cx, int cy, const void* pixels) = 0;
    virtual HRESULT LoadFromFile(LPCWSTR path) = 0;
    virtual HRESULT LoadFromMemory(const void* bytes, size_t size) = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual SIZE GetSize() const = 0;
    virtual void* LockPixels() = 0;
    virtual void UnlockPixels(void* pixels) = 0;
    virtual HRESULT Clone(IPaintBitmap** out) const = 0;
    virtual HRESULT Scale(IPaintBitmap** out, int cx, int cy, UINT filter) const = 0;
};

struct IPaintRegion : IPaintObject
{
    virtual void CombineRect(const RECT* rect, int mode) = 0;
    virtual void CombineRoundRect(const RECT* rect, POINT corner, int mode) = 0;
    virtual void CombineEllipse(const RECT* rect, int mode) = 0;
    virtual void CombineRegion(const IPaintRegion* other, int mode) = 0;
    virtual BOOL IsEmpty() const = 0;
    virtual BOOL PtInRegion(POINT pt) const = 0;
    virtual BOOL RectInRegion(const RECT* rect) const = 0;
    virtual void GetRgnBox(RECT* rect) const = 0;
    virtual void Offset(POINT pt) = 0;
    virtual void CopyFromHRGN(HRGN rgn) = 0;
    virtual void Clear() = 0;
};

struct IPaintSurface : IObjRef
{
    virtual HRESULT Resize(SIZE size) = 0;
    virtual SIZE GetSize() const = 0;
    virtual void SetViewportOffset(POINT offset) = 0;
    virtual POINT GetViewportOffset() const = 0;
    // The same origin, set or moved, with the one before in `previous`.
    virtual void SetViewOrigin(int x, int y, POINT* previous) = 0;
    virtual void OffsetViewOrigin(int dx, int dy, POINT* previous) = 0;

    // A DC of the surface with its clip, origin and selected objects. GDI
    // drawing through it leaves alpha at 0 where it touches.
    virtual HDC GetDC(UINT flags) = 0;
    virtual void ReleaseDC(HDC dc) = 0;

    virtual HRESULT BlitFromSurface(const RECT* dst, IPaintSurface* src, int xSrc, int ySrc) = 0;
    virtual HRESULT AlphaBlendFromSurface(const RECT* dst, IPaintSurface* src, const RECT* srcRect, BYTE alpha) = 0;
    virtual IPaintObject* GetSelectedObject(int type) = 0;   // OT_BITMAP: the surface's own pixels
    virtual HRESULT SelectObject(IPaintObject* obj, IPaintObject** old) = 0;

    virtual HRESULT CreatePen(int style, COLORREF color, int width, IPen** out) = 0;
    virtual HRESULT CreateSolidBrush(COLORREF color, IBrush** out) = 0;
    virtual HRESULT CreateRegion(IPaintRegion** out) = 0;

    virtual HRESULT PushClipRect(const RECT* rect, int mode) = 0;
    virtual HRESULT PushClipRegion(IPaintRegion* region, int mode) = 0;
    virtual HRESULT PopClip() = 0;
    virtual HRESULT SaveClip(int* cookie) = 0;
    virtual HRESULT RestoreClip(int cookie) = 0;
    virtual HRESULT GetClipBox(RECT* rect) = 0;

    virtual HRESULT FillRectColor(const RECT* rect, COLORREF color) = 0;
    virtual HRESULT FillRoundRectColor(const RECT* rect, POINT corner, COLORREF color) = 0;
    virtual HRESULT FillGradientRect(const RECT* rect, BOOL vertical, COLORREF from, COLORREF to, BYTE alpha) = 0;
    virtual HRESULT FillShapeGradient(const RECT* rect, int type, COLORREF start, COLORREF centre, COLORREF end,
                                      float angle, float centreX, float centreY, int radius, BYTE alpha) = 0;
    virtual HRESULT FillEllipse(const RECT* rect, COLORREF color) = 0;

    // Outlines use the selected pen.
    virtual HRESULT DrawRectangle(const RECT* rect) = 0;
    virtual HRESULT DrawRoundRect(const RECT* rect, POINT corner) = 0;
    virtual HRESULT DrawEllipse(const RECT* rect) = 0;
    virtual HRESULT DrawArc(const RECT* rect, float startAngle, float sweepAngle, BOOL withCentre) = 0;

    // Connected line segments through `count` points with the selected pen.
    virtual HRESULT DrawLines(const POINT* points, int count) = 0;

    // Text in the selected font; DT_CALCRECT measures into `rect` only.
    virtual HRESULT DrawTextBox(LPCWSTR text, int len, RECT* rect, UINT format, BYTE alpha = 255) = 0;
    virtual HRESULT MeasureText(LPCWSTR text, int len, SIZE* size) = 0;
    virtual COLORREF SetTextColor(COLORREF color) = 0;
    virtual COLORREF GetTextColor() const = 0;

    virtual HRESULT DrawBitmapScaled(const RECT* dst, IPaintBitmap* bmp, const RECT* src, UINT mode, BYTE alpha) = 0;
    virtual HRESULT DrawBitmapNinePatch(const RECT* dst, IPaintBitmap* bmp, const RECT* src, const RECT* margins,
                                        UINT mode, BYTE alpha) = 0;
    // An icon at (x, y), cx x cy (0: its own size); flags as DrawIconEx's (3 normal).
    virtual HRESULT DrawIcon(int x, int y, HICON icon, int cx, int cy, UINT flags) = 0;

    // Sets the pixels of `rect` inside the clip to `color` without blending:
    // colour 0 makes the area fully transparent.
    virtual HRESULT ClearRect(const RECT* rect, COLORREF color) = 0;
};

struct IPaintFactory : IObjRef
{
    virtual HRESULT CreateSurface(int cx, int cy, IPaintSurface** out) = 0;
    virtual HRESULT CreateFont(const LOGFONTW* lf, IFont** out) = 0;
    virtual HRESULT CreateBitmap(IPaintBitmap** out) = 0;
    virtual HRESULT CreateRegion(IPaintRegion** out) = 0;
    virtual HRESULT CreatePen(int style, COLORREF color, int width, IPen** out) = 0;
    virtual HRESULT CreateSolidBrush(COLORREF color, IBrush** out) = 0;
    virtual void SetPictureDecoderFactory(IPictureDecoderFactory* decoder) = 0;
    virtual IPictureDecoderFactory* GetPictureDecoderFactory() = 0;
};

} // namespace DUI
