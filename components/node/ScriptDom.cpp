// The DOM the page scripts see: document.getElementById, elements with id,
// tagName, value, checked, textContent, innerHTML, style and attributes,
// location.href and the timer functions.
#include "components/node/CssSheet.h"
#include "components/node/DomNode.h"
#include "components/node/HtmlParser.h"
#include "components/node/PageText.h"
#include "components/node/ScriptHost.h"

#include <duktape/duktape.h>

namespace node {

namespace {

ScriptHost* Host(duk_context* ctx)
{
    return HostOfContext(ctx);
}

std::string ArgText(duk_context* ctx, duk_idx_t i)
{
    if (duk_is_undefined(ctx, i) || duk_is_null(ctx, i)) return {};
    return duk_safe_to_string(ctx, i);
}

// The style property named in camel case, as CSS ("backgroundColor" -> "background-color").
std::string CssName(const char* camel)
{
    std::string out;
    for (const char* c = camel; *c; ++c) {
        if (*c >= 'A' && *c <= 'Z') out += std::string("-") + char(*c - 'A' + 'a');
        else out += *c;
    }
    return out;
}

const char* const kStyleProps[] = {"display", "color", "background", "backgroundColor", "width", "height",
    "fontSize", "fontWeight", "border", "margin", "padding", "cursor", "textAlign", "lineHeight", "fontFamily"};

duk_ret_t StyleGet(duk_context* ctx)
{
    DomNode* n = Host(ctx)->ThisElement();
    std::string name = CssName(kStyleProps[duk_get_current_magic(ctx)]);
    std::string out;
    if (n)
        for (const auto& d : CssSheet::ParseDeclarations(n->AttrOr("style")))
            if (d.first == name) out = d.second;
    duk_push_string(ctx, out.c_str());
    return 1;
}

duk_ret_t StyleSet(duk_context* ctx)
{
    ScriptHost* h = Host(ctx);
    DomNode* n = h->ThisElement();
    if (!n) return 0;
    std::string name = CssName(kStyleProps[duk_get_current_magic(ctx)]);
    std::string value = ArgText(ctx, 0);
    std::string out;
    for (const auto& d : CssSheet::ParseDeclarations(n->AttrOr("style")))
        if (d.first != name) out += d.first + ":" + d.second + ";";
    if (!value.empty()) out += name + ":" + value + ";";
    n->SetAttr("style", out);
    h->Site().DomChanged();
    return 0;
}

// The element's style object: accessors that read and write its style attribute.
duk_ret_t GetStyle(duk_context* ctx)
{
    duk_push_this(ctx);
    duk_get_prop_string(ctx, -1, DUK_HIDDEN_SYMBOL("style"));
    if (duk_is_object(ctx, -1)) return 1;
    duk_pop(ctx);
    duk_push_object(ctx);
    duk_get_prop_string(ctx, -2, DUK_HIDDEN_SYMBOL("id"));
    duk_put_prop_string(ctx, -2, DUK_HIDDEN_SYMBOL("id"));
    for (int i = 0; i < int(sizeof(kStyleProps) / sizeof(kStyleProps[0])); ++i) {
        duk_push_string(ctx, kStyleProps[i]);
        duk_push_c_function(ctx, StyleGet, 0);
        duk_set_magic(ctx, -1, i);
        duk_push_c_function(ctx, StyleSet, 1);
        duk_set_magic(ctx, -1, i);
        duk_def_prop(ctx, -4, DUK_DEFPROP_HAVE_GETTER | DUK_DEFPROP_HAVE_SETTER | DUK_DEFPROP_SET_ENUMERABLE);
    }
    duk_dup_top(ctx);
    duk_put_prop_string(ctx, -3, DUK_HIDDEN_SYMBOL("style"));
    return 1;
}

enum Prop { Id, TagName, Value, TextContent, InnerHtml, Checked, Href, ClassName };

void PushProp(duk_context* ctx, DomNode* n, int prop)
{
    switch (prop) {
    case Id: duk_push_string(ctx, n->AttrOr("id").c_str()); break;
    case TagName: {
        std::string t = n->tag;
        for (char& c : t) c = char(toupper(static_cast<unsigned char>(c)));
        duk_push_string(ctx, t.c_str());
        break;
    }
    case Value: duk_push_string(ctx, WideToUtf8(n->value).c_str()); break;
    case TextContent: duk_push_string(ctx, n->TextContent().c_str()); break;
    case InnerHtml: duk_push_string(ctx, n->InnerHtml().c_str()); break;
    case Checked: duk_push_boolean(ctx, n->checked); break;
    case Href: duk_push_string(ctx, n->AttrOr("href").c_str()); break;
    case ClassName: duk_push_string(ctx, n->AttrOr("class").c_str()); break;
    }
}

void SetProp(ScriptHost* h, duk_context* ctx, DomNode* n, int prop)
{
    DomDocument& doc = h->Site().Document();
    std::string v = ArgText(ctx, 0);
    switch (prop) {
    case Id: n->SetAttr("id", v); break;
    case Value: n->value = Utf8ToWide(v); n->caret = n->selAnchor = int(n->value.size()); break;
    case TextContent: {
        std::vector<std::unique_ptr<DomNode>> kids;
        auto t = doc.NewNode(DomNode::Text);
        t->text = PageToUtf8(v, "utf-8");
        kids.push_back(std::move(t));
        doc.ReplaceChildren(n, std::move(kids));
        break;
    }
    case InnerHtml: doc.ReplaceChildren(n, ParseHtmlFragment(PageToUtf8(v, "utf-8"), doc)); break;
    case Checked: n->checked = duk_to_boolean(ctx, 0); break;
    case Href: n->SetAttr("href", v); break;
    case ClassName: n->SetAttr("class", v); break;
    default: return;
    }
    h->Site().DomChanged();
}

duk_ret_t PropGet(duk_context* ctx)
{
    DomNode* n = Host(ctx)->ThisElement();
    if (!n) return 0;
    PushProp(ctx, n, duk_get_current_magic(ctx));
    return 1;
}

duk_ret_t PropSet(duk_context* ctx)
{
    ScriptHost* h = Host(ctx);
    if (DomNode* n = h->ThisElement()) SetProp(h, ctx, n, duk_get_current_magic(ctx));
    return 0;
}

duk_ret_t GetAttribute(duk_context* ctx)
{
    DomNode* n = Host(ctx)->ThisElement();
    const std::string* v = n ? n->Attr(ArgText(ctx, 0)) : nullptr;
    if (v) duk_push_string(ctx, v->c_str());
    else duk_push_null(ctx);
    return 1;
}

duk_ret_t SetAttribute(duk_context* ctx)
{
    ScriptHost* h = Host(ctx);
    if (DomNode* n = h->ThisElement()) {
        std::string name = ArgText(ctx, 0);
        for (char& c : name) c = char(tolower(static_cast<unsigned char>(c)));
        n->SetAttr(name, ArgText(ctx, 1));
        if (name == "value") n->value = Utf8ToWide(ArgText(ctx, 1));
        h->Site().DomChanged();
    }
    return 0;
}

void DefineElementPrototype(duk_context* ctx)
{
    duk_push_object(ctx);
    const char* names[] = {"id", "tagName", "value", "textContent", "innerHTML", "checked", "href", "className"};
    for (int i = 0; i < int(sizeof(names) / sizeof(names[0])); ++i) {
        duk_push_string(ctx, names[i]);
        duk_push_c_function(ctx, PropGet, 0);
        duk_set_magic(ctx, -1, i);
        duk_push_c_function(ctx, PropSet, 1);
        duk_set_magic(ctx, -1, i);
        duk_def_prop(ctx, -4, DUK_DEFPROP_HAVE_GETTER | DUK_DEFPROP_HAVE_SETTER);
    }
    duk_push_string(ctx, "style");
    duk_push_c_function(ctx, GetStyle, 0);
    duk_def_prop(ctx, -3, DUK_DEFPROP_HAVE_GETTER);
    duk_push_c_function(ctx, GetAttribute, 1);
    duk_put_prop_string(ctx, -2, "getAttribute");
    duk_push_c_function(ctx, SetAttribute, 2);
    duk_put_prop_string(ctx, -2, "setAttribute");
    duk_push_heap_stash(ctx);
    duk_swap_top(ctx, -2);
    duk_put_prop_string(ctx, -2, DUK_HIDDEN_SYMBOL("proto"));
    duk_push_object(ctx);
    duk_put_prop_string(ctx, -2, DUK_HIDDEN_SYMBOL("nodes"));
    duk_push_object(ctx);
    duk_put_prop_string(ctx, -2, DUK_HIDDEN_SYMBOL("timers"));
    duk_pop(ctx);
}

duk_ret_t GetElementById(duk_context* ctx)
{
    ScriptHost* h = Host(ctx);
    DomNode* n = h->Site().Document().GetElementById(ArgText(ctx, 0));
    if (n) h->PushElement(n);
    else duk_push_null(ctx);
    return 1;
}

duk_ret_t LocationGet(duk_context* ctx)
{
    duk_push_string(ctx, Host(ctx)->Site().PageUrl().c_str());
    return 1;
}

duk_ret_t LocationSet(duk_context* ctx)
{
    Host(ctx)->Site().NavigateTo(ArgText(ctx, 0));
    return 0;
}

// setTimeout / setInterval (magic 1 repeats).
duk_ret_t SetTimer(duk_context* ctx)
{
    ScriptHost* h = Host(ctx);
    int ms = duk_get_top(ctx) > 1 ? duk_to_int(ctx, 1) : 0;
    int id = h->AddTimer(duk_get_current_magic(ctx) == 1, ms);
    duk_push_heap_stash(ctx);
    duk_get_prop_string(ctx, -1, DUK_HIDDEN_SYMBOL("timers"));
    duk_dup(ctx, 0);
    duk_put_prop_index(ctx, -2, duk_uarridx_t(id));
    duk_push_int(ctx, id);
    return 1;
}

duk_ret_t ClearTimer(duk_context* ctx)
{
    Host(ctx)->RemoveTimer(duk_to_int(ctx, 0));
    return 0;
}

void DefineFunction(duk_context* ctx, const char* name, duk_c_function fn, int nargs, int magic = 0)
{
    duk_push_c_function(ctx, fn, nargs);
    duk_set_magic(ctx, -1, magic);
    duk_put_prop_string(ctx, -2, name);
}

void DefineLocation(duk_context* ctx)
{
    duk_push_object(ctx);
    duk_push_string(ctx, "href");
    duk_push_c_function(ctx, LocationGet, 0);
    duk_push_c_function(ctx, LocationSet, 1);
    duk_def_prop(ctx, -4, DUK_DEFPROP_HAVE_GETTER | DUK_DEFPROP_HAVE_SETTER);
    duk_dup_top(ctx);
    duk_put_prop_string(ctx, -3, "location");
    duk_put_prop_string(ctx, -2, DUK_HIDDEN_SYMBOL("loc"));
}

} // namespace

void ScriptHost::PushElement(DomNode* n)
{
    duk_push_heap_stash(m_ctx);
    duk_get_prop_string(m_ctx, -1, DUK_HIDDEN_SYMBOL("nodes"));
    if (duk_get_prop_index(m_ctx, -1, duk_uarridx_t(n->id))) {
        duk_replace(m_ctx, -3);
        duk_pop(m_ctx);
        return;
    }
    duk_pop(m_ctx);
    duk_push_object(m_ctx);
    duk_get_prop_string(m_ctx, -3, DUK_HIDDEN_SYMBOL("proto"));
    duk_set_prototype(m_ctx, -2);
    duk_push_int(m_ctx, n->id);
    duk_put_prop_string(m_ctx, -2, DUK_HIDDEN_SYMBOL("id"));
    duk_dup_top(m_ctx);
    duk_put_prop_index(m_ctx, -3, duk_uarridx_t(n->id));
    duk_replace(m_ctx, -3);
    duk_pop(m_ctx);
}

// The element `this` stands for; null once it has left the document.
DomNode* ScriptHost::ThisElement()
{
    duk_push_this(m_ctx);
    duk_get_prop_string(m_ctx, -1, DUK_HIDDEN_SYMBOL("id"));
    int id = duk_is_number(m_ctx, -1) ? duk_get_int(m_ctx, -1) : 0;
    duk_pop_2(m_ctx);
    return id ? m_site.Document().FindById(id) : nullptr;
}

void InstallDomBindings(duk_context* ctx, ScriptHost*)
{
    DefineElementPrototype(ctx);
    duk_push_global_object(ctx);
    duk_dup_top(ctx);
    duk_put_prop_string(ctx, -2, "window");
    duk_push_object(ctx);
    DefineFunction(ctx, "getElementById", GetElementById, 1);
    DefineLocation(ctx);
    duk_put_prop_string(ctx, -2, "document");
    duk_get_prop_string(ctx, -1, "document");
    duk_get_prop_string(ctx, -1, "location");
    duk_put_prop_string(ctx, -3, "location");
    duk_pop(ctx);
    DefineFunction(ctx, "setTimeout", SetTimer, DUK_VARARGS, 0);
    DefineFunction(ctx, "setInterval", SetTimer, DUK_VARARGS, 1);
    DefineFunction(ctx, "clearTimeout", ClearTimer, 1);
    DefineFunction(ctx, "clearInterval", ClearTimer, 1);
    duk_pop(ctx);
}

} // namespace node
