#include "dui/core/SWindowFinder.h"

#include <cwchar>

namespace DUI {

namespace {

SFindKey KeyByID(SWND parent, int id, int depth)
{
    SFindKey key;
    key.parent = parent;
    key.id = id;
    key.depth = depth;
    return key;
}

SFindKey KeyByName(SWND parent, LPCWSTR name, int depth)
{
    SFindKey key;
    key.parent = parent;
    key.byName = true;
    key.name = name;
    key.depth = depth;
    return key;
}

} // namespace

uint32_t SFindKey::GetHash() const
{
    uint32_t h = 0;
    if (byName) {
        for (LPCWSTR p = name; *p; ++p)
            h = h * 33 + static_cast<WCHAR>(*p);
    } else {
        h = static_cast<uint32_t>(id) << 16;
    }
    const uint32_t flags = (static_cast<uint32_t>(byName) << 7) | (static_cast<uint32_t>(depth) & 0x7F);
    return h + ((parent & 0xFFFFFF) | (flags << 24));
}

bool SFindKey::operator==(const SFindKey& other) const
{
    if (GetHash() != other.GetHash() || byName != other.byName || parent != other.parent)
        return false;
    return byName ? std::wcscmp(name, other.name) == 0 : id == other.id;
}

SWindow* SWindowFinder::Find(const SFindKey& key)
{
    SWND swnd = 0;
    if (!m_cache.Lookup(key, swnd))
        return nullptr;
    SWindowMgr* windows = SWindowMgr::GetInstance();
    SWindow* window = windows ? windows->GetWindow(swnd) : nullptr;
    if (!window)
        m_cache.RemoveKey(key);
    return window;
}

SWindow* SWindowFinder::FindByID(SWND parent, int id, int depth)
{
    return Find(KeyByID(parent, id, depth));
}

SWindow* SWindowFinder::FindByName(SWND parent, LPCWSTR name, int depth)
{
    return Find(KeyByName(parent, name, depth));
}

void SWindowFinder::CacheByID(SWND parent, int id, int depth, SWND found)
{
    m_cache.SetAt(KeyByID(parent, id, depth), found);
}

void SWindowFinder::CacheByName(SWND parent, LPCWSTR name, int depth, SWND found)
{
    m_cache.SetAt(KeyByName(parent, name, depth), found);
}

} // namespace DUI
