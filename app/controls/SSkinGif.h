#pragma once
// Skin "gif": every frame of a GIF with its display time, decoded through
// the application's picture decoder. Players ("gifplayer") animate it.
#include "dui/res.mgr/SSkinAni.h"

namespace DUI {

class SSkinGif : public SSkinAni
{
    DUI_CLASS_NAME(SSkinGif, SSkinAni, L"gif", Skin_Kind)
public:
    // "src": TYPE:name, or a name of type "gif", from the resource providers.
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;
    int LoadFromFile(LPCWSTR path) override;
    int LoadFromMemory(const void* data, size_t size) override;
};

} // namespace DUI
