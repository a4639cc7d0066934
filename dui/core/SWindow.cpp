#include "dui/core/SWindow.h"

#include <cwchar>
#include <iterator>
#include <vector>

#include "dui/core/AnchorLayout.h"
#include "dui/core/base/DuiLog.h"
#include "dui/res.mgr/SAppTranslator.h"
#include "dui/core/SWindowFinder.h"
#include "dui/res.mgr/ISkinObj.h"

namespace DUI {

SWindow::SWindow()
    : m_swnd(SWindowMgr::GetInstance() ? SWindowMgr::GetInstance()->NewSwnd(this) : 0),
      m_text(this),
      m_toolTip(this)
{
    m_layout = SRefPtr<ILayout>::Adopt(new AnchorLayout());
    m_layoutParam = SRefPtr<ILayoutParam>::Adopt(new AnchorLayoutParam());
    m_layoutParam->SetMatchParent(Both);
    m_maxWidth.SetWrapContent();
    RegisterEvents();
}

SWindow::~SWindow()
{
    if (SWindowMgr* windows = SWindowMgr::GetInstance())
        windows->DestroySwnd(m_swnd);
}

void SWindow::RegisterEvents()
{
    struct Registered
    {
        int id;
        SStringW name;
    };
    // Names made once and shared by every window: a window is cheap to make.
    static const Registered kEvents[] = {
        {EventSwndCreate::EventID, EventSwndCreate::EventName()},
        {EventSwndDestroy::EventID, EventSwndDestroy::EventName()},
        {EventSwndSize::EventID, EventSwndSize::EventName()},
        {EventSwndMouseHover::EventID, EventSwndMouseHover::EventName()},
        {EventSwndMouseLeave::EventID, EventSwndMouseLeave::EventName()},
        {EventSwndStateChanged::EventID, EventSwndStateChanged::EventName()},
        {EventSwndVisibleChanged::EventID, EventSwndVisibleChanged::EventName()},
        {EventSwndUpdateTooltip::EventID, EventSwndUpdateTooltip::EventName()},
        {EventLButtonDown::EventID, EventLButtonDown::EventName()},
        {EventLButtonUp::EventID, EventLButtonUp::EventName()},
        {EventCmd::EventID, EventCmd::EventName()},
        {EventCtxMenu::EventID, EventCtxMenu::EventName()},
        {EventSetFocus::EventID, EventSetFocus::EventName()},
        {EventKillFocus::EventID, EventKillFocus::EventName()},
    };
    m_events.Reserve(std::size(kEvents));
    for (const Registered& e : kEvents)
        m_events.AddEvent(e.id, e.name);
}

ULONG_PTR SWindow::SetUserData(ULONG_PTR data)
{
    const ULONG_PTR old = m_userData;
    m_userData = data;
    return old;
}

SWindow* SWindow::GetRoot() const
{
    const SWindow* w = this;
    while (w->m_parent)
        w = w->m_parent;
    return const_cast<SWindow*>(w);
}

void SWindow::SetContainer(ISwndContainer* container)
{
    m_container = container;
    for (SWindow* child = m_firstChild; child; child = child->m_nextSibling)
        child->SetContainer(container);
}

SWindow* SWindow::GetRelatedWindow(UINT code) const
{
    switch (code) {
    case GSW_FIRSTCHILD: return m_firstChild;
    case GSW_LASTCHILD: return m_lastChild;
    case GSW_PREVSIBLING: return m_prevSibling;
    case GSW_NEXTSIBLING: return m_nextSibling;
    case GSW_PARENT: return m_parent;
    case GSW_OWNER: return m_owner;
    default: return nullptr;
    }
}

SWindow* SWindow::GetNthChild(UINT n) const
{
    if (n == 0)
        return const_cast<SWindow*>(this);
    SWindow* child = m_firstChild;
    for (UINT i = 1; child && i < n; ++i)
        child = child->m_nextSibling;
    return child;
}

void SWindow::InsertChild(SWindow* child, SWindow* after)
{
    if (!child || child->m_parent == this)
        return;
    child->SetContainer(m_container);
    child->m_nextSibling = child->m_prevSibling = nullptr;
    child->m_parent = this;
    LinkChild(child, after);
    ++m_childCount;
    m_layoutDirty = 1;
    InvalidateMeasure();
    AdoptLayoutParam(child);
    child->OnEnable(!IsDisabled(TRUE), 1);
    if (m_container)
        m_container->MarkZorderDirty();
}

void SWindow::LinkChild(SWindow* child, SWindow* after)
{
    if (after == ICWND_FIRST && m_firstChild) {
        child->m_nextSibling = m_firstChild;
        m_firstChild->m_prevSibling = child;
        m_firstChild = child;
        return;
    }
    // An "after" that is no child of ours appends, as the last child does.
    if (!after || after == ICWND_FIRST || after->m_parent != this || after == child)
        after = m_lastChild;
    child->m_prevSibling = after;
    if (after) {
        child->m_nextSibling = after->m_nextSibling;
        after->m_nextSibling = child;
    } else {
        m_firstChild = child;
    }
    if (child->m_nextSibling)
        child->m_nextSibling->m_prevSibling = child;
    else
        m_lastChild = child;
}

void SWindow::AdoptLayoutParam(SWindow* child)
{
    if (!m_layout || m_layout->IsParamAcceptable(child->GetLayoutParam()))
        return;
    SRefPtr<ILayoutParam> fresh = SRefPtr<ILayoutParam>::Adopt(m_layout->CreateLayoutParam());
    child->SetLayoutParam(fresh.Get());
}

BOOL SWindow::RemoveChild(SWindow* child)
{
    if (!child || child->m_parent != this)
        return FALSE;
    (child->m_prevSibling ? child->m_prevSibling->m_nextSibling : m_firstChild) = child->m_nextSibling;
    (child->m_nextSibling ? child->m_nextSibling->m_prevSibling : m_lastChild) = child->m_prevSibling;
    child->m_parent = child->m_prevSibling = child->m_nextSibling = nullptr;
    --m_childCount;
    InvalidateMeasure();
    if (SWindowFinder* finder = SWindowFinder::GetInstance())
        finder->Clear();
    return TRUE;
}

BOOL SWindow::DestroyChild(SWindow* child)
{
    if (!child || child->m_parent != this)
        return FALSE;
    child->InvalidateRect(nullptr);
    child->DeliverSwndMessage(WM_DESTROY);
    RemoveChild(child);
    child->Release();
    return TRUE;
}

BOOL SWindow::Destroy()
{
    if (m_parent)
        return m_parent->DestroyChild(this);
    DeliverSwndMessage(WM_DESTROY);
    Release();
    return TRUE;
}

void SWindow::BringToTop()
{
    SWindow* parent = m_parent;
    if (!parent || parent->m_lastChild == this)
        return;
    // Unlinked by hand: a move within one parent keeps the finder's cache.
    (m_prevSibling ? m_prevSibling->m_nextSibling : parent->m_firstChild) = m_nextSibling;
    m_nextSibling->m_prevSibling = m_prevSibling;
    m_prevSibling = parent->m_lastChild;
    m_nextSibling = nullptr;
    parent->m_lastChild->m_nextSibling = this;
    parent->m_lastChild = this;
    parent->InvalidateMeasure();   // a grid fills its cells in child order
    if (m_container)
        m_container->MarkZorderDirty();
}

namespace {

// The finder's answer when it has one; otherwise the tree search, whose hit
// the finder keeps.
template <class Lookup, class Search, class Store>
SWindow* FindThroughFinder(Lookup lookup, Search search, Store store)
{
    SWindowFinder* finder = SWindowFinder::GetInstance();
    if (finder) {
        if (SWindow* cached = lookup(*finder))
            return cached;
    }
    SWindow* found = search();
    if (found && finder)
        store(*finder, found->GetSwnd());
    return found;
}

} // namespace

SWindow* SWindow::FindChildByID(int id, int depth)
{
    if (id == 0 || depth == 0)
        return nullptr;
    return FindThroughFinder([&](SWindowFinder& f) { return f.FindByID(m_swnd, id, depth); },
                             [&] { return SearchChildByID(id, depth); },
                             [&](SWindowFinder& f, SWND found) { f.CacheByID(m_swnd, id, depth, found); });
}

SWindow* SWindow::FindChildByName(LPCWSTR name, int depth)
{
    if (!name || !*name || depth == 0)
        return nullptr;
    return FindThroughFinder([&](SWindowFinder& f) { return f.FindByName(m_swnd, name, depth); },
                             [&] { return SearchChildByName(name, depth); },
                             [&](SWindowFinder& f, SWND found) { f.CacheByName(m_swnd, name, depth, found); });
}

// Direct children first, then each child's subtree in turn. The walk keeps
// its own stack, so a tree of any depth cannot exhaust the thread's stack.
namespace {

template <class Match>
SWindow* SearchBreadthThenDepth(const SWindow* root, int depth, Match match)
{
    struct Level
    {
        SWindow* next;  // the child whose subtree is searched next
        int depth;      // depth left below the children of this level
    };
    for (SWindow* c = root->GetRelatedWindow(GSW_FIRSTCHILD); c; c = c->GetRelatedWindow(GSW_NEXTSIBLING)) {
        if (match(c))
            return c;
    }
    if (depth == 1)
        return nullptr;
    std::vector<Level> stack{{root->GetRelatedWindow(GSW_FIRSTCHILD), depth == -1 ? -1 : depth - 1}};
    while (!stack.empty()) {
        Level& top = stack.back();
        SWindow* sub = top.next;
        if (!sub) {
            stack.pop_back();
            continue;
        }
        top.next = sub->GetRelatedWindow(GSW_NEXTSIBLING);
        const int left = top.depth;
        for (SWindow* c = sub->GetRelatedWindow(GSW_FIRSTCHILD); c; c = c->GetRelatedWindow(GSW_NEXTSIBLING)) {
            if (match(c))
                return c;
        }
        if (left != 1)
            stack.push_back({sub->GetRelatedWindow(GSW_FIRSTCHILD), left == -1 ? -1 : left - 1});
    }
    return nullptr;
}

} // namespace

SWindow* SWindow::SearchChildByID(int id, int depth) const
{
    return SearchBreadthThenDepth(this, depth, [id](SWindow* w) { return w->GetID() == id; });
}

SWindow* SWindow::SearchChildByName(LPCWSTR name, int depth) const
{
    return SearchBreadthThenDepth(this, depth, [name](SWindow* w) { return std::wcscmp(w->GetName(), name) == 0; });
}

SWindow* SWindow::CheckFound(SWindow* found, LPCWSTR classTag, LPCWSTR name, int id)
{
    if (found && found->IsKindOf(classTag))
        return found;
    if (name) {
        WriteLog("dui\\include\\core\\swnd", 526, "DUI::SWindow::FindChildByName2",
                 L"FindChildByName2 Failed, no window of class [%s] with name of [%s] was found within [%d] levels",
                 classTag, name, -1);
    } else {
        WriteLog("dui\\include\\core\\swnd", 489, "DUI::SWindow::FindChildByID2",
                 L"FindChildByID2 Failed, no window of class [%s] with id of [%d] was found within [%d] levels",
                 classTag, id, -1);
    }
    return nullptr;
}

SStringW SWindow::GetWindowText(BOOL raw) const
{
    return m_text.GetText(raw);
}

void SWindow::SetWindowText(LPCWSTR text)
{
    m_text.SetText(SStringW(text));
    OnContentChanged();
}

SStringW SWindow::GetTrCtx() const
{
    if (!m_trCtx.IsEmpty() || !m_container)
        return m_trCtx;
    return m_container->GetTrCtx();
}

SStringW SWindow::TranslateText(const SStringW& text) const
{
    return DUI::TranslateText(text, GetTrCtx());
}

int SWindow::GetScale() const
{
    return m_container ? m_container->GetScale() : 100;
}

SWindow* SWindow::GetCheckedChildInGroup()
{
    for (SWindow* child = m_firstChild; child; child = child->m_nextSibling) {
        if (child->IsGroupedWithSiblings())
            return child->GetCheckedSiblingInGroup();
    }
    return nullptr;
}

BOOL SWindow::FireEvent(EventArgs& args)
{
    if (m_events.IsMuted())
        return FALSE;
    // A handler may destroy this window; the event set must outlive the loop.
    const SRefPtr<SWindow> keep = SRefPtr<SWindow>::Share(this);
    m_events.FireEvent(args);
    if (!args.bubbleUp)
        return args.handled > 0;
    if (m_owner)
        return m_owner->FireEvent(args);
    return m_container ? m_container->OnFireEvent(&args) : args.handled > 0;
}

} // namespace DUI
