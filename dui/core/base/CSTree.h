#pragma once
// A tree of values with links to the parent, the first and last child and
// both siblings. Nodes are reached through handles; every node is freed
// when the tree is emptied or destroyed.
#include <utility>

namespace DUI {

template <class T>
class CSTree
{
public:
    struct Node
    {
        T data;
        Node* parent = nullptr;
        Node* firstChild = nullptr;
        Node* lastChild = nullptr;
        Node* prev = nullptr;
        Node* next = nullptr;
    };
    using Handle = Node*;

    CSTree() = default;
    CSTree(const CSTree&) = delete;
    CSTree& operator=(const CSTree&) = delete;
    ~CSTree() { DeleteAllItems(); }

    // As the last child of `parent`; null puts it at the top level.
    Handle InsertItem(T data, Handle parent = nullptr)
    {
        auto* n = new Node{std::move(data)};
        n->parent = parent;
        Handle& first = parent ? parent->firstChild : m_first;
        Handle& last = parent ? parent->lastChild : m_last;
        n->prev = last;
        if (last)
            last->next = n;
        else
            first = n;
        last = n;
        return n;
    }

    // Iterative, so a deep tree cannot exhaust the stack.
    void DeleteAllItems()
    {
        Node* n = m_first;
        while (n) {
            if (n->firstChild) {
                n = std::exchange(n->firstChild, nullptr);
                continue;
            }
            Node* up = n->next ? n->next : n->parent;
            delete n;
            n = up;
        }
        m_first = m_last = nullptr;
    }

    Handle GetRootItem() const { return m_first; }
    static Handle GetParentItem(Handle h) { return h->parent; }
    static Handle GetChildItem(Handle h) { return h->firstChild; }
    static Handle GetLastChildItem(Handle h) { return h->lastChild; }
    static Handle GetNextSiblingItem(Handle h) { return h->next; }
    static Handle GetPrevSiblingItem(Handle h) { return h->prev; }
    static T& GetItem(Handle h) { return h->data; }

private:
    Node* m_first = nullptr;
    Node* m_last = nullptr;
};

} // namespace DUI
