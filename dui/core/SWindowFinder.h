#pragma once
// Caches the results of searches for descendants by id or by name. Windows
// are held by SWND, so a destroyed window drops out on its next lookup; any
// unlinking of a child anywhere clears the whole cache. UI thread only.
#include "dui/core/base/SCmnMap.h"
#include "dui/core/base/SSingleton2.h"
#include "dui/core/SWindowMgr.h"

namespace DUI {

struct SFindKey
{
    SWND parent = 0;
    bool byName = false;
    SStringW name;  // empty for a search by id
    int id = 0;     // not used for a search by name
    int depth = -1; // -1: any depth

    uint32_t GetHash() const;
    // The depth takes part only through the hash.
    bool operator==(const SFindKey& other) const;
};

class SWindowFinder : public SSingleton2<SWindowFinder>
{
public:
    SWindow* FindByID(SWND parent, int id, int depth);
    SWindow* FindByName(SWND parent, LPCWSTR name, int depth);
    void CacheByID(SWND parent, int id, int depth, SWND found);
    void CacheByName(SWND parent, LPCWSTR name, int depth, SWND found);
    void Clear() { m_cache.RemoveAll(); }

private:
    SWindow* Find(const SFindKey& key);

    SCmnMap<SWND, SFindKey> m_cache;
};

} // namespace DUI
