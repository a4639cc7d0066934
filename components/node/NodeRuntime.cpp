#include "components/node/NodeRuntime.h"

#include <utility>

namespace node {

namespace {

constexpr UINT kRunTasks = WM_APP + 1;
const wchar_t kClass[] = L"NodeEngineTasks";
// Deliberately not a static object: a process that ends without wkeShutdown
// reaches this library's detach after the system has already ended the fetch
// workers while they waited on their condition; destroying the runtime then
// would wait for those dead threads for ever (and the process would never
// end). The system takes back everything at the end of the process anyway.
NodeRuntime* g_runtime = nullptr;

HINSTANCE ThisModule()
{
    HMODULE m = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&ThisModule), &m);
    return m;
}

} // namespace

NodeRuntime* NodeRuntime::Get()
{
    return g_runtime;
}

NodeRuntime& NodeRuntime::Ensure()
{
    if (!g_runtime) g_runtime = new NodeRuntime();
    return *g_runtime;
}

void NodeRuntime::Shutdown()
{
    if (!g_runtime) return;
    if (g_runtime->m_fetch) g_runtime->m_fetch->SaveCookies();
    delete std::exchange(g_runtime, nullptr);
}

NodeRuntime::NodeRuntime() = default;

// Not made by wkeInitializeEx: starting the workers (whose libcurl set-up
// loads the system's security packages, under the loader's lock) would slow
// the binding at start-up, which needs none of them.
NetFetch& NodeRuntime::Fetch()
{
    if (!m_fetch) m_fetch = std::make_unique<NetFetch>();
    return *m_fetch;
}

// The first window of a process under Wine connects it to the display, which
// is slow: the task window waits for the first view, so binding the engine
// stays cheap. Views and timers are made on the user-interface thread, and
// fetch results are posted only for views, so it exists before any post.
void NodeRuntime::EnsureTaskWindow()
{
    if (m_wnd) return;
    WNDCLASSW wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = ThisModule();
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    m_wnd = CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(m_wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

NodeRuntime::~NodeRuntime()
{
    m_fetch.reset();   // joins the workers: no task is posted after this
    if (m_wnd) {
        for (auto& t : m_timers) KillTimer(m_wnd, t.first);
        SetWindowLongPtrW(m_wnd, GWLP_USERDATA, 0);
        DestroyWindow(m_wnd);
        UnregisterClassW(kClass, ThisModule());
    }
}

void NodeRuntime::EnableHighDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    m_zoom = dpi > 0 ? dpi / 96.0 : 1.0;
}

void NodeRuntime::Post(std::function<void()> task)
{
    std::lock_guard<std::mutex> g(m_lock);
    bool first = m_tasks.empty();
    m_tasks.push_back(std::move(task));
    if (first) PostMessageW(m_wnd, kRunTasks, 0, 0);
}

void NodeRuntime::RunTasks()
{
    std::vector<std::function<void()>> tasks;
    {
        std::lock_guard<std::mutex> g(m_lock);
        tasks.swap(m_tasks);
    }
    for (auto& t : tasks) t();
}

UINT_PTR NodeRuntime::StartTimer(int ms, std::function<void()> fire)
{
    EnsureTaskWindow();
    UINT_PTR id = m_nextTimer++;
    if (!SetTimer(m_wnd, id, UINT(ms < 1 ? 1 : ms), nullptr)) return 0;
    m_timers[id] = std::move(fire);
    return id;
}

void NodeRuntime::StopTimer(UINT_PTR id)
{
    if (m_timers.erase(id)) KillTimer(m_wnd, id);
}

LRESULT CALLBACK NodeRuntime::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* self = reinterpret_cast<NodeRuntime*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (self && msg == kRunTasks) {
        self->RunTasks();
        return 0;
    }
    if (self && msg == WM_TIMER) {
        auto it = self->m_timers.find(wp);
        if (it != self->m_timers.end()) {
            std::function<void()> fire = it->second;   // the call may stop it
            fire();
        }
        return 0;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

} // namespace node
