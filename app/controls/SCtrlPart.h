#pragma once
// A part of a window (caption bar, bottom bar, module page): a caption that
// builds its content from its own layout ("src") and hands the messages that
// reach it to its handler before its caption behaviour sees them.
#include "app/controls/ISCtrlPartHandler.h"
#include "app/controls/SCaptionEx.h"

#include <vector>

namespace DUI {

class SCtrlPart : public SCaptionEx
{
    DUI_CLASS_NAME(SCtrlPart, SCaptionEx, L"part", Window_Kind)
public:
    SCtrlPart() = default;
    ~SCtrlPart() override = default;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

    // The descendant of the handler's part window with that name, at any
    // depth; NULL when there is none.
    static SWindow* FindChild(const ISCtrlPartHandler* handler, SStringW name);

    const SStringW& GetLayoutSource() const { return m_layoutSource; }

    // Not owned: the owner keeps the handler alive while it is set. Without
    // one the part behaves as a plain caption.
    void SetHandler(ISCtrlPartHandler* handler) { m_handler = handler; }
    ISCtrlPartHandler* GetHandler() const { return m_handler; }

private:
    // TRUE when the handler claimed the message.
    BOOL OfferToHandler(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    void CallHandler(UINT msg, WPARAM wp, LPARAM lp);
    // Replaces what the previous layout made by the windows of this one.
    void LoadLayout(const SStringW& source);
    void DestroyLayoutWindows();

    SStringW m_layoutSource;
    ISCtrlPartHandler* m_handler = nullptr;
    // The top windows the current layout made, by handle: the part may hold
    // windows of its own element besides them.
    std::vector<SWND> m_layoutWindows;
};

} // namespace DUI
