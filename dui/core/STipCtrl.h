#pragma once
// The default tooltip: a small popup that watches the mouse messages of its
// loop, shows the tip text below the cursor once the mouse has rested over
// the tip's area, and hides it after a while, on a button or on leaving.
// Destroying the popup deletes the object.
#include "dui/core/CSimpleWnd.h"
#include "dui/core/IToolTip.h"
#include "dui/core/base/SHandle.h"
#include "dui/core/STipTimer.h"

namespace DUI {

class STipCtrl : public IToolTip, public CSimpleWnd
{
public:
    STipCtrl() = default;
    ~STipCtrl() override = default;

    BOOL Create();

    BOOL PreTranslateMessage(MSG* msg) override;
    void UpdateTip(const SwndToolTipKey& id, const RECT& rc, LPCWSTR text, int scale) override;
    void ClearTip() override;
    void RelayEvent(const MSG* msg) override;

    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId) override;
    void OnFinalMessage(HWND hwnd) override;

    // The popup is this far below the cursor.
    static constexpr int kCursorGap = 24;
    // Text wraps at this width; the popup adds this border to the text box.
    static constexpr int kWrapWidth = 500;
    static constexpr int kPadding = 10;

private:
    void OnTimer(UINT_PTR id);
    void OnPaint();
    void Show();
    void Hide();
    void HideAndStop();
    void MakeFont(int scale);
    SIZE MeasureText();

    int m_handled = 0;
    STipTimer m_timer{500};
    SStringW m_text;
    int m_fontScale = 0;   // 0: no font made for a scale yet
    RECT m_rcTip = {};
    SGdiObject<HFONT> m_font;
    SwndToolTipKey m_id;
    // Set once the popup exists: only then does its end delete the object.
    bool m_selfDelete = false;
};

} // namespace DUI
