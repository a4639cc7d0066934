// SRichEdit: construction, creation and destruction of the engine, the
// default formats, the client area and drawing.
#include "dui/control/SRichEdit.h"

#include <algorithm>
#include <cstdlib>

#include "dui/control/SRicheditDropTarget.h"
#include "dui/control/STextHost.h"
#include "dui/core/DibAlphaGuard.h"
#include "dui/core/base/Himetric.h"
#include "dui/core/SApplication.h"
#include "dui/core/base/SHandle.h"
#include "dui/core/SRicheditMenuDef.h"
#include "dui/res.mgr/SSkinPoolMgr.h"

namespace DUI {

namespace {

constexpr int kSystemBorderSkin = 6;
constexpr int kTwipsPerInch = 1440;
constexpr LONG kDefaultTabStop = 720;
// IMF_AUTOKEYBOARD | IMF_AUTOFONT | IMF_UIFONTS | IMF_DUALFONT
constexpr LRESULT kLangOptionsCleared = 0x1 | 0x2 | 0x20 | 0x80;
constexpr LRESULT kLangOptionsSet = 0x1 | 0x20 | 0x80;

} // namespace

SRichEdit::SRichEdit()
{
    SSkinPoolMgr* skins = SSkinPoolMgr::GetInstance();
    if (ISkinObj* border = skins ? skins->GetSystemSkin(kSystemBorderSkin, 100) : nullptr)
        SetNcSkin(border);
    SWindow::SetAttribute(L"clipClient", L"1", TRUE);
    SWindow::SetAttribute(L"focusable", L"1", TRUE);
    SEventSet* events = GetEventSet();
    events->AddEvent(EventRENotify::EventID, EventRENotify::EventName());
    events->AddEvent(EventREMenu::EventID, EventREMenu::EventName());
    events->AddEvent(EventKeyDown::EventID, EventKeyDown::EventName());
}

// A control that was never created or was not destroyed through its tree
// still owns its host.
SRichEdit::~SRichEdit()
{
    if (m_textHost)
        m_textHost->Release();
}

ITextServices* SRichEdit::GetTextServices() const
{
    return m_textHost ? m_textHost->GetTextService() : nullptr;
}

LRESULT SRichEdit::TxSendMessage(UINT msg, WPARAM wp, LPARAM lp, HRESULT* hr) const
{
    LRESULT result = 0;
    ITextServices* services = GetTextServices();
    const HRESULT status = services ? services->TxSendMessage(msg, wp, lp, &result) : E_FAIL;
    if (hr)
        *hr = status;
    return result;
}

void SRichEdit::NotifyPropertyBits(DWORD mask, DWORD bits) const
{
    if (ITextServices* services = GetTextServices())
        services->OnTxPropertyBitsChange(mask, bits);
}

int SRichEdit::OnCreate()
{
    const int created = SPanel::OnCreate();
    if (created != 0)
        return created;
    InitDefaultCharFormat(m_cfDef);
    InitDefaultParaFormat(m_pfDef);
    auto* host = new STextHost(this);
    host->AddRef();
    if (!host->Init()) {
        host->Release();
        return 1;
    }
    m_textHost = host;
    AttachEngine();
    if (!m_pendingRtf.IsEmpty()) {
        const SStringW rtf = m_pendingRtf;
        m_pendingRtf.Empty();
        SetAttribute(L"rtf", rtf, FALSE);
    } else {
        SetWindowText(SWindow::GetWindowText(FALSE));
    }
    UpdateDropTarget();
    return 0;
}

// The engine starts in place and without focus, with the language options
// the control wants and the change notifications its attributes ask for.
void SRichEdit::AttachEngine()
{
    ITextServices* services = GetTextServices();
    services->OnTxInPlaceActivate(nullptr);
    m_textHost->SetActive(FALSE);
    services->OnTxUIDeactivate();
    TxSendMessage(WM_KILLFOCUS);
    LRESULT options = DeliverSwndMessage(EM_GETLANGOPTIONS);
    options = (options & ~kLangOptionsCleared) | kLangOptionsSet;
    DeliverSwndMessage(EM_SETLANGOPTIONS, 0, options);
    if (HasOption(Opt_NotifyChange))
        DeliverSwndMessage(EM_SETEVENTMASK, 0, ENM_CHANGE);
    ApplyTextLimit();
}

void SRichEdit::OnDestroy()
{
    KillFocus();
    if (ISwndContainer* container = GetContainer())
        container->RevokeDragDrop(GetSwnd());
    if (m_textHost) {
        if (ITextServices* services = GetTextServices())
            services->OnTxInPlaceDeactivate();
        // Cleared first: the engine may call back while it is released.
        STextHost* host = m_textHost;
        m_textHost = nullptr;
        host->Release();
    }
    SPanel::OnDestroy();
}

void SRichEdit::UpdateDropTarget()
{
    ISwndContainer* container = GetContainer();
    if (!container)
        return;
    ITextServices* services = GetTextServices();
    if (services && HasOption(Opt_DragDrop) && !HasStyle(ES_READONLY)) {
        auto* target = new SRicheditDropTarget(services);
        container->RegisterDragDrop(GetSwnd(), target);
        target->Release();
    } else {
        container->RevokeDragDrop(GetSwnd());
    }
}

BOOL SRichEdit::InitDefaultCharFormat(CHARFORMAT2W& cf, IFont* font)
{
    SApplication* app = SApplication::GetInstance();
    IPaintFactory* factory = app ? app->GetPaintFactory() : nullptr;
    SRefPtr<IPaintSurface> rt;
    if (!factory || FAILED(factory->CreateSurface(1, 1, rt.Put())) || !rt)
        return FALSE;
    ApplyInheritedPaintState(rt.Get());
    if (font)
        rt->SelectObject(font, nullptr);
    auto* current = static_cast<IFont*>(rt->GetSelectedObject(OT_FONT));
    if (!current)
        return FALSE;
    SIZE size = {};
    rt->MeasureText(L"A", 1, &size);
    m_lineHeight = size.cy;

    cf = {};
    cf.cbSize = sizeof(CHARFORMAT2W);
    cf.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_CHARSET | CFM_OFFSET | CFM_FACE | CFM_COLOR | CFM_SIZE;
    cf.crTextColor = rt->GetTextColor() & 0xFFFFFF;
    const SIZE ppi = LogPixelsOf(nullptr);
    cf.yHeight = std::abs(::MulDiv(current->TextSize(), kTwipsPerInch, ppi.cy));
    cf.yOffset = 0;
    if (current->IsBold()) cf.dwEffects |= CFE_BOLD;
    if (current->IsItalic()) cf.dwEffects |= CFE_ITALIC;
    if (current->IsUnderline()) cf.dwEffects |= CFE_UNDERLINE;
    const LOGFONTW* lf = current->LogFont();
    cf.bCharSet = lf->lfCharSet;
    cf.bPitchAndFamily = lf->lfPitchAndFamily;
    wcsncpy(cf.szFaceName, lf->lfFaceName, LF_FACESIZE - 1);
    return TRUE;
}

void SRichEdit::InitDefaultParaFormat(PARAFORMAT2& pf) const
{
    pf = {};
    pf.cbSize = sizeof(PARAFORMAT2);
    pf.dwMask = PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET | PFM_ALIGNMENT | PFM_TABSTOPS | PFM_NUMBERING |
                PFM_RTLPARA | PFM_OFFSETINDENT;
    pf.cTabCount = 1;
    pf.rgxTabs[0] = kDefaultTabStop;
    pf.wAlignment = AlignmentOfStyle();
}

WORD SRichEdit::AlignmentOfStyle() const
{
    if (HasStyle(ES_CENTER))
        return PFA_CENTER;
    if (HasStyle(ES_RIGHT))
        return PFA_RIGHT;
    return PFA_LEFT;
}

void SRichEdit::OnScaleChanged(int scale)
{
    SPanel::OnScaleChanged(scale);
    if (InitDefaultCharFormat(m_cfDef))
        NotifyPropertyBits(TXTBIT_CHARFORMATCHANGE, TXTBIT_CHARFORMATCHANGE);
}

COLORREF SRichEdit::SetDefaultTextColor(COLORREF color)
{
    const COLORREF old = m_cfDef.crTextColor;
    m_cfDef.crTextColor = color & 0xFFFFFF;
    NotifyPropertyBits(TXTBIT_CHARFORMATCHANGE, TXTBIT_CHARFORMATCHANGE);
    return old;
}

void SRichEdit::OnNcCalcSize()
{
    RECT client = GetClientRect();
    RECT inset = GetStyle().GetPadding();
    const int height = client.bottom - client.top;
    if (!HasOption(Opt_Rich) && HasOption(Opt_VCenter) && !HasStyle(ES_MULTILINE))
        inset.top = inset.bottom = (height - m_lineHeight) / 2;
    m_siHoz.nPage = static_cast<UINT>(std::max<LONG>(0, client.right - client.left - inset.left - inset.right));
    m_siVer.nPage = static_cast<UINT>(std::max<LONG>(0, height - inset.top - inset.bottom));
    m_insetPx = inset;
    if (!m_textHost)
        return;
    ISwndContainer* container = GetContainer();
    const SIZE ppi = LogPixelsOf(container ? container->GetHostHwnd() : nullptr);
    const SIZE extent = PixelToHimetric(SIZE{client.right - client.left, height}, ppi);
    m_extent = SIZEL{extent.cx, extent.cy};
    m_viewInset = PixelToHimetric(inset, ppi);

    ITextServices* services = GetTextServices();
    const BOOL focused = IsFocused();
    if (focused) {
        m_textHost->SetActive(FALSE);
        services->OnTxUIDeactivate();
        TxSendMessage(WM_KILLFOCUS);
        m_textHost->TxShowCaret(FALSE);
    }
    // Wine's text services read the view inset again only when told so.
    constexpr DWORD kChanged = TXTBIT_EXTENTCHANGE | TXTBIT_CLIENTRECTCHANGE | TXTBIT_VIEWINSETCHANGE;
    NotifyPropertyBits(kChanged, kChanged);
    if (focused) {
        m_textHost->SetActive(TRUE);
        services->OnTxUIActivate();
        TxSendMessage(WM_SETFOCUS);
    }
}

// GDI clears the alpha of every pixel it touches; the alpha of the part
// drawn is kept and put back, so the surface stays as opaque as the
// background drawn below the text.
void SRichEdit::OnPaint(IPaintSurface* rt)
{
    ITextServices* services = GetTextServices();
    if (!services || !rt)
        return;
    RECT rc = GetClientRect();
    rt->PushClipRect(&rc, RGN_AND);
    RECT box = {};
    rt->GetClipBox(&box);
    if (::IntersectRect(&box, &box, &rc)) {
        HDC dc = rt->GetDC(0);
        const int oldMode = ::SetGraphicsMode(dc, GM_COMPATIBLE);
        DibAlphaGuard alpha;
        alpha.Save(dc, RECT{box.left, box.top, box.right - 1, box.bottom - 1});
        const RECT text = DrawBounds(rc);
        RECTL bounds = {text.left, text.top, text.right, text.bottom};
        services->TxDraw(DVASPECT_CONTENT, 0, nullptr, nullptr, dc, nullptr, &bounds, nullptr, &rc, nullptr, 0,
                         TXTVIEW_ACTIVE);
        alpha.Restore();
        ::SetGraphicsMode(dc, oldMode);
        rt->ReleaseDC(dc);
    }
    rt->PopClip();
}

// Wine's text services lay the text out in the bounds given to TxDraw and
// never apply the host's view inset: there the inset is taken off the
// bounds, as the system's engine does itself.
RECT SRichEdit::DrawBounds(const RECT& client) const
{
    static const bool s_insetIgnored =
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
    if (!s_insetIgnored)
        return client;
    return RECT{client.left + m_insetPx.left, client.top + m_insetPx.top, client.right - m_insetPx.right,
                client.bottom - m_insetPx.bottom};
}

xmldom::xml_node SRichEdit::GetEditMenuTemplate()
{
    SRicheditMenuDef* def = SRicheditMenuDef::GetInstance();
    return def ? def->GetMenuNode() : xmldom::xml_node();
}

HRESULT SRichEdit::OnTxNotify(DWORD code, LPVOID data)
{
    EventRENotify e(this);
    e.iNotify = code;
    e.pv = data;
    FireEvent(e);
    return e.hr;
}

} // namespace DUI
