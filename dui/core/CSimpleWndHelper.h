#pragma once
// Owns what every native window of the framework shares: the one window
// class, the executable heap the per-window thunks live in, and the lock
// under which a window being created is handed to its first message.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/base/SCriticalSection.h"
#include "dui/core/base/SHandle.h"
#include "dui/core/base/SSingleton2.h"

namespace DUI {

class CSimpleWnd;

class CSimpleWndHelper : public SSingleton2<CSimpleWndHelper>
{
public:
    // imeWindows: the class takes CS_IME and redraws on every size change.
    CSimpleWndHelper(HINSTANCE module, LPCWSTR className, BOOL imeWindows);
    ~CSimpleWndHelper() override;

    HANDLE GetHeap() const { return m_heap.Get(); }
    ATOM GetClassAtom() const { return m_atom; }
    HINSTANCE GetModule() const { return m_module; }

    // The creating object's hand-over: held from before CreateWindowExW
    // until it returns, so the first message finds the right object.
    void LockCreation(CSimpleWnd* creating);
    void UnlockCreation();
    CSimpleWnd* TakeCreatingWindow();

    static UINT ClassStyle(BOOL imeWindows);

private:
    SHeapHandle m_heap;
    SCriticalSection m_lock;
    CSimpleWnd* m_creating = nullptr;
    ATOM m_atom = 0;
    HINSTANCE m_module = nullptr;
};

} // namespace DUI
