#pragma once
// "richedit": a text-entry control that hosts the system's windowless text
// services. It answers the engine's host callbacks from its own fields,
// forwards input to it, draws its content into the render target and keeps
// the panel's bars in step with the engine's scrolling.
#include <winsock2.h>
#include <windows.h>
#include <richedit.h>
#include <textserv.h>

#include "dui/control/RichEditEvents.h"
#include "dui/control/SPanel.h"
#include "dui/core/base/SRefPtr.h"
#include "xml/xmldom.h"

namespace DUI {

class STextHost;

class SRichEdit : public SPanel
{
    DUI_CLASS_NAME(SRichEdit, SPanel, L"richedit", Window_Kind)
    friend class STextHost;

public:
    // Bits of the option flags.
    enum Option : DWORD
    {
        Opt_AutoWordSel = 0x1,
        Opt_WordWrap = 0x2,
        Opt_Rich = 0x4,
        Opt_SaveSel = 0x8,
        Opt_Transparent = 0x10,
        Opt_Vertical = 0x20,
        Opt_AllowBeep = 0x40,
        Opt_WantTab = 0x80,
        Opt_VCenter = 0x100,
        Opt_Scrolling = 0x200,  // set only while OnScroll runs
        Opt_DragDrop = 0x400,
        Opt_AutoSel = 0x800,
        Opt_NotifyChange = 0x1000,
    };
    static constexpr DWORD kDefaultOptions = Opt_AutoWordSel | Opt_Rich | Opt_SaveSel | Opt_VCenter;
    static constexpr LONG kDefaultTextLimit = 0x7FFF;
    // The engine reads this style bit as ES_DISABLENOSCROLL; the control
    // uses it for digits only.
    static constexpr DWORD kStyleNumber = 0x2000;
    // A window timer a derived class may start: its tick repaints the client
    // area once.
    static constexpr char kRedrawTimer = 6;

    SRichEdit();
    ~SRichEdit() override;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    HRESULT OnUnhandledAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    SStringW GetWindowText(BOOL raw = FALSE) const override;
    void SetWindowText(LPCWSTR text) override;
    BOOL OnSetCursor(POINT pt) override;
    UINT OnGetDlgCode() const override;
    LRESULT OnUnhandledMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void OnScaleChanged(int scale) override;
    BOOL OnScroll(BOOL vertical, UINT code, int pos) override;

    // Fires EventRENotify; the engine gets the event's result.
    virtual HRESULT OnTxNotify(DWORD code, LPVOID data);
    // The application's edit-menu definition, or an empty node.
    virtual xmldom::xml_node GetEditMenuTemplate();

    // The old colour.
    COLORREF SetDefaultTextColor(COLORREF color);
    // Start in the low word, end in the high word.
    void SetSel(DWORD packed, BOOL noScroll = FALSE);

    // A message straight to the engine; 0 and E_FAIL without one.
    LRESULT TxSendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0, HRESULT* hr = nullptr) const;
    STextHost* GetTextHost() const { return m_textHost; }
    // NULL outside creation and destruction.
    ITextServices* GetTextServices() const;

    DWORD GetEditStyle() const { return m_editStyle; }
    DWORD GetOptions() const { return m_options; }
    BOOL HasOption(Option bit) const { return (m_options & bit) != 0; }
    LONG GetTextLimit() const { return m_textLimit; }
    int GetLineHeight() const { return m_lineHeight; }
    const CHARFORMAT2W& GetDefaultCharFormat() const { return m_cfDef; }
    const PARAFORMAT2& GetDefaultParaFormat() const { return m_pfDef; }

    // Digits, one leading '-' and at most one '.' after the first character:
    // what a number edit may hold.
    static BOOL IsNumberText(const SStringW& text);

protected:
    // Builds the default character format from the font (the style font for
    // NULL); FALSE when no render target could measure it.
    BOOL InitDefaultCharFormat(CHARFORMAT2W& cf, IFont* font = nullptr);
    void InitDefaultParaFormat(PARAFORMAT2& pf) const;
    // The paragraph alignment the edit style asks for.
    WORD AlignmentOfStyle() const;
    // The engine re-reads what the mask names.
    void NotifyPropertyBits(DWORD mask, DWORD bits) const;
    // The engine takes the text limit anew.
    void ApplyTextLimit();
    void SetOption(Option bit, BOOL on) { m_options = on ? (m_options | bit) : (m_options & ~bit); }
    void SetEditStyleBit(DWORD bit, BOOL on) { m_editStyle = on ? (m_editStyle | bit) : (m_editStyle & ~bit); }
    BOOL HasStyle(DWORD bit) const { return (m_editStyle & bit) != 0; }
    // Puts the panel's bar where the engine's view is, without scrolling the
    // engine again.
    void SyncScrollPos(BOOL vertical, int pos, BOOL redraw);
    // The drop target follows "enableDragdrop" and "readOnly".
    void UpdateDropTarget();

    CHARFORMAT2W m_cfDef = {};
    PARAFORMAT2 m_pfDef = {};
    LONG m_textLimit = kDefaultTextLimit;
    WCHAR m_passwordChar = L'*';
    LONG m_accelPos = -1;
    SIZEL m_extent = {};    // HIMETRIC
    RECT m_viewInset = {};  // HIMETRIC
    RECT m_insetPx = {};
    int m_lineHeight = 0;
    DWORD m_editStyle = ES_AUTOHSCROLL;
    DWORD m_options = kDefaultOptions;
    SStringW m_pendingRtf;
    STextHost* m_textHost = nullptr;  // one reference
    HIMC m_savedImc = nullptr;
    DWORD m_imeDisabled = 0;
    DWORD m_showMenuDefault = 0;
    // Set while a key this edit left unhandled goes on to OnUnhandledMessage.
    BOOL m_keyWithheld = FALSE;

    int OnCreate() override;
    void OnDestroy() override;
    void OnPaint(IPaintSurface* rt) override;
    void OnSetFocus(SWND oldFocus) override;
    void OnKillFocus(SWND newFocus) override;

private:
    struct AttrRows;

    void OnNcCalcSize();
    RECT DrawBounds(const RECT& client) const;
    void KeepImeOff(BOOL focused);
    BOOL OnKeyDown(WPARAM wp, LPARAM lp, LRESULT& result);
    BOOL OnChar(WPARAM wp, LRESULT& result);
    BOOL PassesNumberRule(WCHAR ch) const;
    BOOL OnMouseMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    void OnContextMenu(POINT pt);
    void UpdateMenuStates(HMENU menu) const;
    void RunMenuCommand(UINT cmd);
    BOOL OnPaste(LRESULT& result);
    BOOL OnPasteWithinLimit(LRESULT& result);
    BOOL OnTimerMessage(UINT msg, WPARAM wp, LRESULT& result);
    BOOL OnSetTextMessage(LPARAM lp, LRESULT& result);
    LRESULT OnExLimitText(LPARAM lp);
    LRESULT OnSetCharFormat(WPARAM wp, LPARAM lp);
    LRESULT OnSetParaFormat(LPARAM lp);
    void OnEnableChanged(BOOL enabled);
    BOOL OnEditMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    void OnShowChanged();
    void OnSetFontMessage(HFONT font);
    void StreamInRtf(const SStringW& value);
    void AttachEngine();
    void ApplyAlignAttribute(const SStringW& value, BOOL loading);
    void ApplyNotifyChange(BOOL loading);
    BOOL ReadTextBit(const SStringW& value) const { return value != L"0"; }
};

} // namespace DUI
