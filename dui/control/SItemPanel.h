#pragma once
// The windows of one item (a row of a list view) inside a view: a window
// tree of its own and the container that stands between its windows and the
// real host. The view places it at the item's rectangle, hands it the input
// meant for the item in item coordinates and paints it into its own target;
// the events of the item's windows leave it wrapped in one event of the view.
#include "dui/control/IItemContainer.h"
#include "dui/core/SwndContainerImpl.h"

namespace DUI {

class SItemPanel : public SwndContainerImpl
{
    DUI_CLASS_NAME(SItemPanel, SwndContainerImpl, L"itemPanel", Window_Kind)
public:
    static constexpr COLORREF kNoColor = 0x00FFFFFF;

    // One reference for the caller. An empty element leaves the children
    // to the adapter.
    static SItemPanel* Create(SWindow* host, xmldom::xml_node xml, IItemContainer* container);

    // ISwndContainer: what the panel answers itself.
    BOOL OnFireEvent(EventArgs* e) override;
    RECT GetContainerRect() const override;
    IPaintSurface* OnGetRenderTarget(const RECT& rc, DWORD flags) override;
    void OnReleaseRenderTarget(IPaintSurface* surface, const RECT& rc, DWORD flags) override;
    void OnRedraw(const RECT& rc) override;
    BOOL ReleaseCapture() override;
    SWND SetCapture(SWND swnd) override;
    void MapRectToHost(RECT* rc) const override;
    BOOL SetCaretPos(int x, int y) override;

    // ISwndContainer: the host's answers.
    HWND GetHostHwnd() override;
    SStringW GetTrCtx() const override;
    BOOL IsTranslucent() const override;
    BOOL IsSendWheelToHover() const override;
    BOOL CreateCaret(SWND owner, HBITMAP bitmap, int width, int height) override;
    BOOL ShowCaret(BOOL show) override;
    BOOL UpdateWindow() override;
    void UpdateTooltip() override;
    SMessageLoop* GetMsgLoop() override;
    IScriptModule* GetScriptModule() override;
    int GetScale() const override;

    // The root window.
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    BOOL OnUpdateToolTip(const SwndToolTipKey& current, SwndToolTipInfo& info) override;
    void MarkLayoutDirty(SWND changed, BOOL full) override;
    SWND HitTestSwnd(POINT pt) override;
    void BeforePaint(IPaintSurface* rt, SPaintState& state) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void OnLastRelease() override;

    // A message for the item, its point in item coordinates: the row's own
    // events, then the routing among its windows. The root's handled flag
    // tells whether a window took it.
    LRESULT OnMouseEvent(UINT msg, WPARAM wp, LPARAM lp);
    // No redraw: the view repaints.
    void ModifyItemState(DWORD add, DWORD remove);
    // `rc`: the item's rectangle in host coordinates.
    void Draw(IPaintSurface* rt, const RECT& rc);
    void SetItemData(ULONG_PTR data) { SetUserData(data); }
    void SetColor(COLORREF normal, COLORREF selected);

    LONGLONG GetItemIndex() const { return m_itemIndex; }
    void SetItemIndex(LONGLONG index) { m_itemIndex = index; }
    SWindow* GetHostWindow() const { return m_hostWnd; }
    // The colour the next Draw fills the row with.
    COLORREF GetBackgroundColor() const;

protected:
    SItemPanel(SWindow* host, xmldom::xml_node xml, IItemContainer* container);

private:
    struct AttrRows;

    ISwndContainer* HostContainer() const { return m_hostWnd->GetContainer(); }
    RECT ItemRect() const;
    void FireItemEvent(UINT msg, WPARAM wp, LPARAM lp);
    void RedrawNow(const RECT& rc);

    SWindow* m_hostWnd;
    IItemContainer* m_itemContainer;
    COLORREF m_crNormal = kNoColor;
    COLORREF m_crSelected = 0xFF800000;
    COLORREF m_crHover = kNoColor;
    LONGLONG m_itemIndex = -1;
};

} // namespace DUI
