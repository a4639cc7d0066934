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

SStringW StringA2W(const SStringA& src, unsigned int codePage)
{
    if (src.IsEmpty())
        return SStringW();
    wchar_t stackBuf[kStackChars];
    int n = MultiByteToWideChar(codePage, 0, src.c_str(), src.GetLength(), stackBuf, kStackChars);
    if (n > 0)
        return SStringW(stackBuf, n);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return SStringW();
    int need = MultiByteToWideChar(codePage, 0, src.c_str(), src.GetLength(), nullptr, 0);
    if (need <= 0)
        return SStringW();
    std::vector<wchar_t> heapBuf(need);
    n = MultiByteToWideChar(codePage, 0, src.c_str(), src.GetLength(), heapBuf.data(), need);
    return n > 0 ? SStringW(heapBuf.data(), n) : SStringW();
}

SStringA StringW2A(const SStringW& src, unsigned int codePage)
{
    if (src.IsEmpty())
        return SStringA();
    char stackBuf[kStackChars];
    int n = WideCharToMultiByte(codePage, 0, src.c_str(), src.GetLength(), stackBuf, kStackChars,
                                nullptr, nullptr);
    if (n > 0)
        return SStringA(stackBuf, n);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER)
        return SStringA();
    int need = WideCharToMultiByte(codePage, 0, src.c_str(), src.GetLength(), nullptr, 0, nullptr,
                                   nullptr);
    if (need <= 0)
        return SStringA();
    std::vector<char> heapBuf(need);
    n = WideCharToMultiByte(codePage, 0, src.c_str(), src.GetLength(), heapBuf.data(), need,
                            nullptr, nullptr);
    return n > 0 ? SStringA(heapBuf.data(), n) : SStringA();
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
