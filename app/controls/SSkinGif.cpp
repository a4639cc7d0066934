#include "app/controls/SSkinGif.h"

#include <vector>

#include "dui/res.mgr/SImageLoader.h"
#include "dui/res.mgr/SResProviderMgr.h"

namespace DUI {

HRESULT SSkinGif::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    if (name.CompareNoCase(L"src") != 0)
        return SSkinAni::SetAttribute(name, value, loading);
    SStringWList pieces;
    const size_t count = ParseResId(value, pieces);
    const SStringW type = count == 2 ? pieces[0] : SStringW(L"gif");
    const SStringW resName = count == 2 ? pieces[1] : value;
    SResProviderMgr* res = SResProviderMgr::GetInstance();
    const size_t size = res ? res->GetRawBufferSize(type, resName) : 0;
    std::vector<BYTE> bytes(size);
    // A missing or broken resource leaves the skin without frames.
    if (size == 0 || !res->GetRawBuffer(type, resName, bytes.data(), size) || LoadFromMemory(bytes.data(), size) == 0)
        SetFrames(nullptr, 0);
    return S_OK;
}

int SSkinGif::LoadFromFile(LPCWSTR path)
{
    const SRefPtr<IPictureFrames> picture = SRefPtr<IPictureFrames>::Adopt(LoadPictureFromFile(path));
    return SetFramesFromPicture(picture.Get());
}

int SSkinGif::LoadFromMemory(const void* data, size_t size)
{
    const SRefPtr<IPictureFrames> picture = SRefPtr<IPictureFrames>::Adopt(LoadPictureFromMemory(data, size));
    return SetFramesFromPicture(picture.Get());
}

} // namespace DUI
