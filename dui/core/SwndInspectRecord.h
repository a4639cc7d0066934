#pragma once
// What a host tells an inspecting window about one window of its tree, sent
// by WM_COPYDATA: a fixed little-endian record of 10,650 bytes.
#include <winsock2.h>
#include <windows.h>

namespace DUI {

class SWindow;

#pragma pack(push, 1)
struct SwndInspectRecord
{
    static constexpr int kNameChars = 251;
    static constexpr int kClassChars = 51;
    static constexpr int kXmlChars = 5001;

    int swnd;
    RECT rcWindow;
    RECT rcClient;
    BOOL visible;
    int id;
    wchar_t name[kNameChars];
    wchar_t classTag[kClassChars];
    wchar_t xml[kXmlChars];

    // Zero-filled, then the window's facts; a text too long for its field is
    // replaced by a marker, never cut.
    void Fill(const SWindow* w);
};
#pragma pack(pop)

static_assert(sizeof(SwndInspectRecord) == 10650, "the record's layout is read by other programs");

} // namespace DUI
