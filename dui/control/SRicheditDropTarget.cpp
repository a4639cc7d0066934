#include "dui/control/SRicheditDropTarget.h"

#include "dui/core/base/DuiLog.h"

namespace DUI {

namespace {

// The engine's drop target for one call, released when the call ends.
class EngineDropTarget
{
public:
    explicit EngineDropTarget(ITextServices* services)
    {
        m_hr = services ? services->TxGetDropTarget(&m_target) : E_FAIL;
        if (SUCCEEDED(m_hr) && !m_target)
            m_hr = E_FAIL;
    }
    ~EngineDropTarget()
    {
        if (m_target)
            m_target->Release();
    }
    EngineDropTarget(const EngineDropTarget&) = delete;
    EngineDropTarget& operator=(const EngineDropTarget&) = delete;

    HRESULT Status() const { return m_hr; }
    IDropTarget* operator->() const { return m_target; }

private:
    IDropTarget* m_target = nullptr;
    HRESULT m_hr = E_FAIL;
};

} // namespace

// Made for its creator, who holds the first reference.
SRicheditDropTarget::SRicheditDropTarget(ITextServices* services)
    : TComObject<IDropTarget>(IID_IDropTarget, 1), m_services(services)
{
    if (m_services)
        m_services->AddRef();
}

SRicheditDropTarget::~SRicheditDropTarget()
{
    if (m_services)
        m_services->Release();
}

// The engine may refuse a drag it cannot place; the control always offers
// a copy.
HRESULT SRicheditDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        EngineDropTarget target(m_services);
        if (FAILED(target.Status()))
            return target.Status();
        const HRESULT hr = target->DragEnter(data, keys, pt, effect);
        if (effect)
            *effect = DROPEFFECT_COPY;
        return hr;
    });
}

HRESULT SRicheditDropTarget::DragOver(DWORD keys, POINTL pt, DWORD* effect)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        EngineDropTarget target(m_services);
        if (FAILED(target.Status()))
            return target.Status();
        const HRESULT hr = target->DragOver(keys, pt, effect);
        if (effect)
            *effect = DROPEFFECT_COPY;
        return hr;
    });
}

HRESULT SRicheditDropTarget::DragLeave()
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        EngineDropTarget target(m_services);
        if (FAILED(target.Status()))
            return target.Status();
        return target->DragLeave();
    });
}

HRESULT SRicheditDropTarget::Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect)
{
    return CallGuardedOr(__FILE__, __LINE__, __func__, E_UNEXPECTED, [&]() -> HRESULT {
        if (effect && *effect == DROPEFFECT_NONE)
            return S_FALSE;
        EngineDropTarget target(m_services);
        if (FAILED(target.Status()))
            return target.Status();
        return target->Drop(data, keys, pt, effect);
    });
}

} // namespace DUI
