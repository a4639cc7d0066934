#pragma once
// Text link ("link"): reacts to the mouse only over the text it drew, shows
// the style's cursor there, and opens its "href" when clicked.
#include "dui/core/SWindow.h"

namespace DUI {

class SLink : public SWindow
{
    DUI_CLASS_NAME(SLink, SWindow, L"link", Window_Kind)
public:
    SLink();
    ~SLink() override = default;

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    void OnInitFinished(xmldom::xml_node element) override;
    BOOL OnSetCursor(POINT pt) override;
    void DrawText(IPaintSurface* rt, LPCWSTR text, int len, RECT* rc, UINT format) override;
    BOOL OnSwndMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

    const SStringW& GetHref() const { return m_href; }
    // Where the text was last drawn; empty before the first paint.
    const RECT& GetLinkRect() const { return m_linkRect; }

private:
    struct AttrRows;

    BOOL IsOverText(LPARAM lp) const;
    void OnLinkButtonUp(WPARAM wp, LPARAM lp);
    void OnLinkMouseMove(WPARAM wp, LPARAM lp);
    // The text's box of `size` placed in `rc` by the style's alignment.
    RECT PlaceText(const RECT& rc, SIZE size) const;

    RECT m_linkRect = {};
    SStringW m_href;
};

} // namespace DUI
