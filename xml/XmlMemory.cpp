#include "xml/XmlMemory.h"

#include "xml/MemWrapper.h"

#include <cstring>
#include <new>

namespace xmldom {
namespace impl {

namespace {

size_t AlignUp(size_t n)
{
    return (n + 15) & ~static_cast<size_t>(15);
}

// Texts set after parsing remember their page and size just before them.
struct StringHeader
{
    XmlPage* page;
    size_t size;
};

} // namespace

XmlPage* XmlMemory::NewPage(size_t capacity)
{
    auto* page = static_cast<XmlPage*>(DUI::MemMalloc(sizeof(XmlPage) + capacity));
    if (!page)
        return nullptr;
    page->owner = this;
    page->prev = page->next = nullptr;
    page->capacity = capacity;
    page->busy = page->freed = 0;
    return page;
}

void* XmlMemory::Allocate(size_t size, XmlPage*& page)
{
    size = AlignUp(size);
    if (m_current && m_current->busy + size <= m_current->capacity) {
        page = m_current;
    } else {
        bool large = size > kLargeRequest;
        page = NewPage(large ? size : kPageSize - sizeof(XmlPage));
        if (!page)
            return nullptr;
        // A large request gets a page of its own and leaves the current one in use.
        if (!m_current) {
            m_first = m_current = page;
        } else if (large) {
            page->next = m_current;
            page->prev = m_current->prev;
            if (m_current->prev)
                m_current->prev->next = page;
            else
                m_first = page;
            m_current->prev = page;
        } else {
            page->prev = m_current;
            page->next = m_current->next;
            if (m_current->next)
                m_current->next->prev = page;
            m_current->next = page;
            m_current = page;
        }
    }
    void* p = page->Data() + page->busy;
    page->busy += size;
    return p;
}

void XmlMemory::Deallocate(void*, size_t size, XmlPage* page)
{
    page->freed += AlignUp(size);
    if (page->freed < page->busy)
        return;
    if (page == m_current) {
        page->busy = page->freed = 0; // reused in place
        return;
    }
    Unlink(page);
    DUI::MemFree(page);
}

void XmlMemory::Unlink(XmlPage* page)
{
    if (page->prev)
        page->prev->next = page->next;
    else
        m_first = page->next;
    if (page->next)
        page->next->prev = page->prev;
}

void XmlMemory::Release()
{
    for (XmlPage* p = m_first; p;) {
        XmlPage* next = p->next;
        DUI::MemFree(p);
        p = next;
    }
    m_first = m_current = nullptr;
}

XmlNodeRecord* XmlMemory::NewNode(unsigned type)
{
    XmlPage* page;
    void* p = Allocate(sizeof(XmlNodeRecord), page);
    if (!p)
        return nullptr;
    auto* n = static_cast<XmlNodeRecord*>(p);
    std::memset(n, 0, sizeof(*n));
    n->page = page;
    n->type = type;
    return n;
}

XmlAttributeRecord* XmlMemory::NewAttribute()
{
    XmlPage* page;
    void* p = Allocate(sizeof(XmlAttributeRecord), page);
    if (!p)
        return nullptr;
    auto* a = static_cast<XmlAttributeRecord*>(p);
    std::memset(a, 0, sizeof(*a));
    a->page = page;
    return a;
}

void XmlMemory::DeleteAttribute(XmlAttributeRecord* a)
{
    if (a->flags & kNameAllocated)
        DeleteString(a->name);
    if (a->flags & kValueAllocated)
        DeleteString(a->value);
    Deallocate(a, sizeof(*a), a->page);
}

wchar_t* XmlMemory::NewString(const wchar_t* text, size_t chars)
{
    size_t size = sizeof(StringHeader) + (chars + 1) * sizeof(wchar_t);
    XmlPage* page;
    void* p = Allocate(size, page);
    if (!p)
        return nullptr;
    auto* header = static_cast<StringHeader*>(p);
    header->page = page;
    header->size = size;
    auto* s = reinterpret_cast<wchar_t*>(header + 1);
    if (chars)
        std::memcpy(s, text, chars * sizeof(wchar_t));
    s[chars] = 0;
    return s;
}

void XmlMemory::DeleteString(wchar_t* s)
{
    auto* header = reinterpret_cast<StringHeader*>(s) - 1;
    header->page->owner->Deallocate(header, header->size, header->page);
}

} // namespace impl
} // namespace xmldom
