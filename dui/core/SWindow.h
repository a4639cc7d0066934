#pragma once
// The windowless window every visible element derives from: its identity
// (SWND, id, name), its place in the tree, its creation from XML (includes
// and templates), its attributes and style, its events and its part in the
// layout of its parent. It lives in a tree that a host reaches through its
// container; the tree owns one reference to each window.
#include "dui/core/base/Events.h"
#include "dui/core/ILayout.h"
#include "dui/core/base/IRender.h"
#include "dui/core/ISwndContainer.h"
#include "dui/res.mgr/ITrCtxProvider.h"
#include "dui/core/base/SEventSet.h"
#include "dui/core/base/SLayoutSize.h"
#include "dui/core/base/SObjectImpl.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/core/SWindowMgr.h"
#include "dui/core/SwndStyle.h"
#include "dui/core/SwndRenderCache.h"
#include "dui/core/SwndText.h"
#include "dui/core/SwndToolTip.h"
#include "dui/core/SwndToolTipInfo.h"
#include "dui/core/base/TObjRefImpl.h"
#include "dui/res.mgr/ISkinObj.h"

#include <memory>
#include <vector>

namespace DUI {

// The handled flag of the message a window's message map is working on.
class SMsgHandleState
{
public:
    BOOL IsMsgHandled() const { return m_handled != 0; }
    void SetMsgHandled(BOOL handled) { m_handled = handled ? 1 : 0; }

private:
    int m_handled = 0;
};

// Window state bits: the effective look, own settings combined with the
// ancestors'.
enum WndState : DWORD
{
    WndState_Normal = 0,
    WndState_Hover = 0x01,
    WndState_PushDown = 0x02,
    WndState_Check = 0x04,
    WndState_Invisible = 0x08,
    WndState_Disable = 0x10,
};

// Framework messages of the window tree; wParam: the scale in percent, -,
// the colour; 11124 goes to the host window with the SWND in wParam.
enum SwndMessage : UINT
{
    UM_SETSCALE = 2024,
    UM_SETLANGUAGE = 2025,
    UM_SETCOLORIZE = 2026,
    UM_UPDATESWND = 11124,
};

// How a surface lent for drawing outside the paint cycle is prepared and
// given back.
enum PaintFlag : DWORD
{
    PaintFlag_NoDraw = 1,       // discarded on release
    PaintFlag_Background = 2,   // holds what lies below first, what lies above on release
    PaintFlag_Plain = 4,
};

// What BeforePaint changed on a surface, for AfterPaint to put back.
struct SPaintState
{
    static constexpr COLORREF kNoColor = 0x00FFFFFF;
    SRefPtr<IPaintObject> font;
    COLORREF color = kNoColor;
};

// GetRelatedWindow codes.
enum WndRelation : UINT
{
    GSW_FIRSTCHILD = 0,
    GSW_LASTCHILD = 1,
    GSW_PREVSIBLING = 2,
    GSW_NEXTSIBLING = 3,
    GSW_PARENT = 4,
    GSW_OWNER = 5,
};

// The message a window's message map is working on.
struct SwndMsg
{
    UINT msg = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    LRESULT* result = nullptr;
};

// OnGetDlgCode bits: the window takes the Tab key itself.
enum DlgCode : UINT
{
    SC_WANTTAB = 0x2,
};

// InsertChild's "after" value that puts the child first.
inline SWindow* const ICWND_FIRST = reinterpret_cast<SWindow*>(~static_cast<UINT_PTR>(0));

class SWindow : public SObjectImpl<IObject>,
                public SMsgHandleState,
                public ITrCtxProvider,
                public TObjRefImpl2<IObjRef, SWindow>
{
    DUI_CLASS_NAME(SWindow, SObjectImpl<IObject>, L"window", Window_Kind)
public:
    // Bits of the flags word.
    enum Flag : DWORD
    {
        Flag_Visible = 0x001,
        Flag_Disabled = 0x002,
        Flag_Display = 0x004,
        Flag_ClipClient = 0x008,
        Flag_MsgTransparent = 0x010,
        Flag_Focusable = 0x020,
        Flag_DrawFocusRect = 0x040,
        Flag_Cache = 0x080,
        Flag_CacheDirty = 0x100,
        Flag_Layered = 0x200,
        Flag_Destroyed = 0x400,
    };

    SWindow();
    ~SWindow() override;

    // Identity.
    SWND GetSwnd() const { return m_swnd; }
    int GetID() const override { return m_id; }
    void SetID(int id) { m_id = id; }
    LPCWSTR GetName() const override { return m_name; }
    void SetName(const SStringW& name) { m_name = name; }
    ULONG_PTR GetUserData() const { return m_userData; }
    ULONG_PTR SetUserData(ULONG_PTR data);

    // The tree.
    SWindow* GetParent() const { return m_parent; }
    SWindow* GetOwner() const { return m_owner; }
    void SetOwner(SWindow* owner) { m_owner = owner; }
    SWindow* GetRoot() const;
    ISwndContainer* GetContainer() const { return m_container; }
    void SetContainer(ISwndContainer* container);
    SWindow* GetRelatedWindow(UINT code) const;
    UINT GetChildrenCount() const { return m_childCount; }
    SWindow* GetNthChild(UINT n) const;
    void InsertChild(SWindow* child, SWindow* after = nullptr);
    BOOL RemoveChild(SWindow* child);
    BOOL DestroyChild(SWindow* child);
    BOOL Destroy();
    void BringToTop();

    // Search below this window: depth 1 the direct children, -1 any depth.
    SWindow* FindChildByID(int id, int depth = -1);
    SWindow* FindChildByName(LPCWSTR name, int depth = -1);
    // The window of that name (or id) at any depth when it is of class T;
    // a miss is logged.
    template <class T>
    T* FindChildByName2(LPCWSTR name)
    {
        return static_cast<T*>(CheckFound(FindChildByName(name, -1), T::GetClassTagStatic(), name, 0));
    }
    template <class T>
    T* FindChildByID2(int id)
    {
        return static_cast<T*>(CheckFound(FindChildByID(id, -1), T::GetClassTagStatic(), nullptr, id));
    }

    // Creation from XML.
    virtual BOOL CreateChildren(xmldom::xml_node element);
    // Parses the text and creates its children; the last child, or NULL.
    SWindow* CreateChildrenFromXmlText(LPCWSTR text);
    BOOL ApplyXmlNode(xmldom::xml_node element) override;
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    HRESULT AfterSetAttribute(const SStringW& name, const SStringW& value, BOOL loading,
                              HRESULT result) override;
    HRESULT OnUnhandledAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;

    // Texts.
    virtual SStringW GetWindowText(BOOL raw = FALSE) const;
    virtual void SetWindowText(LPCWSTR text);
    virtual void SetToolTipText(LPCWSTR text);
    virtual SStringW GetToolTipText() const;
    SStringW GetTrCtx() const override;
    virtual SStringW TranslateText(const SStringW& text) const;

    // Style and scale.
    SwndStyle& GetStyle() { return m_style; }
    const SwndStyle& GetStyle() const { return m_style; }
    BYTE GetAlpha() const { return m_style.m_byAlpha; }
    virtual int GetScale() const;
    ISkinObj* GetSkin() const { return m_skin.Get(); }
    // The background skin; controls give theirs a default in their constructors.
    void SetSkin(ISkinObj* skin) { m_skin.Reset(skin); }
    // The non-client skin, drawn over the whole window rectangle.
    void SetNcSkin(ISkinObj* skin) { m_ncSkin.Reset(skin); }
    ISkinObj* GetNcSkin() const { return m_ncSkin.Get(); }
    DWORD GetFlags() const { return m_flags; }
    BOOL IsFloat() const { return m_float; }
    virtual BOOL IsFocusable() const { return (m_flags & Flag_Focusable) != 0; }
    virtual BOOL ClipsToClient() const { return (m_flags & Flag_ClipClient) != 0; }
    virtual BOOL IsLayered() const { return (m_flags & Flag_Layered) != 0; }
    BOOL IsMsgTransparent() const { return (m_flags & Flag_MsgTransparent) != 0; }
    BOOL IsDisplay() const { return (m_flags & Flag_Display) != 0; }
    // After WM_DESTROY: the object may still be held, but is out of the tree.
    BOOL IsDestroyed() const { return (m_flags & Flag_Destroyed) != 0; }

    // Radio groups.
    virtual BOOL IsGroupedWithSiblings() const { return FALSE; }
    virtual SWindow* GetCheckedSiblingInGroup() { return nullptr; }
    SWindow* GetCheckedChildInGroup();

    // State.
    DWORD GetState() const { return m_state; }
    DWORD ModifyState(DWORD add, DWORD remove, BOOL redraw = FALSE);
    virtual void OnStateChanging(DWORD oldState, DWORD newState);
    virtual void OnStateChanged(DWORD oldState, DWORD newState);
    // Whether the window looks different in another state.
    virtual BOOL NeedRedrawOnStateChange() const;
    BOOL IsVisible(BOOL checkParent = FALSE) const;
    BOOL IsDisabled(BOOL checkParent = FALSE) const;
    void SetVisible(BOOL show, BOOL update = FALSE);
    void EnableWindow(BOOL enable, BOOL update = FALSE);
    // The area goes to the parent and at last to the host, which paints it.
    void InvalidateRect(const RECT* rc = nullptr);
    void InvalidateClient();
    void LockUpdate() { ++m_updateLock; }
    void UnlockUpdate() { --m_updateLock; }
    BOOL IsUpdateLocked() const { return m_updateLock > 0; }

    // State and painting
    BOOL IsChecked() const { return (m_state & WndState_Check) != 0; }
    void SetCheck(BOOL checked);
    // 3 disabled, 2 pushed or checked, 1 hover, else 0: the index of skin
    // states, fonts and text colours.
    int GetDrawState() const;
    // With the mark the cache surface is drawn again at the next paint.
    void InvalidateRectEx(const RECT* rc, BOOL markCacheDirty);
    void UpdateWindow();
    // Draws this window and its descendants clipped to the region.
    void RedrawRegion(IPaintSurface* rt, IPaintRegion* rgn);
    // The windows of the subtree whose paint order lies in [firstZ, endZ);
    // endZ -1 has no end.
    void DispatchPaint(IPaintSurface* rt, IPaintRegion* rgn, int firstZ, int endZ);
    // Draws the area an opaque window collected with its own invalidations.
    void RedrawDirtyRegion();
    int GetZorder() const { return m_zorder; }
    void SetZorder(int zorder) { m_zorder = zorder; }
    void ApplyInheritedPaintState(IPaintSurface* rt);
    virtual void BeforePaint(IPaintSurface* rt, SPaintState& state);
    virtual void AfterPaint(IPaintSurface* rt, SPaintState& state);
    virtual void DrawText(IPaintSurface* rt, LPCWSTR text, int len, RECT* rc, UINT format);
    virtual void DrawFocus(IPaintSurface* rt);
    void DrawDefFocusRect(IPaintSurface* rt, const RECT& rc);
    virtual BOOL IsCached() const;
    virtual void SetColorize(COLORREF color);
    COLORREF GetColorizeColor() const { return m_colorize; }
    void BroadcastColorize(COLORREF color);
    void UpdateCacheMode();
    void UpdateLayeredMode();
    virtual BOOL OnLanguageChanged();
    virtual void OnScaleChanged(int scale);
    // The skin of the same name made for `scale`; an unnamed skin stays.
    static void RescaleSkin(SRefPtr<ISkinObj>& skin, int scale);

    // Drawing outside the paint cycle: the surface holds one reference and
    // goes back through ReleaseRenderTarget.
    IPaintSurface* GetRenderTarget(const RECT* rc, DWORD flags, BOOL clientOnly);
    IPaintSurface* GetRenderTarget(DWORD flags, IPaintRegion* rgn);
    void ReleaseRenderTarget(IPaintSurface* rt);
    void PaintBackground(IPaintSurface* rt, const RECT* rc);
    void PaintForeground(IPaintSurface* rt, const RECT* rc);
    void PaintForegroundFromRoot(IPaintSurface* rt, const RECT* rc);
    void RedrawNonClient();
    SWindow* GetLayeredAncestor() const;
    IPaintSurface* GetLayerRenderTarget();

    // Messages. The window is kept alive while its map runs, so a handler
    // may destroy it; nested deliveries keep their own record and flag.
    LRESULT DeliverSwndMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0, BOOL* handled = nullptr);
    // To this window, then to every descendant in tree order; the last result.
    LRESULT BroadcastMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0);
    virtual BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    virtual LRESULT OnUnhandledMessage(UINT, WPARAM, LPARAM) { return 0; }
    // NULL outside a delivery.
    const SwndMsg* GetCurMsg() const { return m_curMsg; }

    // Mouse. Points are in container coordinates.
    // The deepest window under the point; 0 outside this window.
    virtual SWND HitTestSwnd(POINT pt);
    virtual BOOL ContainsPoint(POINT pt, BOOL clientOnly) const;
    virtual BOOL IsPointOutsideClient(POINT pt) const;
    void SetCapture();
    void ReleaseCapture();
    SWND GetCapture() const;
    virtual BOOL OnSetCursor(POINT pt);

    // Keyboard focus, window side.
    void SetFocus();
    void KillFocus();
    BOOL IsFocused() const;
    // SC_WANTTAB and the like.
    virtual UINT OnGetDlgCode() const { return 0; }
    virtual BOOL CreateCaret(HBITMAP bitmap, int width, int height);
    virtual BOOL ShowCaret(BOOL show);
    virtual BOOL SetCaretPos(int x, int y);

    // Tooltip of the host while the mouse is over this window: TRUE when
    // `info` holds a text to show.
    virtual BOOL OnUpdateToolTip(const SwndToolTipKey& current, SwndToolTipInfo& info);

    // Timers on the host window: id 0-127, ticks arrive as WM_TIMER with
    // the id in wParam.
    BOOL SetTimer(char id, UINT elapse);
    void KillTimer(char id);
    // Timers of the timer generator: ticks arrive as UM_SWND_TIMER.
    BOOL SetTimerEx(UINT_PTR id, UINT elapse);
    void KillTimerEx(UINT_PTR id);

    // "on_command": whether a subscriber handled it.
    BOOL FireCommand();
    // "on_conext_menu": whether a subscriber cancelled the menu.
    BOOL FireCtxMenu(POINT pt);

    // Events. The window keeps itself alive while it fires, so a handler may
    // destroy it.
    SEventSet* GetEventSet() { return &m_events; }
    BOOL SubscribeEvent(int id, const ISlotFunctor& slot) { return m_events.SubscribeEvent(id, slot); }
    virtual BOOL FireEvent(EventArgs& args);

    // Layout participation.
    ILayout* GetLayout() const { return m_layout.Get(); }
    ILayoutParam* GetLayoutParam() const { return m_layoutParam.Get(); }
    BOOL SetLayoutParam(ILayoutParam* param);
    SWindow* GetNextLayoutChild(const SWindow* after) const;
    void GetWindowRect(RECT* out) const { *out = m_rcWindow; }
    RECT GetWindowRect() const { return m_rcWindow; }
    virtual RECT GetClientRect() const;
    void FillClientRect(RECT* out) const { *out = GetClientRect(); }
    virtual void GetTextRect(RECT* out) const;
    virtual void GetChildArea(RECT* out) const;
    virtual void MarkLayoutDirty(SWND changed, BOOL full);
    void MarkForRelayout() { MarkLayoutDirty(m_swnd, TRUE); }
    int GetLayoutDirty() const { return m_layoutDirty; }
    virtual void UpdateLayout();
    virtual void ArrangeChildren();
    virtual BOOL OnRectChanged(const RECT& rc);
    virtual void OnFloatAreaChanged(const RECT&) {}
    void Move(const RECT* rc);
    virtual SIZE MeasureDesiredSize(int width, int height);
    virtual SIZE MeasureContent(int parentWidth, int parentHeight);
    virtual void OnContentChanged();
    const SLayoutSize& GetMaxWidth() const { return m_maxWidth; }

protected:
    // Handlers of the base message map.
    virtual int OnCreate();
    virtual void OnDestroy();
    virtual void OnShowWindow(BOOL show, UINT status);
    virtual void OnEnable(BOOL enable, UINT status);
    virtual void OnSize(UINT type, SIZE size);
    virtual void OnLButtonDown(UINT flags, POINT pt);
    virtual void OnLButtonUp(UINT flags, POINT pt);
    virtual void OnRButtonUp(UINT flags, POINT pt);
    virtual LRESULT OnMouseWheel(WPARAM wp, LPARAM lp);
    virtual void OnMouseHover(UINT flags, POINT pt);
    virtual void OnMouseLeave();
    virtual void OnSetFocus(SWND oldFocus);
    virtual void OnKillFocus(SWND newFocus);

    // State and painting
    virtual BOOL OnEraseBkgnd(IPaintSurface* rt);
    virtual void OnPaint(IPaintSurface* rt);
    virtual void OnNcPaint(IPaintSurface* rt);
    void PaintClient(IPaintSurface* rt);
    void PaintNonClient(IPaintSurface* rt);
    // The region is the window's shape, relative to its top-left.
    SRefPtr<IPaintRegion> m_shapeRegion;

    // The text size for MeasureContent, at the window's font.
    virtual SIZE MeasureText(const RECT& box, UINT format);

private:
    void RegisterEvents();
    SWindow* CheckFound(SWindow* found, LPCWSTR classTag, LPCWSTR name, int id);
    SWindow* SearchChildByID(int id, int depth) const;
    SWindow* SearchChildByName(LPCWSTR name, int depth) const;
    void LinkChild(SWindow* child, SWindow* after);
    void AdoptLayoutParam(SWindow* child);

    // The readers of the window's own attribute table.
    struct AttrRows;
    HRESULT SetDelegatedAttribute(const SStringW& name, const SStringW& value, BOOL loading);
    HRESULT SetLayoutAttribute(const SStringW& value);
    void ApplyClass(const SStringW& value, BOOL loading);
    void SetFlag(DWORD flag, BOOL on) { m_flags = on ? (m_flags | flag) : (m_flags & ~flag); }

    SWindow* CreateChildWindow(LPCWSTR tag, xmldom::xml_node element);
    void CreateInclude(xmldom::xml_node include);
    void CreateFromTemplate(xmldom::xml_node use);
    void SetWindowTextFromXml(xmldom::xml_node element);

    BOOL WrapsContent() const;

    // State and painting
    void AddDirtyRect(const RECT& rc);
    void GiveUpInput(BOOL capture);
    // The entries of the base message map; FALSE for a message they do not list.
    BOOL DispatchStateMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    BOOL DispatchInputMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    std::vector<SRefPtr<SWindow>> KeptChildren() const;
    // The rounded client clip of the style's corner radius, or NULL.
    SRefPtr<IPaintRegion> RoundClientRegion() const;
    BOOL PushShapeClip(IPaintSurface* rt, int mode) const;
    void PaintCache(IPaintSurface* rt, IPaintSurface* cache);
    void FitSurface(SwndRenderCache::Kind kind);
    void PaintChildren(IPaintSurface* rt, IPaintRegion* rgn, int firstZ, int endZ);
    void EndLayer(IPaintSurface* kept, IPaintSurface* layer, BOOL clipped, const RECT& rcWnd);

    // Drawing outside the paint cycle
    void ComposeLayer(SWindow* layered, const SwndRenderCache::Lent& state);
    void PaintTreeRange(IPaintSurface* rt, const RECT* rc, SWindow* from, int firstZ, int endZ, BOOL clear);
    BOOL MatchesParent() const;

    // The last measurement, good while nothing it depends on has changed: its
    // question (extents, scale, the sizing of the own parameter), the window's
    // content and attributes, and its layout children with theirs.
    struct MeasureCache
    {
        bool valid = false;
        int width = 0, height = 0, scale = 0, horz = 0, vert = 0;
        SIZE size = {};
    };
    int SizingKey(int orientation, int scale) const;
    // Whose measurements a change drops besides the window's and its
    // ancestors'.
    enum class MeasureScope
    {
        Self,
        Subtree,   // every descendant's too
    };
    void InvalidateMeasure(MeasureScope scope = MeasureScope::Self);

    RECT m_rcWindow = {};
    SWND m_swnd = 0;
    BOOL m_float = FALSE;
    ISwndContainer* m_container = nullptr;
    SEventSet m_events;
    SRefPtr<ILayout> m_layout;
    SRefPtr<ILayoutParam> m_layoutParam;
    SWindow* m_owner = nullptr;
    SWindow* m_parent = nullptr;
    SWindow* m_firstChild = nullptr;
    SWindow* m_lastChild = nullptr;
    SWindow* m_nextSibling = nullptr;
    SWindow* m_prevSibling = nullptr;
    UINT m_childCount = 0;
    SwndStyle m_style;
    SwndText m_text;
    SwndToolTip m_toolTip;
    SStringW m_name;
    SStringW m_trCtx;
    int m_id = 0;
    int m_zorder = 0;
    int m_updateLock = 0;
    DWORD m_state = WndState_Normal;
    DWORD m_flags = Flag_Visible | Flag_Display | Flag_DrawFocusRect | Flag_CacheDirty;
    int m_layoutDirty = 1;
    SRefPtr<ISkinObj> m_skin;
    SRefPtr<ISkinObj> m_ncSkin;
    ULONG_PTR m_userData = 0;
    SLayoutSize m_maxWidth;
    MeasureCache m_measure;
    // State and painting
    SwndRenderCache m_surfaces;
    SRefPtr<IPaintRegion> m_dirtyRegion;
    COLORREF m_colorize = 0;
    // Messages
    const SwndMsg* m_curMsg = nullptr;
};

} // namespace DUI
