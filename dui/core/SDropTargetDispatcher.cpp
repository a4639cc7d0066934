#include "dui/core/SDropTargetDispatcher.h"

#include <utility>

#include "dui/core/base/DuiLog.h"
#include "dui/core/SWindow.h"

namespace DUI {

namespace {

void ReleaseTarget(IDropTarget** target)
{
    (*target)->Release();
}

} // namespace

SDropTargetDispatcher::SDropTargetDispatcher(SWindow* root) : m_targets(&ReleaseTarget), m_root(root) {}

SDropTargetDispatcher::~SDropTargetDispatcher()
{
    DragLeave();
    m_targets.RemoveAll();
}

HRESULT SDropTargetDispatcher::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
        *out = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

BOOL SDropTargetDispatcher::RegisterDragDrop(SWND swnd, IDropTarget* target)
{
    if (!target || m_targets.HasKey(swnd))
        return FALSE;
    target->AddRef();
    m_targets.SetAt(swnd, target);
    return TRUE;
}

BOOL SDropTargetDispatcher::RevokeDragDrop(SWND swnd)
{
    IDropTarget* target = nullptr;
    if (!m_targets.Lookup(swnd, target))
        return FALSE;
    const SComPtr<IDropTarget> keep = SComPtr<IDropTarget>::Adopt(target);
    m_targets.RemoveKey(swnd);
    // A target that goes away under the cursor ends its drag as if the
    // cursor had left it, so it drops any feedback it is showing.
    if (target == m_entered.Get()) {
        m_entered.Reset();
        target->DragLeave();
    }
    return TRUE;
}

HRESULT SDropTargetDispatcher::DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        m_data.Reset(data);
        return DragOver(keys, pt, effect);
    });
}

HRESULT SDropTargetDispatcher::DragOver(DWORD keys, POINTL pt, DWORD* effect)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        if (!effect)
            return E_INVALIDARG;
        *effect = DROPEFFECT_NONE;
        const SWND hit = HitTest(pt);
        SComPtr<IDropTarget> target = TargetOf(hit);
        if (hit == m_current && target.Get() == m_entered.Get()) {
            if (target)
                target->DragOver(keys, pt, effect);
            return S_OK;
        }
        LeaveCurrent();
        m_current = hit;
        m_entered = target;
        if (target)
            target->DragEnter(m_data.Get(), keys, pt, effect);
        return S_OK;
    });
}

HRESULT SDropTargetDispatcher::DragLeave()
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        LeaveCurrent();
        m_data.Reset();
        return S_OK;
    });
}

HRESULT SDropTargetDispatcher::Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        m_current = 0;
        const SComPtr<IDropTarget> target = std::move(m_entered);
        if (target)
            target->Drop(data, keys, pt, effect);
        else if (effect)
            *effect = DROPEFFECT_NONE;   // nothing took it: the source must not act as if it had moved
        m_data.Reset();
        return S_OK;
    });
}

SComPtr<IDropTarget> SDropTargetDispatcher::TargetOf(SWND swnd) const
{
    IDropTarget* target = nullptr;
    if (!swnd || !m_targets.Lookup(swnd, target))
        return nullptr;
    return SComPtr<IDropTarget>::Share(target);
}

// Drag positions come in screen coordinates, the tree hit-tests in the host's
// client ones; a container without a native window has nothing under a
// screen point.
SWND SDropTargetDispatcher::HitTest(POINTL screen) const
{
    ISwndContainer* container = m_root ? m_root->GetContainer() : nullptr;
    HWND host = container ? container->GetHostHwnd() : nullptr;
    POINT pt = {screen.x, screen.y};
    if (!host || !::ScreenToClient(host, &pt))
        return 0;
    return m_root->HitTestSwnd(pt);
}

void SDropTargetDispatcher::LeaveCurrent()
{
    m_current = 0;
    if (const SComPtr<IDropTarget> target = std::move(m_entered))
        target->DragLeave();
}

} // namespace DUI
