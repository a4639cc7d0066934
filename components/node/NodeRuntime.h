#pragma once
// What the engine keeps for the whole process between wkeInitializeEx and
// wkeShutdown: the user-interface thread's task window (worker results and
// timers are run there), the fetcher, the zoom and the bound functions.
#include "components/node/NetFetch.h"
#include "components/node/ScriptHost.h"

#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace node {

class NodeRuntime {
public:
    static NodeRuntime* Get();       // null before wkeInitializeEx and after wkeShutdown
    static NodeRuntime& Ensure();    // created on first use by the thread that calls it
    static void Shutdown();

    // Made on the user-interface thread by the first view or timer.
    void EnsureTaskWindow();
    HWND TaskWindow() const { return m_wnd; }
    // Runs `task` on the user-interface thread; safe from any thread.
    void Post(std::function<void()> task);
    // A one-shot or repeating timer on the user-interface thread; 0 on failure.
    UINT_PTR StartTimer(int ms, std::function<void()> fire);
    void StopTimer(UINT_PTR id);

    // The fetcher, started by the first view or cookie jar that needs it.
    NetFetch& Fetch();
    double Zoom() const { return m_zoom; }
    void EnableHighDpi();
    std::vector<BoundFunction>& Bound() { return m_bound; }

    ~NodeRuntime();

private:
    NodeRuntime();
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    void RunTasks();

    HWND m_wnd = nullptr;
    std::mutex m_lock;
    std::vector<std::function<void()>> m_tasks;
    std::map<UINT_PTR, std::function<void()>> m_timers;
    UINT_PTR m_nextTimer = 1;
    std::unique_ptr<NetFetch> m_fetch;
    double m_zoom = 1.0;
    std::vector<BoundFunction> m_bound;
};

} // namespace node
