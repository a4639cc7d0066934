#pragma once
// The base of every dialog the program runs modally. Besides what the
// window base gives (themed styles, tooltip manager, message parts, DPI
// scaling), a running dialog lays a dark mask over its owner and keeps it
// there, registers with the modal-dialog stack, and gives the owner back
// enabled, in front and focused when it was, once it ends.
// End codes: 1 OK, 2 cancel, 8 closed, 100 recalled by the stack.
#include <cstdint>
#include <vector>

#include "app/controls/IDlgRecall.h"
#include "app/controls/SDlgBaseWnd.h"
#include "app/controls/SDlgCommon.h"
#include "app/controls/SDpiHandler.h"
#include "dui/core/SHostDialog.h"

namespace DUI {

// Sent to a dialog's owner before the mask is laid over it. wParam: a bool
// the owner sets to refuse the mask's default 7 px frame; lParam: a
// ShadowMargins the owner may fill.
constexpr UINT UM_QUERY_SHADOW_MARGINS = 1175;

struct ShadowMargins
{
    int32_t cornerWidth = -1;
    int32_t cornerHeight = -1;
    uint8_t marginsGiven = 0;
    uint8_t padding[3] = {};
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};
static_assert(sizeof(ShadowMargins) == 28, "the owner reads and writes 28 bytes");

class SDlgBase : public SHostDialog, public IDlgRecall, public SDpiHandler<SDlgBase>
{
public:
    static constexpr INT_PTR kRecalled = 100;
    // Keeps the mask over the owner.
    static constexpr UINT_PTR TIMER_MASK_TRACK = 2022072717;
    static constexpr UINT kMaskTrackPeriod = 500;
    // The mask grows past a plain owner by its shadow frame.
    static constexpr int kMaskFrame = 7;

    explicit SDlgBase(LPCWSTR layout);
    ~SDlgBase() override;

    INT_PTR DoModal(HWND owner = nullptr) override;
    // DoModal over the owner the modal-dialog stack chooses.
    virtual INT_PTR DoModalAuto();
    void EndDialog(INT_PTR code) override;
    SMessageLoop* GetMsgLoop() override;

    // IDlgRecall
    INT_PTR Recall() override;
    HWND GetHwnd() override { return CSimpleWnd::GetHwnd(); }

    void AddMsgPart(SWindow* part) { m_common.AddMsgPart(part); }
    void RemoveMsgPart(SWindow* part) { m_common.RemoveMsgPart(part); }
    const std::vector<SWindow*>& GetMsgParts() const { return m_common.GetMsgParts(); }
    SStylePool* GetThemeStylePool() const { return m_common.GetThemePool(); }
    // The mask while the dialog runs over one.
    SDlgBaseWnd* GetMask() const { return m_mask.Get(); }

    BOOL ApplyXmlNode(xmldom::xml_node element, int cx, int cy) override;
    using SHostDialog::ApplyXmlNode;
    BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result, DWORD mapId) override;
    void OnDpiChanged(int scale, const RECT& rc) override;

    // The DPI of the window's monitor in percent of 96 DPI.
    static int GetWindowDpiPercent(HWND hwnd);
    // Where the mask over `owner` goes (screen coordinates); `corner` gets
    // the rounding the owner asked for, (-1, -1) for none.
    static RECT MaskRect(HWND owner, POINT* corner = nullptr);

private:
    bool CreateMask(HWND owner);
    void DropMask(HWND owner, bool ownerHadFocus);
    void TrackOwner();
    BOOL RunOwnMessages(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

    SDlgCommon m_common{*this};
    SRefPtr<SDlgBaseWnd> m_mask;
    bool m_useMask = true;
    HWND m_owner = nullptr;
    bool m_runningModal = false;
};

} // namespace DUI
