#pragma once
// The one object that owns a real native window: it carries the tree of
// windowless windows (its root is the host itself), builds that tree from
// an XML layout when the native window is made, paints it into one memory
// surface that it puts on the screen, and turns native messages into the
// windowless world.
#include <vector>

#include "dui/core/CSimpleWnd.h"
#include "dui/core/IHostPresenter.h"
#include "dui/core/IToolTip.h"
#include "dui/core/SCaret.h"
#include "dui/core/SDummyWnd.h"
#include "dui/core/SHostWndAttr.h"
#include "dui/core/SwndContainerImpl.h"
#include "dui/res.mgr/SSkinPool.h"
#include "dui/res.mgr/SStylePool.h"

namespace DUI {

// Messages a host answers besides the system's: a window asks to draw its
// own dirty region (11124, SwndMessage), an event from another thread
// (11226, lParam: the event), and the inspection of the tree by another
// window.
enum HostMessage : UINT
{
    UM_HOST_RESERVED = 11225,
    UM_HOST_EVENT = 11226,
    UM_SPY_SETWND = 12024,
    UM_SPY_RELATED = 12025,
    UM_SPY_INFO = 12026,
    UM_SPY_HITTEST = 12027,
};

// OnPrint's flag for the call the dummy window of a translucent host makes:
// only the changed box is presented.
constexpr LPARAM kPrintForDummy = static_cast<LPARAM>(0x80000000u);

class SHostWnd : public SwndContainerImpl, public CSimpleWnd
{
    DUI_CLASS_NAME(SHostWnd, SwndContainerImpl, L"hostwnd", Window_Kind)
public:
    // layout: "TYPE:NAME", or a bare name of type "LAYOUT"; NULL: none.
    explicit SHostWnd(LPCWSTR layout = nullptr);
    ~SHostWnd() override;

    HWND Create(HWND owner, int x = 0, int y = 0, int cx = 0, int cy = 0);
    // Returns the existing window when there is one; NULL when creation fails.
    HWND CreateEx(HWND owner, DWORD style, DWORD exStyle, int x, int y, int cx, int cy);
    BOOL DestroyWindow();
    // The native window's rectangles; the root's are SWindow's.
    RECT GetNativeWindowRect() const { return CSimpleWnd::GetWindowRect(); }
    RECT GetNativeClientRect() const { return CSimpleWnd::GetClientRect(); }

    SHostWndAttr& GetHostAttr() { return m_attr; }
    const SHostWndAttr& GetHostAttr() const { return m_attr; }
    IHostPresenter* GetPresenter() const { return m_presenter.Get(); }
    void SetPresenter(IHostPresenter* presenter);
    IToolTip* GetToolTip() const { return m_tooltip; }
    // Puts another tooltip in the host's place; the caller owns a tooltip
    // set here and takes it out again (NULL) before the host goes.
    void SetToolTip(IToolTip* tooltip) { m_tooltip = tooltip; }
    IPaintSurface* GetMemSurface() const { return m_memSurface.Get(); }
    HWND GetDummyHwnd() const { return m_dummyWnd.GetHwnd(); }

    // Builds the host from a "DUI" element: pools, native styles, layering,
    // the tree from its "root" child, the size (cx, cy: 0 = from the layout).
    virtual BOOL ApplyXmlNode(xmldom::xml_node element, int cx, int cy);
    // Follows the root's size while the layout wraps its content.
    bool ResizeToContent(EventArgs* e);
    // The end of an event no window of the tree took.
    virtual BOOL HandleEvent(EventArgs* e);

    // Painting.
    void InvalidateAll();
    void OnPrint(HDC dc, LPARAM flags);
    void Present(HDC dc, IPaintSurface* surface, const RECT& rc, BYTE alpha);
    BOOL AnimateHostWindow(DWORD time, DWORD flags);
    BOOL UpdateLayeredFromRenderTarget(IPaintSurface* surface, BYTE alpha, const RECT* rc);

    // ISwndContainer: the native parts.
    BOOL OnFireEvent(EventArgs* e) override { return HandleEvent(e); }
    HWND GetHostHwnd() override { return GetHwnd(); }
    SStringW GetTrCtx() const override { return m_attr.GetTrCtx(); }
    BOOL IsTranslucent() const override { return m_attr.IsTranslucent(); }
    BOOL IsSendWheelToHover() const override { return m_attr.IsSendWheel2Hover(); }
    RECT GetContainerRect() const override { return SWindow::GetWindowRect(); }
    IPaintSurface* OnGetRenderTarget(const RECT& rc, DWORD flags) override;
    void OnReleaseRenderTarget(IPaintSurface* surface, const RECT& rc, DWORD flags) override;
    void OnRedraw(const RECT& rc) override;
    BOOL ReleaseCapture() override;
    SWND SetCapture(SWND swnd) override;
    BOOL CreateCaret(SWND owner, HBITMAP bitmap, int width, int height) override;
    BOOL ShowCaret(BOOL show) override;
    BOOL SetCaretPos(int x, int y) override;
    BOOL UpdateWindow() override;
    void UpdateTooltip() override;
    void MapRectToHost(RECT*) const override {}
    BOOL RegisterTimelineHandler(ITimelineHandler* handler) override;
    BOOL UnregisterTimelineHandler(ITimelineHandler* handler) override;
    SMessageLoop* GetMsgLoop() override;
    IScriptModule* GetScriptModule() override { return nullptr; }
    int GetScale() const override { return m_scale; }

    // The root window.
    BOOL ApplyXmlNode(xmldom::xml_node element) override;
    void MarkLayoutDirty(SWND changed, BOOL full) override;
    void UpdateLayout() override;
    void BeforePaint(IPaintSurface* rt, SPaintState& state) override;
    BOOL IsLayered() const override { return FALSE; }
    BOOL OnLanguageChanged() override;
    void OnScaleChanged(int scale) override;

    // The native window.
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId) override;

    // Host timers of the root: the caret's blink and the timeline's frames.
    enum HostTimer : UINT { kCaretTimer = 1, kTimelineTimer = 2 };

protected:
    // Native message handlers.
    virtual int OnNativeCreate(CREATESTRUCTW* cs);
    virtual void OnNativeDestroy();
    void OnNativeSize(UINT type, int width, int height);
    void OnNativePaint();
    void OnWindowPosChanging(WINDOWPOS* pos);
    LRESULT OnUpdateSwnd(SWND swnd);
    LRESULT OnMouseEvent(UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnNativeMouseWheel(WPARAM wp, LPARAM lp);
    LRESULT OnKeyEvent(UINT msg, WPARAM wp, LPARAM lp);
    void OnActivate(UINT state);
    void OnCaptureChanged(HWND capture);
    LRESULT OnNativeSetCursor(HWND hwnd, UINT hitTest, UINT mouseMsg);
    void OnTimer(UINT_PTR id);
    virtual void OnHostTimer(UINT id);
    LRESULT OnNcCalcSize(BOOL calc, LPARAM lp);
    LRESULT OnNcHitTest(POINT screen);
    void OnGetMinMaxInfo(MINMAXINFO* info);
    LRESULT OnInspectSetWindow(HWND inspector);
    LRESULT OnInspectRelated(SWND swnd, UINT code);
    LRESULT OnInspectInfo(SWND swnd);
    LRESULT OnInspectHitTest(LPARAM screen);
    void ReleasePendingButton();

    // The handled flag of the host's own native message map.
    void SetHostHandled(BOOL handled) { m_hostHandled = handled ? 1 : 0; }
    BOOL IsHostHandled() const { return m_hostHandled != 0; }

private:
    friend class SDummyWnd;

    BOOL RunMessageMap(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    BOOL RunInputMessages(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    BOOL RunFrameworkMessages(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    void LoadLayout(int cx, int cy);
    void LoadPrivatePools(xmldom::xml_node element);
    void ApplyNativeStyles(DWORD style, DWORD exStyle);
    void ApplyLayering();
    SIZE HostSize(int cx, int cy);
    void ForgetPrivatePools();
    void ReleaseTooltip();
    int FailCreation();
    void DropNativeParts();

    // Painting.
    void PaintDirty(RECT& painted);
    RECT ProcessPendingRedraws();
    void DrawCaret(POINT pos);
    void InvalidateHost(const RECT* rc);
    BOOL AnimateLayered(DWORD time, DWORD flags);

    SDummyWnd m_dummyWnd{[this] { OnPrint(nullptr, kPrintForDummy); }};
    SHostWndAttr m_attr;
    SStringW m_layoutName;
    BOOL m_trackingLeave = FALSE;
    SRefPtr<SCaret> m_caret;
    BOOL m_caretVisible = FALSE;
    BOOL m_caretDrawn = FALSE;
    POINT m_caretPos = {};
    BOOL m_paintPending = FALSE;
    BOOL m_fullRepaint = TRUE;
    IToolTip* m_tooltip = nullptr;
    SRefPtr<IPaintRegion> m_dirtyRegion;
    SRefPtr<IPaintSurface> m_memSurface;
    BOOL m_resizing = FALSE;
    SRefPtr<SStylePool> m_stylePool;
    SRefPtr<SSkinPool> m_skinPool;
    SRefPtr<STemplatePool> m_templatePool;
    std::vector<SWND> m_pendingRedraws;
    std::vector<RECT> m_pendingPresents;
    BOOL m_painting = FALSE;
    UINT m_lastMouseMsg = 0;
    WPARAM m_lastMouseWp = 0;
    LPARAM m_lastMouseLp = 0;
    int m_scale = 100;
    SRefPtr<IHostPresenter> m_presenter;
    HWND m_inspector = nullptr;
    int m_hostHandled = 0;
};

} // namespace DUI
