#include "dui/res.mgr/SSkinPool.h"

#include "dui/core/base/IObject.h"
#include "dui/core/base/SObjectFactoryMgr.h"
#include "dui/core/base/SDpiScale.h"
#include "dui/res.mgr/SSkinPoolMgr.h"

namespace DUI {

uint32_t SkinKey::GetHash() const
{
    uint32_t h = 0;
    for (int i = 0; i < name.GetLength(); ++i) h = h * 33 + name[i];
    return h * 32 + static_cast<uint32_t>(scale);
}

SSkinPool::SSkinPool() : m_skins(&SSkinPool::ReleaseSkin) {}

void SSkinPool::ReleaseSkin(ISkinObj** skin)
{
    if (*skin) (*skin)->Release();
}

BOOL SSkinPool::AddSkin(const SkinKey& key, ISkinObj* skin)
{
    if (!skin || m_skins.HasKey(key)) return FALSE;
    m_skins.SetAt(key, skin);
    return TRUE;
}

ISkinObj* SSkinPool::Find(const SStringW& name, int scale) const
{
    ISkinObj* skin = nullptr;
    m_skins.Lookup(SkinKey{name, scale}, skin);
    return skin;
}

ISkinObj* SSkinPool::GetSkin(const SStringW& name, int scale)
{
    if (ISkinObj* exact = Find(name, scale)) return exact;
    const int snapped = NormalizeScale(scale);
    if (ISkinObj* nearest = Find(name, snapped)) return nearest;
    for (int i = 0; i < GetScaleCount(); ++i) {
        ISkinObj* source = Find(name, GetScaleLevels()[i]);
        if (!source) continue;
        ISkinObj* copy = source->Scale(snapped);
        if (copy) m_skins.SetAt(SkinKey{name, snapped}, copy);
        return copy;
    }
    return nullptr;
}

int SSkinPool::LoadSkins(xmldom::xml_node section)
{
    if (!section) return 0;
    SSkinPoolMgr* mgr = SSkinPoolMgr::GetInstance();
    if (!mgr) return 0;
    // While loading, skins that name other skins ("group") find earlier ones here.
    mgr->PushSkinPool(this);
    int count = 0;
    for (xmldom::xml_node child = section.first_child(); child; child = child.next_sibling()) {
        if (child.type() != xmldom::node_element) continue;
        const SStringW tag(child.name()), name(child.attribute(L"name").value());
        if (tag.IsEmpty() || name.IsEmpty()) continue;
        ISkinObj* skin = mgr->NewSkinByTag(tag.c_str());
        auto* obj = dynamic_cast<IObject*>(skin);
        if (!obj) {
            if (skin) skin->Release();
            continue;
        }
        obj->ApplyXmlNode(child);
        if (!AddSkin(SkinKey{name, skin->GetScale()}, skin))
            skin->Release();   // the first definition of a name stays
        ++count;
    }
    mgr->PopSkinPool(nullptr);
    return count;
}

} // namespace DUI
