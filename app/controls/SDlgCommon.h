#pragma once
// What the program's window base and its modal dialog base add alike to
// their host: the styles of the current theme from the layout, the tooltip
// manager in place of the host's tooltip, message parts that are offered
// the application's messages in turn, the size repair after a display
// change and the scaling to the window's DPI. Each base keeps one and
// calls it from its message map.
#include <memory>
#include <vector>

#include "app/controls/SDpiHandler.h"
#include "dui/core/IToolTipFactory.h"
#include "dui/core/SHostWnd.h"

namespace DUI {

class SDlgCommon
{
public:
    explicit SDlgCommon(SHostWnd& host);
    ~SDlgCommon();
    SDlgCommon(const SDlgCommon&) = delete;
    SDlgCommon& operator=(const SDlgCommon&) = delete;

    // Notifications and owner-draw messages of native children go back to
    // the child; TRUE when one took the message.
    static BOOL Reflect(CSimpleWnd& wnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

    // Message parts, offered messages in the order they were added; the
    // list does not own them and does not refuse a part added twice.
    void AddMsgPart(SWindow* part) { m_parts.push_back(part); }
    void RemoveMsgPart(SWindow* part);
    const std::vector<SWindow*>& GetMsgParts() const { return m_parts; }
    // WM_COPYDATA, WM_COMMAND, WM_TIMER and every message from WM_USER up,
    // except the UI-call message, which only the window itself runs.
    static bool IsPartMessage(UINT msg);
    // TRUE as soon as one part claims the message.
    BOOL OfferToParts(UINT msg, WPARAM wp, LPARAM lp);

    // Before the host builds itself from `root`: the theme's styles of its
    // "themeStyle" child shadow every other style while the layout loads.
    void ApplyThemedStyles(xmldom::xml_node root);
    SStylePool* GetThemePool() const { return m_themePool.Get(); }

    // The maker of the tooltip manager that takes the place of each host's
    // tooltip. The manager's own windows are built on these bases, so the
    // program registers it at start-up (SMgrTooltip::Register) rather than
    // this class naming it; with none registered (NULL), hosts keep theirs.
    static void SetTooltipManagerFactory(IToolTipFactory* factory);
    static IToolTipFactory* GetTooltipManagerFactory();

    void SetUseTooltipManager(bool use) { m_useTooltipManager = use; }
    bool UsesTooltipManager() const { return m_useTooltipManager; }
    // After the host's WM_CREATE: the host's tooltip gives way to a manager
    // from the registered factory; it stays when the factory makes none.
    void InstallTooltipManager();
    // Before the host's WM_DESTROY handling, which would free the manager
    // as if it were its own tooltip.
    void RemoveTooltipManager();

    // The messages both bases answer alike, after each has taken its own:
    // WM_CREATE through `create` (the host's own creation) with the tooltip
    // manager after it, WM_DISPLAYCHANGE's repair, and the messages
    // `partMessage` picks for the parts. TRUE when handled.
    template <class Create>
    BOOL RunSharedMessages(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, Create&& create, bool (*partMessage)(UINT))
    {
        switch (msg) {
        case WM_CREATE:
            result = create(reinterpret_cast<CREATESTRUCTW*>(lp));
            if (result == 0)
                InstallTooltipManager();
            return TRUE;
        case WM_DISPLAYCHANGE:
            RepairAfterDisplayChange(LOWORD(lp), HIWORD(lp));
            return TRUE;
        default:
            return partMessage(msg) && OfferToParts(msg, wp, lp);
        }
    }

    // WM_DISPLAYCHANGE: a window lower than its layout grows back toward
    // the layout size within the new screen.
    void RepairAfterDisplayChange(int screenWidth, int screenHeight);
    // The window rectangle after a display change; `window` unchanged when
    // nothing is to be done.
    static RECT RepairedRect(const RECT& window, SIZE layout, SIZE screen);

    // The scale and place a window goes to on WM_INITDIALOG or
    // WM_DPICHANGED; false for other messages and while layout sizes are
    // not in dp.
    bool DpiTarget(UINT msg, WPARAM wp, LPARAM lp, int& scale, RECT& rc) const;
    // Runs the handler's OnDpiChanged for WM_INITDIALOG and WM_DPICHANGED.
    template <class T>
    void ScaleOnDpiMessage(UINT msg, WPARAM wp, LPARAM lp, SDpiHandler<T>& handler) const
    {
        int scale = 0;
        RECT rc = {};
        if (DpiTarget(msg, wp, lp, scale, rc))
            handler.OnDpiChanged(scale, rc);
    }
    // The window scaled by `scale` percent about its centre.
    static RECT ScaledAboutCentre(const RECT& rc, int scale);
    // Rescales the host's windows, fonts and skins and moves the window to
    // rc's corner, at least as large as its layout at the new scale.
    void Rescale(int scale, const RECT& rc);

private:
    SIZE LayoutSize(int scale) const;
    void ForgetThemePool();

    SHostWnd& m_host;
    std::vector<SWindow*> m_parts;
    SRefPtr<SStylePool> m_themePool;
    bool m_useTooltipManager = true;
    // The factory that made the manager also destroys it, even when another
    // was registered meanwhile.
    SRefPtr<IToolTipFactory> m_managerFactory;
    IToolTip* m_tooltipManager = nullptr;
};

} // namespace DUI
