#pragma once
// Resources of a folder described by its index file "uires.idx":
// <resource><png><file name="logo" path="img\logo.png"/></png></resource>.
// Types and names are matched without regard to case.
#include "dui/core/base/SCmnMap.h"
#include "dui/core/base/TObjRefImpl.h"
#include "dui/res.mgr/IResProvider.h"

namespace DUI {

// The index key: the type and the name, lower-cased, in fixed fields.
struct SResKey
{
    wchar_t type[31] = {};
    wchar_t name[101] = {};

    // False when the type or the name does not fit its field.
    bool Set(LPCWSTR type, LPCWSTR name);
    uint32_t GetHash() const;
    bool operator==(const SResKey& other) const;
};

class SResProviderFiles : public TObjRefImpl<IResProvider>
{
public:
    BOOL Init(WPARAM folder) override;
    BOOL HasResource(LPCWSTR type, LPCWSTR name) override;
    HICON LoadIcon(LPCWSTR name, int cx, int cy) override;
    HBITMAP LoadBitmap(LPCWSTR name) override;
    HCURSOR LoadCursor(LPCWSTR name) override;
    IPaintBitmap* LoadImage(LPCWSTR type, LPCWSTR name) override;
    IPictureFrames* LoadImgX(LPCWSTR type, LPCWSTR name) override;
    size_t GetRawBufferSize(LPCWSTR type, LPCWSTR name) override;
    BOOL GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buffer, size_t size) override;

    // Plain file access, shared with the manager's "file" type.
    static size_t FileSize(LPCWSTR path);
    static BOOL ReadWholeFile(LPCWSTR path, LPVOID buffer, size_t size);

private:
    // The full path of (type, name), empty when the index has no such entry.
    SStringW PathOf(LPCWSTR type, LPCWSTR name) const;

    SStringW m_folder;
    SCmnMap<SStringW, SResKey> m_index;
};

} // namespace DUI
