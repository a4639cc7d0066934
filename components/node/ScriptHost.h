#pragma once
// A page's script engine: one duktape heap with a small DOM over the
// engine's document, timers, location and the functions the program binds.
// Every run is stopped after 2 s and the heap is capped at 64 MiB.
#include "app/online/WkeApi.h"

#include <deque>
#include <map>
#include <string>
#include <vector>

struct duk_hthread;
typedef struct duk_hthread duk_context;

namespace node {

class DomDocument;
struct DomNode;

// What the scripts reach of the page that owns them.
class ScriptSite {
public:
    virtual ~ScriptSite() = default;
    virtual DomDocument& Document() = 0;
    virtual void DomChanged() = 0;
    virtual std::string PageUrl() = 0;
    virtual void NavigateTo(const std::string& url) = 0;
    virtual void ScheduleTimer(int id, int ms) = 0;
    virtual void CancelTimer(int id) = 0;
    virtual wkeWebView View() = 0;
};

// A function the program binds into every page.
struct BoundFunction {
    std::string name;
    jsNativeFunction plain = nullptr;
    wkeJsNativeFunction withParam = nullptr;
    void* param = nullptr;
};

struct ScriptValue {
    enum Type { Undefined, Null, Bool, Number, String, Object } type = Undefined;
    double number = 0;
    std::string text;   // UTF-8 (strings, and the text form of objects)
};

} // namespace node

// The state a bound function is called with; its values and strings live
// until the call returns.
struct jsExecStateImpl {
    wkeWebView view = nullptr;
    std::vector<node::ScriptValue> args;
    std::vector<node::ScriptValue> values;
    std::deque<std::wstring> strings;
    jsValue Keep(const node::ScriptValue& v)
    {
        values.push_back(v);
        return jsValue(values.size());
    }
    const node::ScriptValue* Find(jsValue v) const
    {
        return v >= 1 && v <= jsValue(values.size()) ? &values[size_t(v - 1)] : nullptr;
    }
};

namespace node {

class ScriptHost {
public:
    static constexpr unsigned kTimeoutMs = 2000;
    static constexpr size_t kHeapCap = 64u << 20;

    ScriptHost(ScriptSite& site, const std::vector<BoundFunction>& bound);
    ~ScriptHost();
    ScriptHost(const ScriptHost&) = delete;
    ScriptHost& operator=(const ScriptHost&) = delete;

    // Runs source text; false with the error text when it threw or timed out.
    bool Run(const std::string& source, const char* name, std::string* error = nullptr, ScriptValue* result = nullptr);
    // Runs the element's handler for `event` ("click", "submit"): the
    // property set by script, else the attribute. False when a handler returned false.
    bool Dispatch(DomNode* n, const char* event);
    void RunOnload();
    void FireTimer(int id);
    bool Busy() const { return m_depth > 0; }

    // Used by the bindings.
    void PushElement(DomNode* n);
    DomNode* ThisElement();
    ScriptSite& Site() { return m_site; }
    int AddTimer(bool repeat, int ms);
    void RemoveTimer(int id);
    const BoundFunction* Bound(int i) const
    {
        return i >= 0 && i < int(m_bound.size()) ? &m_bound[size_t(i)] : nullptr;
    }
    void PauseClock();
    void ResumeClock();

    struct Guard {
        unsigned long long deadline = 0;
        unsigned long long paused = 0;   // time left while a bound function runs
        size_t used = 0;
    };

private:
    bool CallHandler(int depthAdd);
    void Enter();
    void Leave();
    void InstallGlobals();

    ScriptSite& m_site;
    std::vector<BoundFunction> m_bound;
    Guard m_guard;
    duk_context* m_ctx = nullptr;
    int m_depth = 0;
    int m_nextTimer = 1;
    std::map<int, bool> m_timers;   // id -> repeats
};

// The host whose heap runs `ctx`.
ScriptHost* HostOfContext(duk_context* ctx);

// Installs the DOM, location and timer globals (ScriptDom.cpp).
void InstallDomBindings(duk_context* ctx, ScriptHost* host);

} // namespace node
