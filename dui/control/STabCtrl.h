#pragma once
// "tabctrl": a band of tab buttons over one visible page of several. A new
// selection is announced first and may be cancelled; the pages then swap at
// once, or slide over the host's timeline when "animateSteps" asks for it.
#include <vector>

#include "dui/core/SWindow.h"
#include "dui/control/STabPage.h"
#include "dui/core/base/IInterpolator.h"

namespace DUI {

class STabSlider;

class EventTabSelChanging : public EventArgs
{
    DUI_EVENT_CLASS(EventTabSelChanging, 11000, L"on_tab_sel_changing")
public:
    int uOldSel = -1;
    int uNewSel = -1;
    BOOL bCancel = FALSE;
};

class EventTabSelChanged : public EventArgs
{
    DUI_EVENT_CLASS(EventTabSelChanged, 11001, L"on_tab_sel_changed")
public:
    int uOldSel = -1;
    int uNewSel = -1;
};

class EventTabItemHover : public EventArgs
{
    DUI_EVENT_CLASS(EventTabItemHover, 11002, L"on_tab_item_hover")
public:
    int iHover = -1;
};

class EventTabItemLeave : public EventArgs
{
    DUI_EVENT_CLASS(EventTabItemLeave, 11003, L"on_tab_item_leave")
public:
    int iLeave = -1;
};

class STabCtrl : public SWindow
{
    DUI_CLASS_NAME(STabCtrl, SWindow, L"tabctrl", Window_Kind)
public:
    enum TabAlign : int
    {
        Align_Top = 0,
        Align_Left = 1,
        Align_Bottom = 2,
        Align_Right = 3,
    };

    STabCtrl();
    ~STabCtrl() override;

    int GetCurSel() const { return m_curSel; }
    int GetItemCount() const { return static_cast<int>(m_pages.size()); }
    STabPage* GetItem(int index) const;
    // TRUE when the selection changed.
    BOOL SetCurSel(int index);
    // The first tab that holds the point, else -1.
    int HitTest(POINT pt) const;
    int GetHoverIndex() const { return m_hover; }
    TabAlign GetTabAlign() const { return static_cast<TabAlign>(m_align); }
    STabSlider* GetSlider() const { return m_slider; }
    IInterpolator* GetInterpolator() const { return m_interpolator.Get(); }

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void OnInitFinished(xmldom::xml_node element) override;
    void SetColorize(COLORREF color) override;
    BOOL CreateChildren(xmldom::xml_node element) override;
    BOOL OnUpdateToolTip(const SwndToolTipKey& current, SwndToolTipInfo& info) override;
    UINT OnGetDlgCode() const override { return 1; }
    void ArrangeChildren() override;
    void GetChildArea(RECT* out) const override;
    void BeforePaint(IPaintSurface* rt, SPaintState& state) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    BOOL OnLanguageChanged() override;
    void OnScaleChanged(int scale) override;

    // Index -1 appends; the index of the new page, or -1.
    virtual int InsertItemFromXml(xmldom::xml_node element, int index = -1, BOOL loading = FALSE);
    virtual int InsertItemFromString(LPCWSTR xml, int index = -1);
    virtual void OnItemInserted(STabPage*) {}
    // Kept for the operations after it; nothing calls it.
    virtual void OnItemRemoved(STabPage*) {}
    virtual RECT GetTitleRect() const;
    virtual BOOL GetItemRect(int index, RECT* out) const;
    virtual void DrawItem(IPaintSurface* rt, const RECT& rc, int index, DWORD state);
    virtual STabPage* CreatePageFromXml(xmldom::xml_node element);

    // For the slider: it is done, or it goes with its size.
    void OnSliderFinished();

protected:
    void OnPaint(IPaintSurface* rt) override;
    void OnDestroy() override;
    void OnLButtonDown(UINT flags, POINT pt) override;
    void OnMouseLeave() override;

private:
    HRESULT SetTabSize(const SStringW& value);
    HRESULT SetAlign(const SStringW& value);
    HRESULT SetTextDir(const SStringW& value);
    void SetInterpolator(const SStringW& tag);
    void TrackHover(POINT pt);
    void OnKeyDown(UINT key);
    void SwapPages(int from, int to);
    // FALSE when no slide could start; the pages then swap at once.
    BOOL StartSlide(int from, int to);
    void InvalidateTab(int index);
    void PaintSeparators(IPaintSurface* rt, int index, const RECT& rc, RECT& prev);
    void DrawTitle(IPaintSurface* rt, const RECT& rc, const SStringW& title, int stateIndex);
    void DrawVerticalText(IPaintSurface* rt, const SStringW& text, POINT at, const RECT* centreIn);
    int TabWidth() const;
    int TabHeight() const;
    BOOL IsVerticalBand() const { return m_align == Align_Left || m_align == Align_Right; }

    int m_hover = -1;
    int m_curSel = 0;
    SLayoutSize m_spacing;
    SLayoutSize m_tabWidth;
    SLayoutSize m_tabHeight;
    SLayoutSize m_tabPos;
    SRefPtr<ISkinObj> m_tabSkin;
    SRefPtr<ISkinObj> m_iconSkin;
    SRefPtr<ISkinObj> m_separatorSkin;
    SRefPtr<ISkinObj> m_frameSkin;
    SLayoutSize m_iconX;
    SLayoutSize m_iconY;
    SLayoutSize m_textX;
    SLayoutSize m_textY;
    int m_align = Align_Top;
    // References of their own: a handler may destroy a page while the
    // control works with it.
    std::vector<SRefPtr<STabPage>> m_pages;
    STabSlider* m_slider = nullptr;
    int m_verticalText = 0;
    int m_animateSteps = 0;
    int m_animateType = 0;
    SRefPtr<IInterpolator> m_interpolator;
};

} // namespace DUI
