// What the attributes tell the engine through the host's answers, RTF
// content, change notifications, read-only, enabling, the input method and
// the drop target.
#include "RichEditTestEnv.h"

#include <imm.h>

#include <cstdio>
#include <vector>

#include "dui/control/SRicheditDropTarget.h"
#include "dui/control/STextHost.h"

namespace retest {
namespace {

struct Attr
{
    LPCWSTR name, value;
};

// An edit that was never created answers the engine's questions from what
// its attributes stored.
TEST(RichEditHostAnswers, AttributesBecomeThePropertyBitsScrollBarsAndLimits)
{
    struct Case
    {
        const char* name;
        std::vector<Attr> attrs;
        DWORD bits, scrollBars, maxLength;
        WCHAR password;
    } const cases[] = {
        {"defaults", {}, TXTBIT_RICHTEXT | TXTBIT_HIDESELECTION | TXTBIT_SAVESELECTION | TXTBIT_AUTOWORDSEL,
         ES_AUTOHSCROLL, 0x7FFF, L'*'},
        {"plain multi-line read-only",
         {{L"rich", L"0"}, {L"multiLines", L"1"}, {L"readOnly", L"1"}, {L"autoWordSel", L"0"}},
         TXTBIT_MULTILINE | TXTBIT_READONLY | TXTBIT_HIDESELECTION | TXTBIT_SAVESELECTION, ES_AUTOHSCROLL, 0x7FFF,
         L'*'},
        {"password with its character", {{L"password", L"1"}, {L"passwordChar", L"#x"}, {L"maxBuf", L"0x10"}},
         TXTBIT_RICHTEXT | TXTBIT_USEPASSWORD | TXTBIT_HIDESELECTION | TXTBIT_SAVESELECTION | TXTBIT_AUTOWORDSEL,
         ES_AUTOHSCROLL, 16, L'#'},
        {"bars, wrap, beep, vertical",
         {{L"vscrollBar", L"1"}, {L"hscrollBar", L"true"}, {L"autoHscroll", L"0"}, {L"autoVscroll", L"1"},
          {L"wordWrap", L"1"}, {L"allowBeep", L"3"}, {L"vertical", L"1"}, {L"rich", L"2"}},
         TXTBIT_HIDESELECTION | TXTBIT_SAVESELECTION | TXTBIT_AUTOWORDSEL | TXTBIT_WORDWRAP | TXTBIT_ALLOWBEEP |
             TXTBIT_VERTICAL,
         WS_VSCROLL | WS_HSCROLL | ES_AUTOVSCROLL, 0x7FFF, L'*'},
        {"a whole style replaces the bits", {{L"style", L"0x2104"}, {L"number", L"1"}},
         TXTBIT_RICHTEXT | TXTBIT_MULTILINE | TXTBIT_SAVESELECTION | TXTBIT_AUTOWORDSEL, SRichEdit::kStyleNumber,
         0x7FFF, L'*'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto edit = SRefPtr<SRichEdit>::Adopt(new SRichEdit());
        for (const Attr& a : c.attrs)
            edit->SetAttribute(a.name, a.value, TRUE);
        STextHost host(edit.Get());
        host.AddRef();
        DWORD bits = 0, bars = 0, length = 0;
        WCHAR password = 0;
        host.TxGetPropertyBits(0xFFFFFFFF, &bits);
        host.TxGetScrollBars(&bars);
        host.TxGetMaxLength(&length);
        host.TxGetPasswordChar(&password);
        EXPECT_EQ(bits, c.bits);
        EXPECT_EQ(bars, c.scrollBars);
        EXPECT_EQ(length, c.maxLength);
        EXPECT_EQ(password, c.password);
        // Only the bits asked for come back.
        host.TxGetPropertyBits(TXTBIT_MULTILINE, &bits);
        EXPECT_EQ(bits, c.bits & TXTBIT_MULTILINE);
    }
}

TEST(RichEditHostAnswers, DialogCodesFollowWantTabAndWantReturn)
{
    struct Case
    {
        const char* name;
        std::vector<Attr> attrs;
        UINT code;
    } const cases[] = {
        {"plain", {}, 0x1 | 0x8},
        {"want tab", {{L"wantTab", L"1"}}, 0x1 | 0x8 | 0x2},
        {"want tab false", {{L"wantTab", L"False"}}, 0x1 | 0x8},
        {"want return", {{L"wantReturn", L"1"}}, 0x1 | 0x8 | 0x4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto edit = SRefPtr<SRichEdit>::Adopt(new SRichEdit());
        for (const Attr& a : c.attrs)
            edit->SetAttribute(a.name, a.value, TRUE);
        EXPECT_EQ(edit->OnGetDlgCode(), c.code);
    }
}

TEST(RichEditHostAnswers, QueryInterfaceAnswersOnlyItsInterfaces)
{
    auto edit = SRefPtr<SRichEdit>::Adopt(new SRichEdit());
    auto* host = new STextHost(edit.Get());
    EXPECT_EQ(host->AddRef(), 1u);
    void* out = nullptr;
    EXPECT_EQ(host->QueryInterface(STextHost::kIID_ITextHost, &out), S_OK);
    EXPECT_EQ(out, static_cast<ITextHost*>(host));
    EXPECT_EQ(host->QueryInterface(IID_IUnknown, &out), S_OK);
    EXPECT_EQ(host->QueryInterface(IID_IDropTarget, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(host->Release(), 2u);
    EXPECT_EQ(host->Release(), 1u);
    EXPECT_EQ(host->Release(), 0u);
}

class RichEditContentTest : public RichEditTest
{
protected:
    void TearDown() override
    {
        if (!m_file.empty())
            ::DeleteFileW(m_file.c_str());
        RichEditTest::TearDown();
    }
    // An edit made under the host's root from XML.
    SRichEdit* Make(const std::wstring& xml)
    {
        m_host->CreateChildrenFromXmlText((L"<root>" + xml + L"</root>").c_str());
        return Edit(L"made");
    }
    std::wstring WriteRtf()
    {
        wchar_t folder[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, folder);
        m_file = std::wstring(folder) + L"vesk_richedit_" + std::to_wstring(::GetCurrentProcessId()) + L".rtf";
        FILE* f = _wfopen(m_file.c_str(), L"wb");
        fputs("{\\rtf1\\ansi From {\\i a file}\\par}", f);
        fclose(f);
        return m_file;
    }
    std::wstring m_file;
};

TEST_F(RichEditContentTest, RtfFromAResourceOrAFileWinsOverTheText)
{
    SRichEdit* fromRes = Make(L"<richedit name=\"made\" pos=\"230,270,@200,@30\" rtf=\"RTF:RTF_SAMPLE\">plain</richedit>");
    ASSERT_NE(fromRes, nullptr);
    EXPECT_EQ(TextOf(fromRes), L"Hello RTF");
    // After creation the attribute streams a file in at once.
    fromRes->SetAttribute(L"rtf", WriteRtf().c_str(), FALSE);
    EXPECT_EQ(TextOf(fromRes), L"From a file");
    // Nothing to read: the text stays.
    EXPECT_EQ(fromRes->SetAttribute(L"rtf", L"C:\\no\\such\\file.rtf", FALSE), 1);
    EXPECT_EQ(fromRes->SetAttribute(L"rtf", L"RTF:NO_SUCH_RESOURCE", FALSE), 1);
    EXPECT_EQ(TextOf(fromRes), L"From a file");
}

TEST_F(RichEditContentTest, ChangeNotificationsFollowNotifyChange)
{
    SRichEdit* edit = Edit(L"single");
    std::vector<DWORD> codes;
    edit->SubscribeEvent(EventRENotify::EventID, StdFunctionSlot([&](EventArgs* e) {
        codes.push_back(static_cast<EventRENotify*>(e)->iNotify);
        return false;
    }));
    Type(edit, L"a");
    EXPECT_EQ(std::count(codes.begin(), codes.end(), static_cast<DWORD>(EN_CHANGE)), 0);
    edit->SetAttribute(L"notifyChange", L"1", FALSE);
    EXPECT_TRUE(edit->DeliverSwndMessage(EM_GETEVENTMASK) & ENM_CHANGE);
    Type(edit, L"b");
    EXPECT_GE(std::count(codes.begin(), codes.end(), static_cast<DWORD>(EN_CHANGE)), 1);
    edit->SetAttribute(L"notifyChange", L"0", FALSE);
    EXPECT_FALSE(edit->DeliverSwndMessage(EM_GETEVENTMASK) & ENM_CHANGE);
    codes.clear();
    Type(edit, L"c");
    EXPECT_EQ(std::count(codes.begin(), codes.end(), static_cast<DWORD>(EN_CHANGE)), 0);
}

TEST_F(RichEditContentTest, ReadOnlyByMessageStopsTyping)
{
    SRichEdit* edit = Edit(L"single");
    edit->SetWindowText(L"ab");
    edit->DeliverSwndMessage(EM_SETSEL, 2, 2);
    EXPECT_TRUE(edit->DeliverSwndMessage(EM_SETREADONLY, TRUE));
    EXPECT_TRUE(edit->GetEditStyle() & ES_READONLY);
    Type(edit, L"c");
    EXPECT_EQ(TextOf(edit), L"ab");
    EXPECT_TRUE(edit->DeliverSwndMessage(EM_SETREADONLY, FALSE));
    Type(edit, L"c");
    EXPECT_EQ(TextOf(edit), L"abc");
}

TEST_F(RichEditContentTest, DisablingTakesTheStyleDisabledColour)
{
    SRichEdit* edit = Make(L"<richedit name=\"made\" pos=\"230,270,@200,@30\" colorText=\"#102030\" "
                           L"colorTextDisable=\"#808080\">x</richedit>");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetDefaultCharFormat().crTextColor, 0x302010u);
    edit->EnableWindow(FALSE, TRUE);
    EXPECT_EQ(edit->GetDefaultCharFormat().crTextColor, 0x808080u);
    edit->EnableWindow(TRUE, TRUE);
    EXPECT_EQ(edit->GetDefaultCharFormat().crTextColor, 0x302010u);
    edit->SetAttribute(L"colorText", L"#0000ff", FALSE);
    EXPECT_EQ(edit->GetDefaultCharFormat().crTextColor, 0xFF0000u);
}

TEST_F(RichEditContentTest, PasswordFocusKeepsTheInputMethodOff)
{
    HIMC initial = ::ImmGetContext(m_hwnd);
    if (!initial)
        GTEST_SKIP() << "the host window has no input context here";
    ::ImmReleaseContext(m_hwnd, initial);
    Edit(L"password")->SetFocus();
    HIMC during = ::ImmGetContext(m_hwnd);
    EXPECT_EQ(during, nullptr);
    if (during)
        ::ImmReleaseContext(m_hwnd, during);
    Edit(L"single")->SetFocus();
    HIMC after = ::ImmGetContext(m_hwnd);
    EXPECT_EQ(after, initial);
    if (after)
        ::ImmReleaseContext(m_hwnd, after);
}

TEST_F(RichEditContentTest, FontAndRectMessagesAnswerFromTheControl)
{
    SRichEdit* edit = Edit(L"single");
    const int before = edit->GetLineHeight();
    HFONT big = ::CreateFontW(-40, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    edit->DeliverSwndMessage(WM_SETFONT, reinterpret_cast<WPARAM>(big));
    ::DeleteObject(big);
    EXPECT_GT(edit->GetLineHeight(), before);
    const CHARFORMAT2W& cf = edit->GetDefaultCharFormat();
    EXPECT_EQ(cf.dwEffects & (CFE_BOLD | CFE_ITALIC), static_cast<DWORD>(CFE_BOLD | CFE_ITALIC));
    EXPECT_EQ(cf.cbSize, sizeof(CHARFORMAT2W));
    RECT rc = {};
    edit->DeliverSwndMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&rc));
    const RECT client = edit->GetClientRect();
    EXPECT_TRUE(::EqualRect(&rc, &client));
}

// A minimal text data object for drags.
class TextData : public IDataObject
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        *out = IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject) ? this : nullptr;
        return *out ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* f, STGMEDIUM* m) override
    {
        if (QueryGetData(f) != S_OK)
            return DV_E_FORMATETC;
        const wchar_t text[] = L"dropped";
        HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(text));
        memcpy(::GlobalLock(mem), text, sizeof(text));
        ::GlobalUnlock(mem);
        m->tymed = TYMED_HGLOBAL;
        m->hGlobal = mem;
        m->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* f) override
    {
        return f && f->cfFormat == CF_UNICODETEXT && (f->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }
};

// Whatever the engine answers about a drag, a drag over the edit shows the
// copy effect; an engine without a drop target has its failure passed on
// with the effect left alone. A drop with no effect never reaches it.
TEST_F(RichEditContentTest, DragsShowTheCopyEffect)
{
    SRichEdit* edit = Edit(L"single");
    IDropTarget* engineTarget = nullptr;
    const HRESULT engineHr = edit->GetTextServices()->TxGetDropTarget(&engineTarget);
    if (engineTarget)
        engineTarget->Release();
    auto* target = new SRicheditDropTarget(edit->GetTextServices());
    TextData data;
    const RECT rc = edit->GetClientRect();
    POINT screen = {rc.left + 5, rc.top + 5};
    ::ClientToScreen(m_hwnd, &screen);
    const POINTL pt = {screen.x, screen.y};
    DWORD effect = DROPEFFECT_MOVE;
    const HRESULT enter = target->DragEnter(&data, MK_LBUTTON, pt, &effect);
    if (SUCCEEDED(engineHr) && engineTarget) {
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
        effect = DROPEFFECT_MOVE | DROPEFFECT_LINK;
        target->DragOver(MK_LBUTTON, pt, &effect);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
        target->DragLeave();
    } else {
        EXPECT_EQ(enter, engineHr);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    }
    effect = DROPEFFECT_NONE;
    EXPECT_EQ(target->Drop(&data, 0, pt, &effect), S_FALSE);
    EXPECT_EQ(TextOf(edit), L"Single line");
    void* out = nullptr;
    EXPECT_EQ(target->QueryInterface(IID_IDropTarget, &out), S_OK);
    EXPECT_EQ(target->Release(), 1u);
    EXPECT_EQ(target->Release(), 0u);
}

// Each attribute of the edit's two tables answers its result code, before
// creation while loading and on a made edit afterwards; "multiLines" skips
// the style and lands in the edit style.
TEST_F(RichEditContentTest, EveryAttributeAnswersItsResult)
{
    struct Case
    {
        LPCWSTR attr, value;
        HRESULT loading, live;
    } const cases[] = {
        {L"showMenuDefalut", L"0", 1, 1}, {L"style", L"0", 1, 1},        {L"maxBuf", L"100", 1, 1},
        {L"colorText", L"#102030", 0, 0}, {L"align", L"right", 1, 0},    {L"notifyChange", L"0", 1, 1},
        {L"wantTab", L"0", 1, 1},         {L"IMEDISABLE", L"0", 1, 1},   {L"transparent", L"0", 1, 1},
        {L"rich", L"1", 1, 1},            {L"vertical", L"0", 1, 1},     {L"wordWrap", L"0", 1, 1},
        {L"allowBeep", L"0", 1, 1},       {L"autoWordSel", L"1", 1, 1},  {L"vcenter", L"0", 1, 1},
        {L"multiLines", L"1", 1, 1},      {L"hscrollBar", L"0", 1, 1},   {L"vscrollBar", L"0", 1, 1},
        {L"autoHscroll", L"1", 1, 1},     {L"autoVscroll", L"0", 1, 1},  {L"readOnly", L"0", 1, 1},
        {L"wantReturn", L"0", 1, 1},      {L"password", L"0", 1, 1},     {L"number", L"0", 1, 1},
        {L"passwordChar", L"*", 1, 1},    {L"enableDragdrop", L"0", 1, 1}, {L"autoSel", L"0", 1, 1},
        {L"focusable", L"1", 1, 1},       {L"noSuchAttribute", L"1", E_FAIL, E_FAIL},
    };
    SRichEdit* made = Edit(L"single");
    ASSERT_NE(made, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.attr << "=" << c.value);
        auto fresh = SRefPtr<SRichEdit>::Adopt(new SRichEdit());
        EXPECT_EQ(fresh->SetAttribute(c.attr, c.value, TRUE), c.loading);
        EXPECT_EQ(made->SetAttribute(c.attr, c.value, FALSE), c.live);
    }
    EXPECT_EQ(TextOf(made), L"Single line");
    auto multi = SRefPtr<SRichEdit>::Adopt(new SRichEdit());
    (void)multi->SetAttribute(L"multiLines", L"1", TRUE);
    EXPECT_EQ(multi->GetStyle().m_multiLines, 1);
    STextHost host(multi.Get());
    host.AddRef();
    DWORD bits = 0;
    host.TxGetPropertyBits(TXTBIT_MULTILINE, &bits);
    EXPECT_EQ(bits, static_cast<DWORD>(TXTBIT_MULTILINE));
}

} // namespace
} // namespace retest
