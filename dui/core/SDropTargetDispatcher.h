#pragma once
// The OLE drop target of one host window. OLE knows only native windows, so
// the windowless windows of the tree register their own drop targets here by
// SWND; every drag position is hit-tested against the tree and the OLE calls
// go on to the target of the window under the cursor, a change of window
// becoming a DragLeave for the old target and a DragEnter for the new one.
#include <winsock2.h>
#include <windows.h>
#include <ole2.h>

#include "dui/core/base/SCmnMap.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/core/SWindowMgr.h"

namespace DUI {

class SWindow;

// Lives inside its container; OLE's references are not counted.
class SDropTargetDispatcher final : public IDropTarget
{
public:
    explicit SDropTargetDispatcher(SWindow* root);
    ~SDropTargetDispatcher();
    SDropTargetDispatcher(const SDropTargetDispatcher&) = delete;
    SDropTargetDispatcher& operator=(const SDropTargetDispatcher&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    // FALSE when the window has a target already; the first one stays.
    BOOL RegisterDragDrop(SWND swnd, IDropTarget* target);
    BOOL RevokeDragDrop(SWND swnd);

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override;

    // The window under the cursor during a drag; 0 outside a drag.
    SWND GetCurrent() const { return m_current; }

private:
    // A reference of its own, so a target that revokes itself while it is
    // being called stays alive until the call returns.
    SComPtr<IDropTarget> TargetOf(SWND swnd) const;
    SWND HitTest(POINTL screen) const;
    void LeaveCurrent();

    SCmnMap<IDropTarget*, SWND> m_targets;
    SComPtr<IDataObject> m_data;
    SWND m_current = 0;
    SWindow* m_root;
    // The target that got DragEnter for the current window: only it gets
    // the moves, the leave or the drop, so a target registered in the middle
    // of a drag is entered before anything else.
    SComPtr<IDropTarget> m_entered;
};

} // namespace DUI
