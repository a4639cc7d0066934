#pragma once
// Fonts by description ("face:...,size:14,bold:1") and scale, resolved
// against the current UI definition's default font and cached, so equal
// descriptions share one font object of the render factory.
#include "dui/core/SCmnMap.h"
#include "dui/core/SRefPtr.h"
#include "dui/core/SSingleton2.h"
#include "dui/res.mgr/FontInfo.h"
#include "dui/core/IRender.h"

namespace DUI {

struct SFontKey : FontInfo
{
    uint32_t GetHash() const;
    bool operator==(const SFontKey& other) const;
};

class SFontPool : public SSingleton2<SFontPool>
{
public:
    explicit SFontPool(IPaintFactory* factory);
    ~SFontPool() override;

    // The pool keeps its reference; a caller that keeps the font adds one.
    IFont* GetFont(const SStringW& description, int scale);
    // The key a description resolves to at a scale.
    static SFontKey Resolve(const SStringW& description, int scale);

private:
    static void ReleaseFont(IFont** font);
    IFont* CreateFont(const SFontKey& key) const;

    SRefPtr<IPaintFactory> m_factory;
    SCmnMap<IFont*, SFontKey> m_fonts;
};

// A description and its font for the current scale, as windows keep them.
class SScaledFont
{
public:
    SScaledFont() = default;
    SScaledFont(const SScaledFont&) = delete;
    SScaledFont& operator=(const SScaledFont&) = delete;

    void SetDescription(const SStringW& description, int scale);
    void UpdateFont(int scale);
    IFont* GetFont() const { return m_font.Get(); }
    const SStringW& GetDescription() const { return m_description; }

private:
    SStringW m_description;
    SRefPtr<IFont> m_font;
};

} // namespace DUI
