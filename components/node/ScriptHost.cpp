#include "components/node/ScriptHost.h"

#include "components/node/DomNode.h"

#include <duktape/duktape.h>

#include <cstdlib>
#include <cstring>

extern "C" duk_bool_t vesk_duk_exec_timeout(void* udata)
{
    auto* g = static_cast<node::ScriptHost::Guard*>(udata);
    return g && g->deadline && GetTickCount64() > g->deadline;
}

namespace node {

namespace {

constexpr size_t kHeader = 16;

void* Alloc(void* udata, duk_size_t size)
{
    auto* g = static_cast<ScriptHost::Guard*>(udata);
    if (g->used + size > ScriptHost::kHeapCap) return nullptr;
    auto* p = static_cast<char*>(malloc(size + kHeader));
    if (!p) return nullptr;
    *reinterpret_cast<size_t*>(p) = size;
    g->used += size;
    return p + kHeader;
}

void Free(void* udata, void* ptr)
{
    if (!ptr) return;
    auto* g = static_cast<ScriptHost::Guard*>(udata);
    char* p = static_cast<char*>(ptr) - kHeader;
    g->used -= *reinterpret_cast<size_t*>(p);
    free(p);
}

void* Realloc(void* udata, void* ptr, duk_size_t size)
{
    if (!ptr) return Alloc(udata, size);
    if (!size) {
        Free(udata, ptr);
        return nullptr;
    }
    auto* g = static_cast<ScriptHost::Guard*>(udata);
    char* p = static_cast<char*>(ptr) - kHeader;
    size_t old = *reinterpret_cast<size_t*>(p);
    if (g->used - old + size > ScriptHost::kHeapCap) return nullptr;
    auto* n = static_cast<char*>(realloc(p, size + kHeader));
    if (!n) return nullptr;
    *reinterpret_cast<size_t*>(n) = size;
    g->used = g->used - old + size;
    return n + kHeader;
}

// Duktape ends the process on a fatal error; every call here is protected,
// so only a fault of the engine itself gets here.
void Fatal(void*, const char* msg)
{
    OutputDebugStringA(msg ? msg : "duktape fatal");
    abort();
}

ScriptValue ReadValue(duk_context* ctx, duk_idx_t i)
{
    ScriptValue v;
    switch (duk_get_type(ctx, i)) {
    case DUK_TYPE_NULL: v.type = ScriptValue::Null; break;
    case DUK_TYPE_BOOLEAN: v.type = ScriptValue::Bool; v.number = duk_get_boolean(ctx, i); break;
    case DUK_TYPE_NUMBER: v.type = ScriptValue::Number; v.number = duk_get_number(ctx, i); break;
    case DUK_TYPE_STRING: v.type = ScriptValue::String; v.text = duk_get_string(ctx, i); break;
    case DUK_TYPE_UNDEFINED:
    case DUK_TYPE_NONE: break;
    default:
        v.type = ScriptValue::Object;
        duk_dup(ctx, i);   // coerce a copy: the argument itself stays
        v.text = duk_safe_to_string(ctx, -1);
        duk_pop(ctx);
        break;
    }
    return v;
}

void PushValue(duk_context* ctx, const ScriptValue* v)
{
    if (!v) {
        duk_push_undefined(ctx);
        return;
    }
    switch (v->type) {
    case ScriptValue::Null: duk_push_null(ctx); break;
    case ScriptValue::Bool: duk_push_boolean(ctx, v->number != 0); break;
    case ScriptValue::Number: duk_push_number(ctx, v->number); break;
    case ScriptValue::String:
    case ScriptValue::Object: duk_push_lstring(ctx, v->text.data(), v->text.size()); break;
    default: duk_push_undefined(ctx); break;
    }
}

// The one entry of every bound function; its magic is the binding's index.
duk_ret_t CallBound(duk_context* ctx)
{
    ScriptHost* host = HostOfContext(ctx);
    const BoundFunction* f = host ? host->Bound(duk_get_current_magic(ctx)) : nullptr;
    if (!f) return 0;
    jsExecStateImpl es;
    es.view = host->Site().View();
    duk_idx_t n = duk_get_top(ctx);
    for (duk_idx_t i = 0; i < n; ++i) es.args.push_back(ReadValue(ctx, i));
    host->PauseClock();
    jsValue r = f->withParam ? f->withParam(&es, f->param) : f->plain ? f->plain(&es) : 0;
    host->ResumeClock();
    PushValue(ctx, es.Find(r));
    return 1;
}

} // namespace

ScriptHost* HostOfContext(duk_context* ctx)
{
    duk_push_heap_stash(ctx);
    duk_get_prop_string(ctx, -1, DUK_HIDDEN_SYMBOL("host"));
    auto* h = static_cast<ScriptHost*>(duk_get_pointer(ctx, -1));
    duk_pop_2(ctx);
    return h;
}

ScriptHost::ScriptHost(ScriptSite& site, const std::vector<BoundFunction>& bound) : m_site(site), m_bound(bound)
{
    m_ctx = duk_create_heap(Alloc, Realloc, Free, &m_guard, Fatal);
    if (!m_ctx) return;
    duk_push_heap_stash(m_ctx);
    duk_push_pointer(m_ctx, this);
    duk_put_prop_string(m_ctx, -2, DUK_HIDDEN_SYMBOL("host"));
    duk_pop(m_ctx);
    InstallGlobals();
}

ScriptHost::~ScriptHost()
{
    for (auto& t : m_timers) m_site.CancelTimer(t.first);
    if (m_ctx) duk_destroy_heap(m_ctx);
}

void ScriptHost::InstallGlobals()
{
    InstallDomBindings(m_ctx, this);
    duk_push_global_object(m_ctx);
    for (size_t i = 0; i < m_bound.size(); ++i) {
        duk_push_c_function(m_ctx, CallBound, DUK_VARARGS);
        duk_set_magic(m_ctx, -1, int(i));
        duk_put_prop_string(m_ctx, -2, m_bound[i].name.c_str());
    }
    duk_pop(m_ctx);
}

void ScriptHost::Enter()
{
    if (m_depth++ == 0) m_guard.deadline = GetTickCount64() + kTimeoutMs;
}

void ScriptHost::Leave()
{
    if (--m_depth == 0) m_guard.deadline = 0;
}

void ScriptHost::PauseClock()
{
    unsigned long long now = GetTickCount64();
    m_guard.paused = m_guard.deadline > now ? m_guard.deadline - now : 1;
    m_guard.deadline = 0;
}

void ScriptHost::ResumeClock()
{
    m_guard.deadline = GetTickCount64() + m_guard.paused;
}

bool ScriptHost::Run(const std::string& source, const char* name, std::string* error, ScriptValue* result)
{
    if (!m_ctx) return false;
    Enter();
    duk_push_string(m_ctx, name);
    bool ok = duk_pcompile_lstring_filename(m_ctx, DUK_COMPILE_EVAL, source.data(), source.size()) == 0 &&
        duk_pcall(m_ctx, 0) == DUK_EXEC_SUCCESS;
    if (!ok && error) *error = duk_safe_to_string(m_ctx, -1);
    if (ok && result) *result = ReadValue(m_ctx, -1);
    duk_pop(m_ctx);
    Leave();
    return ok;
}

// Stack: [function this]. Calls it; true unless it returned false.
bool ScriptHost::CallHandler(int)
{
    Enter();
    bool keep = true;
    if (duk_pcall_method(m_ctx, 0) == DUK_EXEC_SUCCESS) keep = !(duk_is_boolean(m_ctx, -1) && !duk_get_boolean(m_ctx, -1));
    duk_pop(m_ctx);
    Leave();
    return keep;
}

bool ScriptHost::Dispatch(DomNode* n, const char* event)
{
    if (!m_ctx) return true;
    std::string prop = std::string("on") + event;
    PushElement(n);
    duk_get_prop_string(m_ctx, -1, prop.c_str());
    if (!duk_is_function(m_ctx, -1)) {
        duk_pop(m_ctx);
        const std::string* code = n->Attr(prop);
        if (!code) {
            duk_pop(m_ctx);
            return true;
        }
        std::string src = "(function(event){" + *code + "\n})";
        duk_push_string(m_ctx, prop.c_str());
        if (duk_pcompile_lstring_filename(m_ctx, DUK_COMPILE_EVAL, src.data(), src.size()) != 0 ||
            duk_pcall(m_ctx, 0) != DUK_EXEC_SUCCESS) {
            duk_pop_2(m_ctx);
            return true;
        }
    }
    duk_swap_top(m_ctx, -2);   // [function element]
    return CallHandler(0);
}

void ScriptHost::RunOnload()
{
    if (!m_ctx) return;
    duk_push_global_object(m_ctx);
    duk_get_prop_string(m_ctx, -1, "onload");
    if (duk_is_function(m_ctx, -1)) {
        duk_swap_top(m_ctx, -2);
        CallHandler(0);
        return;
    }
    duk_pop_2(m_ctx);
}

int ScriptHost::AddTimer(bool repeat, int ms)
{
    int id = m_nextTimer++;
    m_timers[id] = repeat;
    m_site.ScheduleTimer(id, ms < 1 ? 1 : ms);
    return id;
}

void ScriptHost::RemoveTimer(int id)
{
    if (m_timers.erase(id)) m_site.CancelTimer(id);
    duk_push_heap_stash(m_ctx);
    duk_get_prop_string(m_ctx, -1, DUK_HIDDEN_SYMBOL("timers"));
    if (duk_is_object(m_ctx, -1)) duk_del_prop_index(m_ctx, -1, duk_uarridx_t(id));
    duk_pop_2(m_ctx);
}

void ScriptHost::FireTimer(int id)
{
    auto it = m_timers.find(id);
    if (!m_ctx || it == m_timers.end()) return;
    bool repeat = it->second;
    if (!repeat) {
        m_timers.erase(it);
        m_site.CancelTimer(id);
    }
    duk_push_heap_stash(m_ctx);
    duk_get_prop_string(m_ctx, -1, DUK_HIDDEN_SYMBOL("timers"));
    duk_get_prop_index(m_ctx, -1, duk_uarridx_t(id));
    if (!repeat) duk_del_prop_index(m_ctx, -2, duk_uarridx_t(id));
    if (duk_is_function(m_ctx, -1)) {
        duk_push_global_object(m_ctx);
        CallHandler(0);
    } else if (duk_is_string(m_ctx, -1)) {
        std::string src = duk_get_string(m_ctx, -1);
        duk_pop(m_ctx);
        Run(src, "timer");
    } else {
        duk_pop(m_ctx);
    }
    duk_pop_2(m_ctx);
}

} // namespace node
