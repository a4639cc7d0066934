#include "dui/core/TStringT.h"

#include <winsock2.h>
#include <windows.h>

#include <vector>

namespace DUI {

namespace {

// Shared by both widths: the terminator covers one wchar_t, so it reads as an
// empty text for either.
struct EmptyBlock
{
    TStringData header;
    wchar_t nul[2];
};
EmptyBlock g_emptyBlock = {{-1, 0, 0}, {0, 0}};

const int kStackChars = 1024;

} // namespace

TStringData* GetEmptyStringData()
{
    return &g_emptyBlock.header;
}

namespace {

// Both directions: a stack buffer first, the heap only for long texts. The
// conversion is called as convert(source, length, out, capacity).
template <class Result, class OutChar, class Source, class Convert>
Result ConvertCodePage(const Source& src, Convert convert)
{
    if (src.IsEmpty())
        return Result();
    OutChar stackBuf[kStackChars];
    int n = convert(src.c_str(), src.GetLength(), stackBuf, kStackChars);
    if (n > 0)
        return Result(stackBuf, n);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return Result();
    const int need = convert(src.c_str(), src.GetLength(), nullptr, 0);
    if (need <= 0)
        return Result();
    std::vector<OutChar> heapBuf(need);
    n = convert(src.c_str(), src.GetLength(), heapBuf.data(), need);
    return n > 0 ? Result(heapBuf.data(), n) : Result();
}

} // namespace

SStringW StringA2W(const SStringA& src, unsigned int codePage)
{
    return ConvertCodePage<SStringW, wchar_t>(src, [codePage](const char* s, int n, wchar_t* out, int cap) {
        return MultiByteToWideChar(codePage, 0, s, n, out, cap);
    });
}

SStringA StringW2A(const SStringW& src, unsigned int codePage)
{
    return ConvertCodePage<SStringA, char>(src, [codePage](const wchar_t* s, int n, char* out, int cap) {
        return WideCharToMultiByte(codePage, 0, s, n, out, cap, nullptr, nullptr);
    });
}

size_t SplitString(const SStringW& text, wchar_t separator, SStringWList& out)
{
    const wchar_t* p = text.c_str();
    const int len = text.GetLength();
    int start = 0;
    for (int i = 0; i <= len; ++i) {
        if (i < len && p[i] != separator)
            continue;
        if (i > start)
            out.Add(SStringW(p + start, i - start));
        start = i + 1;
    }
    return out.GetCount();
}

size_t ParseResId(const SStringW& id, SStringWList& out)
{
    int colon = id.Find(L':');
    if (id.IsEmpty() || colon < 0) {
        out.Add(id);
    } else {
        out.Add(id.Left(colon));
        out.Add(id.Mid(colon + 1, id.GetLength()));
    }
    return out.GetCount();
}

} // namespace DUI
