// SRichEdit: the text, its limit, the formats and RTF streamed in.
#include "dui/control/SRichEdit.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "dui/core/base/DuiLog.h"
#include "dui/res.mgr/SResProviderMgr.h"
#include "xml/SFile.h"

namespace DUI {

namespace {

// The next part of a buffer read whole.
struct BufferStream
{
    const BYTE* data;
    size_t size;
    size_t offset;
};

DWORD CALLBACK ReadFromBuffer(DWORD_PTR cookie, LPBYTE out, LONG want, LONG* got)
{
    auto* stream = reinterpret_cast<BufferStream*>(cookie);
    const size_t left = stream->size - stream->offset;
    const size_t count = want > 0 ? std::min(left, static_cast<size_t>(want)) : 0;
    std::memcpy(out, stream->data + stream->offset, count);
    stream->offset += count;
    *got = static_cast<LONG>(count);
    return 0;
}

DWORD CALLBACK ReadFromFile(DWORD_PTR cookie, LPBYTE out, LONG want, LONG* got)
{
    auto* file = reinterpret_cast<FILE*>(cookie);
    *got = want > 0 ? static_cast<LONG>(std::fread(out, 1, static_cast<size_t>(want), file)) : 0;
    return 0;
}

// "type:name" names a resource; a drive letter before the colon, a slash or
// backslash in front of it, or the type "file" makes the value a path.
BOOL SplitResourceRef(const SStringW& value, SStringW& type, SStringW& name)
{
    const int colon = value.Find(L':');
    if (colon < 2)
        return FALSE;
    type = value.Left(colon);
    if (type.Find(L'\\') >= 0 || type.Find(L'/') >= 0)
        return FALSE;
    name = value.Right(value.GetLength() - colon - 1);
    if (SResProviderMgr::IsFileType(type.c_str()))
        return FALSE;
    return TRUE;
}

SStringW PathOf(const SStringW& value)
{
    const int colon = value.Find(L':');
    if (colon >= 2 && SResProviderMgr::IsFileType(value.Left(colon).c_str()))
        return value.Right(value.GetLength() - colon - 1);
    return value;
}

} // namespace

SStringW SRichEdit::GetWindowText(BOOL) const
{
    const LRESULT length = TxSendMessage(WM_GETTEXTLENGTH);
    if (length <= 0)
        return SStringW();
    std::vector<WCHAR> buffer(static_cast<size_t>(length) + 1, 0);
    TxSendMessage(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.back() = 0;
    return SStringW(buffer.data());
}

void SRichEdit::SetWindowText(LPCWSTR text)
{
    DeliverSwndMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    InvalidateClient();
}

BOOL SRichEdit::OnSetTextMessage(LPARAM lp, LRESULT& result)
{
    HRESULT hr = E_FAIL;
    TxSendMessage(WM_SETTEXT, 0, lp, &hr);
    if (FAILED(hr)) {
        result = FALSE;
        return TRUE;
    }
    const LONG length = lp ? static_cast<LONG>(::lstrlenW(reinterpret_cast<LPCWSTR>(lp))) : 0;
    if (m_textLimit < length) {
        m_textLimit = length;
        ApplyTextLimit();
    }
    result = TRUE;
    return TRUE;
}

LRESULT SRichEdit::OnExLimitText(LPARAM lp)
{
    m_textLimit = lp ? static_cast<LONG>(lp) : kDefaultTextLimit;
    ApplyTextLimit();
    return 1;
}

// Wine's text services never ask the host for the limit again, whatever
// they are told: the limit is also given to them as a message, which the
// system's own engine takes the same way.
void SRichEdit::ApplyTextLimit()
{
    NotifyPropertyBits(TXTBIT_MAXLENGTHCHANGE, TXTBIT_MAXLENGTHCHANGE);
    TxSendMessage(EM_EXLIMITTEXT, 0, m_textLimit);
}

LRESULT SRichEdit::OnSetCharFormat(WPARAM wp, LPARAM lp)
{
    if (wp != SCF_DEFAULT) {
        TxSendMessage(EM_SETCHARFORMAT, wp, lp);
        return 1;
    }
    const auto* cf = reinterpret_cast<const CHARFORMAT2W*>(lp);
    if (!cf || cf->cbSize != sizeof(CHARFORMAT2W)) {
        DUI_LOG_WARNING("dui\\control\\srichedit", "DUI::SRichEdit::OnSetCharFormat",
                        L"set default char format failed! only CHARFORMAT2W can be set for default char format");
        return 0;
    }
    TxSendMessage(EM_SETCHARFORMAT, wp, lp);
    m_cfDef = *cf;
    NotifyPropertyBits(TXTBIT_CHARFORMATCHANGE, TXTBIT_CHARFORMATCHANGE);
    return 1;
}

LRESULT SRichEdit::OnSetParaFormat(LPARAM lp)
{
    const auto* pf = reinterpret_cast<const PARAFORMAT2*>(lp);
    if (!pf || pf->cbSize != sizeof(PARAFORMAT2))
        return 0;
    TxSendMessage(EM_SETPARAFORMAT, 0, lp);
    return 1;
}

void SRichEdit::StreamInRtf(const SStringW& value)
{
    SStringW type, name;
    if (SplitResourceRef(value, type, name)) {
        SResProviderMgr* res = SResProviderMgr::GetInstance();
        const size_t size = res ? res->GetRawBufferSize(type.c_str(), name.c_str()) : 0;
        if (size == 0)
            return;
        std::vector<BYTE> buffer(size);
        if (!res->GetRawBuffer(type.c_str(), name.c_str(), buffer.data(), size))
            return;
        BufferStream stream{buffer.data(), size, 0};
        EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(&stream), 0, &ReadFromBuffer};
        DeliverSwndMessage(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
        return;
    }
    const SFilePtr file = OpenFile(PathOf(value).c_str(), L"rb");
    if (!file)
        return;
    EDITSTREAM es = {reinterpret_cast<DWORD_PTR>(file.get()), 0, &ReadFromFile};
    DeliverSwndMessage(EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
}

} // namespace DUI
