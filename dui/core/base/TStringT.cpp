#include "dui/core/base/TStringT.h"

#include <winsock2.h>
#include <windows.h>

#include "dui/core/base/SCodePage.h"

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

} // namespace

TStringData* GetEmptyStringData()
{
    return &g_emptyBlock.header;
}

SStringW StringA2W(const SStringA& src, unsigned int codePage)
{
    std::wstring wide;
    if (!MultiToWide(codePage, src.c_str(), src.GetLength(), wide))
        return SStringW();
    return SStringW(wide.data(), static_cast<int>(wide.size()));
}

SStringA StringW2A(const SStringW& src, unsigned int codePage)
{
    std::string narrow;
    if (!WideToMulti(codePage, src.c_str(), src.GetLength(), narrow))
        return SStringA();
    return SStringA(narrow.data(), static_cast<int>(narrow.size()));
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
