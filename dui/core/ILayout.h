#pragma once
// A window's layout places its children; each child carries the layout's
// parameter object, which says how that child wants to be sized and placed.
#include "dui/core/base/IObjRef.h"
#include "dui/core/base/IObject.h"
#include "dui/core/base/SLayoutSize.h"

namespace DUI {

class SWindow;

// Orientation arguments of the parameter operations.
enum Orientation : int
{
    Horz = 0,
    Vert = 1,
    Any = 2,    // either of the two
    Both = 3,
};

struct ILayoutParam : public IObjRef, public IObject
{
    virtual void Clear() = 0;
    virtual BOOL IsMatchParent(int orientation) const = 0;
    virtual BOOL IsWrapContent(int orientation) const = 0;
    virtual BOOL IsSpecifiedSize(int orientation) const = 0;
    virtual SLayoutSize GetSpecifiedSize(int orientation) const = 0;
    virtual void SetMatchParent(int orientation) = 0;
    virtual void SetWrapContent(int orientation) = 0;
    virtual void SetSpecifiedSize(int orientation, const SLayoutSize& size) = 0;
    // The parameter's own record, whose type the layout class knows.
    virtual void* GetRawData() = 0;
    // A new parameter object with a copy of the record (one reference).
    virtual ILayoutParam* Clone() const = 0;
};

struct ILayout : public IObject, public IObjRef
{
    virtual BOOL IsParamAcceptable(ILayoutParam* param) const = 0;
    // Places the layout children of `window` in its child area.
    virtual void LayoutChildren(SWindow* window) = 0;
    // A fresh parameter object for a child (one reference).
    virtual ILayoutParam* CreateLayoutParam() const = 0;
    // The size the layout children need; -1 for a free width or height.
    virtual SIZE MeasureChildren(SWindow* window, int width, int height) = 0;
};

} // namespace DUI
