#pragma once
// Page allocator of one XML document: records and texts are carved from
// 32 KB pages; a page whose every piece has been freed goes back to the heap.
#include "xml/XmlStructs.h"

#include <cstddef>

namespace xmldom {
namespace impl {

struct XmlPage
{
    class XmlMemory* owner;
    XmlPage* prev;
    XmlPage* next;
    size_t capacity;
    size_t busy;
    size_t freed;
    size_t pad; // keeps the data 16-byte aligned

    char* Data() { return reinterpret_cast<char*>(this + 1); }
};

class XmlMemory
{
public:
    static const size_t kPageSize = 32768;
    static const size_t kLargeRequest = 8192;

    XmlMemory() = default;
    XmlMemory(const XmlMemory&) = delete;
    XmlMemory& operator=(const XmlMemory&) = delete;
    ~XmlMemory() { Release(); }

    void* Allocate(size_t size, XmlPage*& page);
    void Deallocate(void* p, size_t size, XmlPage* page);
    void Release();

    XmlNodeRecord* NewNode(unsigned type);
    XmlAttributeRecord* NewAttribute();
    void DeleteAttribute(XmlAttributeRecord* a);
    // A text of chars characters plus its terminator, in page memory.
    wchar_t* NewString(const wchar_t* text, size_t chars);
    static void DeleteString(wchar_t* s);

private:
    XmlPage* NewPage(size_t capacity);
    void Unlink(XmlPage* page);

    XmlPage* m_first = nullptr;
    XmlPage* m_current = nullptr;
};

} // namespace impl
} // namespace xmldom
