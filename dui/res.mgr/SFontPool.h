#pragma once
// Fonts by description ("face:...,size:14,bold:1") and scale, resolved
// against the current UI definition's default font and cached, so equal
// descriptions share one font object of the render factory.
#include "dui/core/base/SCmnMap.h"
#include "dui/core/base/SRefPtr.h"
#include "dui/core/base/SSingleton2.h"
#include "dui/res.mgr/FontInfo.h"
#include "dui/core/base/IRender.h"
#include "dui/res.mgr/ITranslator.h"

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
    // One small surface, kept, on which texts are measured: making a surface
    // for each measurement costs far more than the measuring. NULL without a
    // render factory. Whoever selects into it puts the old object back.
    IPaintSurface* GetMeasureSurface();
    // The application's translator, when it has one: it may replace the face
    // and height of fonts by name for the current language.
    void SetTranslator(ITranslatorMgr* translator) { m_translator = SRefPtr<ITranslatorMgr>::Share(translator); }

private:
    static void ReleaseFont(IFont** font);
    IFont* CreateFont(const SFontKey& key) const;

    SRefPtr<IPaintFactory> m_factory;
    SRefPtr<ITranslatorMgr> m_translator;
    SCmnMap<IFont*, SFontKey> m_fonts;
    SRefPtr<IPaintSurface> m_measureSurface;
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
