#pragma once
// "edit": the plain single-field text box of layouts. It is a rich edit
// preset for plain text that selects all on focus, with a cue text: a hint
// shown in its own colour while the box is empty and not focused.
#include "dui/control/SRichEdit.h"

namespace DUI {

class SEdit : public SRichEdit
{
    DUI_CLASS_NAME(SEdit, SRichEdit, L"edit", Window_Kind)
public:
    static constexpr COLORREF kDefaultCueColor = 0xFFCCCCCC;

    SEdit();
    ~SEdit() override;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    BOOL OnLanguageChanged() override;

    SStringW GetCueText(BOOL raw = FALSE) const { return m_cueText.GetText(raw); }
    COLORREF GetCueColor() const { return m_cueColor; }

protected:
    void OnPaint(IPaintSurface* rt) override;
    void OnSetFocus(SWND oldFocus) override;
    void OnKillFocus(SWND newFocus) override;

    // Whether the cue text shows now: it has one, the text is empty and
    // the box does not have the focus.
    BOOL ShowsCueText();
    // The cue colour that the paint of this moment uses.
    void SetCueColor(COLORREF color) { m_cueColor = color; }

private:
    struct AttrRows;

    BOOL IsTextEmpty();
    void DrawCueText(IPaintSurface* rt);
    // The cue text appears or goes with the focus only in an empty box.
    void RedrawCueText();

    SwndText m_cueText{this};
    COLORREF m_cueColor = kDefaultCueColor;
};

} // namespace DUI
