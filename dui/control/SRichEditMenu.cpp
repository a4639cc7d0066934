// SRichEdit: the context menu and the checked paste of a number edit.
#include "dui/control/SRichEdit.h"

#include <algorithm>

#include "dui/control/SPopupMenu.h"

namespace DUI {

namespace {

enum EditMenuCmd : UINT
{
    Cmd_Cut = 1,
    Cmd_Copy = 2,
    Cmd_Paste = 3,
    Cmd_Delete = 4,
    Cmd_SelectAll = 5,
};

void GrayItem(HMENU menu, UINT cmd, BOOL gray)
{
    ::EnableMenuItem(menu, cmd, MF_BYCOMMAND | (gray ? MF_GRAYED : MF_ENABLED));
}

// The clipboard's text, empty when it holds none.
SStringW ClipboardText(HWND owner)
{
    SStringW text;
    if (!::IsClipboardFormatAvailable(CF_UNICODETEXT) || !::OpenClipboard(owner))
        return text;
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (auto* chars = static_cast<const WCHAR*>(::GlobalLock(data))) {
            const size_t bytes = ::GlobalSize(data);
            text = SStringW(chars, static_cast<int>(wcsnlen(chars, bytes / sizeof(WCHAR))));
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

} // namespace

void SRichEdit::OnContextMenu(POINT pt)
{
    EventCtxMenu e(this);
    e.pt = pt;
    e.bCancel = m_showMenuDefault ? FALSE : TRUE;
    FireEvent(e);
    if (e.bCancel || IsDestroyed())
        return;
    SetFocus();
    xmldom::xml_node menuDef = GetEditMenuTemplate();
    if (!menuDef)
        return;
    SPopupMenu menu;
    if (!menu.LoadMenu(menuDef))
        return;
    ISwndContainer* container = GetContainer();
    if (!container)
        return;
    const RECT frame = container->GetContainerRect();
    POINT screen = {pt.x + frame.left, pt.y + frame.top};
    HWND host = container->GetHostHwnd();
    ::ClientToScreen(host, &screen);
    UpdateMenuStates(menu.GetHMenu());
    const UINT cmd = menu.TrackPopupMenu(TPM_RETURNCMD, screen.x, screen.y, host, nullptr, 100);
    RunMenuCommand(cmd);
    menu.DestroyMenu();
}

void SRichEdit::UpdateMenuStates(HMENU menu) const
{
    DWORD start = 0;
    DWORD end = 0;
    TxSendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const BOOL noSel = start >= end;
    const BOOL readOnly = HasStyle(ES_READONLY);
    GrayItem(menu, Cmd_Cut, noSel || readOnly);
    GrayItem(menu, Cmd_Copy, noSel);
    GrayItem(menu, Cmd_Paste, TxSendMessage(EM_CANPASTE) == 0 || readOnly);
    GrayItem(menu, Cmd_Delete, noSel || readOnly);
    GrayItem(menu, Cmd_SelectAll, TxSendMessage(WM_GETTEXTLENGTH) == 0);
}

void SRichEdit::RunMenuCommand(UINT cmd)
{
    EventREMenu e(this);
    e.uCmd = cmd;
    FireEvent(e);
    if (e.handled || IsDestroyed())
        return;
    switch (cmd) {
    case Cmd_Cut: DeliverSwndMessage(WM_CUT); break;
    case Cmd_Copy: DeliverSwndMessage(WM_COPY); break;
    case Cmd_Paste: DeliverSwndMessage(WM_PASTE); break;
    case Cmd_Delete: DeliverSwndMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"")); break;
    case Cmd_SelectAll: DeliverSwndMessage(EM_SETSEL, 0, -1); break;
    default: break;
    }
}

// The typed-character rule of a number edit holds for pasted text too: the
// text as it would be after the paste must still be a number, else nothing
// is inserted. Only the plain text is taken, never formatting.
BOOL SRichEdit::OnPaste(LRESULT& result)
{
    result = 0;
    if (HasStyle(ES_READONLY))
        return TRUE;
    ISwndContainer* container = GetContainer();
    const SStringW pasted = ClipboardText(container ? container->GetHostHwnd() : nullptr);
    if (pasted.IsEmpty())
        return TRUE;
    DWORD start = 0;
    DWORD end = 0;
    TxSendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const SStringW text = GetWindowText();
    const int length = text.GetLength();
    const int from = std::min<int>(static_cast<int>(start), length);
    const int to = std::max<int>(from, std::min<int>(static_cast<int>(end), length));
    const SStringW after = text.Left(from) + pasted + text.Right(length - to);
    if (!IsNumberText(after))
        return TRUE;
    TxSendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
    return TRUE;
}

// The engine pastes past the text limit: a clipboard text that would not
// fit goes in as plain text cut to the room left, without splitting a
// surrogate pair. One that fits a rich edit is left to the engine with its
// formats; a plain edit takes the text itself, because Wine's text services
// paste into plain text by replacing the whole of it.
BOOL SRichEdit::OnPasteWithinLimit(LRESULT& result)
{
    result = 0;
    if (!GetTextServices())
        return FALSE;
    ISwndContainer* container = GetContainer();
    const SStringW pasted = ClipboardText(container ? container->GetHostHwnd() : nullptr);
    DWORD start = 0;
    DWORD end = 0;
    TxSendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const LONG length = static_cast<LONG>(TxSendMessage(WM_GETTEXTLENGTH));
    const LONG selEnd = std::min<LONG>(static_cast<LONG>(end), length);
    const LONG selected = selEnd - std::min<LONG>(static_cast<LONG>(start), selEnd);
    const LONG room = std::max<LONG>(0, m_textLimit - (length - selected));
    if (HasOption(Opt_Rich) && pasted.GetLength() <= room) {
        result = TxSendMessage(WM_PASTE);
        return TRUE;
    }
    if (HasStyle(ES_READONLY) || room == 0 || pasted.IsEmpty())
        return TRUE;
    int take = static_cast<int>(std::min<LONG>(room, pasted.GetLength()));
    if (take < pasted.GetLength() && IS_HIGH_SURROGATE(pasted.c_str()[take - 1]))
        --take;
    if (take > 0)
        TxSendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.Left(take).c_str()));
    return TRUE;
}

// Digits '0'-'9', one leading '-', at most one '.' that does not come first.
BOOL SRichEdit::IsNumberText(const SStringW& text)
{
    BOOL dot = FALSE;
    for (int i = 0; i < text.GetLength(); ++i) {
        const WCHAR ch = text.c_str()[i];
        if (ch >= L'0' && ch <= L'9')
            continue;
        if (ch == L'-' && i == 0)
            continue;
        if (ch == L'.' && i > 0 && !dot) {
            dot = TRUE;
            continue;
        }
        return FALSE;
    }
    return TRUE;
}

} // namespace DUI
