#pragma once
// The drop target a rich edit registers with its host: every call goes to
// the engine's own drop target, and a drag over the control always shows
// the copy effect.
#include <winsock2.h>
#include <windows.h>
#include <ole2.h>
#include <richedit.h>
#include <textserv.h>

#include "dui/core/base/TComObject.h"

namespace DUI {

class SRicheditDropTarget : public TComObject<IDropTarget>
{
public:
    explicit SRicheditDropTarget(ITextServices* services);
    ~SRicheditDropTarget() override;

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

private:
    ITextServices* m_services = nullptr;
};

} // namespace DUI
