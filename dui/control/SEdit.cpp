#include "dui/control/SEdit.h"

#include "dui/res.mgr/SResProviderMgr.h"
#include "dui/control/SControlAttr.h"

namespace DUI {

SEdit::SEdit()
{
    SetOption(Opt_Rich, FALSE);
    SetOption(Opt_AutoSel, TRUE);
}

SEdit::~SEdit() = default;

struct SEdit::AttrRows
{
    using Row = SAttrRow<SEdit>;

    static HRESULT CueText(SEdit& edit, const SStringW& value, BOOL)
    {
        edit.m_cueText.SetText(ResolveNamedString(value));
        edit.m_cueText.Translate();
        return S_OK;
    }

    static constexpr Row kRows[] = {
        {L"cueText", &CueText, AttrEffect::Redraw},
        {L"cueColor", &ctrlattr::Color<SEdit, &SEdit::m_cueColor>, AttrEffect::Redraw},
    };
    static constexpr SAttrTable kTable{kRows};
};

HRESULT SEdit::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return AttrRows::kTable.Dispatch(*this, name, value, loading,
                                     [&] { return SRichEdit::SetAttribute(name, value, loading); });
}

BOOL SEdit::OnLanguageChanged()
{
    const BOOL result = SRichEdit::OnLanguageChanged();
    m_cueText.Translate();
    return result;
}

BOOL SEdit::IsTextEmpty()
{
    return DeliverSwndMessage(WM_GETTEXTLENGTH) == 0;
}

BOOL SEdit::ShowsCueText()
{
    return !m_cueText.GetText(FALSE).IsEmpty() && IsTextEmpty() && !IsFocused();
}

void SEdit::OnPaint(IPaintSurface* rt)
{
    SRichEdit::OnPaint(rt);
    if (rt && ShowsCueText())
        DrawCueText(rt);
}

void SEdit::DrawCueText(IPaintSurface* rt)
{
    SPaintState state;
    BeforePaint(rt, state);
    const COLORREF oldColor = rt->SetTextColor(m_cueColor);
    RECT box = GetClientRect();
    const RECT padding = GetStyle().GetPadding();
    box.left += padding.left;
    box.top += padding.top;
    box.right -= padding.right;
    box.bottom -= padding.bottom;
    UINT format = GetStyle().GetTextAlign() & ~(DT_CENTER | DT_RIGHT);
    if (HasStyle(ES_CENTER))
        format |= DT_CENTER;
    else if (HasStyle(ES_RIGHT))
        format |= DT_RIGHT;
    const SStringW cue = m_cueText.GetText(FALSE);
    rt->DrawTextBox(cue.c_str(), cue.GetLength(), &box, format);
    rt->SetTextColor(oldColor);
    AfterPaint(rt, state);
}

void SEdit::OnSetFocus(SWND oldFocus)
{
    SRichEdit::OnSetFocus(oldFocus);
    RedrawCueText();
}

void SEdit::OnKillFocus(SWND newFocus)
{
    SRichEdit::OnKillFocus(newFocus);
    RedrawCueText();
}

void SEdit::RedrawCueText()
{
    if (!m_cueText.GetText(FALSE).IsEmpty() && IsTextEmpty())
        InvalidateClient();
}

} // namespace DUI
