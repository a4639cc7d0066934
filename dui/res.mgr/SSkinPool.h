#pragma once
// The skins of one "skin" section by (name, scale). A skin asked for at a
// scale it was not defined for is copied from the nearest defined scale and
// cached; the pool owns one reference of every skin in it.
#include "dui/core/base/SCmnMap.h"
#include "dui/core/base/TObjRefImpl.h"
#include "dui/res.mgr/ISkinObj.h"
#include "xml/xmldom.h"

namespace DUI {

struct SkinKey
{
    SStringW name;
    int scale = 100;

    uint32_t GetHash() const;
    bool operator==(const SkinKey& other) const { return scale == other.scale && name.Compare(other.name.c_str()) == 0; }
};

class SSkinPool : public TObjRefImpl<IObjRef>
{
public:
    SSkinPool();

    // Creates the skins of the section's children; returns how many.
    int LoadSkins(xmldom::xml_node section);
    // The pool keeps its reference; a caller that keeps the skin adds one.
    ISkinObj* GetSkin(const SStringW& name, int scale);
    // FALSE when the key is present already; the pool adopts the caller's reference otherwise.
    BOOL AddSkin(const SkinKey& key, ISkinObj* skin);

private:
    static void ReleaseSkin(ISkinObj** skin);
    ISkinObj* Find(const SStringW& name, int scale) const;

    SCmnMap<ISkinObj*, SkinKey> m_skins;
};

} // namespace DUI
