#pragma once
// The providers of the running application, newest first, and the typed
// loaders the framework calls. The type "file" (any case) means the name is
// a path read straight from disk. All operations hold one re-entrant lock.
#include "dui/core/base/SCmnMap.h"
#include "dui/core/base/SCriticalSection.h"
#include "dui/core/base/SLinkedList.h"
#include "dui/core/base/SSingleton2.h"
#include "dui/res.mgr/IResProvider.h"
#include "dui/res.mgr/SNamedValue.h"

namespace DUI {

class SResProviderMgr : public SSingleton2<SResProviderMgr>
{
public:
    SResProviderMgr();
    virtual ~SResProviderMgr();
    SResProviderMgr(const SResProviderMgr&) = delete;
    SResProviderMgr& operator=(const SResProviderMgr&) = delete;

    // Appends the provider as the newest and adds a reference. With a UI
    // definition id ("uidef:xml_init"), that definition is loaded from it and
    // becomes the current one.
    void AddResProvider(IResProvider* provider, LPCWSTR uidefId = nullptr);
    void RemoveResProvider(IResProvider* provider);
    void RemoveAllResProviders();
    IResProvider* FindResProvider(LPCWSTR type, LPCWSTR name);

    size_t GetRawBufferSize(LPCWSTR type, LPCWSTR name);
    BOOL GetRawBuffer(LPCWSTR type, LPCWSTR name, LPVOID buffer, size_t size);
    IPaintBitmap* LoadImage(LPCWSTR type, LPCWSTR name);
    IPaintBitmap* LoadImageFromText(LPCWSTR text);
    HICON LoadIcon(LPCWSTR name, int cx, int cy, BOOL fromFile);
    HICON LoadIconFromText(LPCWSTR text);
    HCURSOR LoadCursor(LPCWSTR name, BOOL fromFile);

    // Colour and string texts: "@color/" and "@string/" references or
    // literal values, resolved by the current UI definition's tables.
    COLORREF GetColor(LPCWSTR text) const;
    SStringW GetString(LPCWSTR text) const;
    // A dimension text, "@dim/" references resolved (0 in the default unit
    // when not found).
    SLayoutSize GetLayoutDim(LPCWSTR text) const;

    static bool IsFileType(LPCWSTR type);

    // Parses the XML resource into `doc`: from the given provider, else from
    // the newest provider that has it, or from disk for the type "file".
    // FALSE, silently, for a missing or empty resource or a parse error.
    BOOL LoadXmlResource(LPCWSTR name, LPCWSTR type, xmldom::xml_document& doc, IResProvider* provider = nullptr);

private:
    void DestroyCursors();

    SLinkedList<IResProvider*> m_providers;   // oldest at the head
    SCmnMap<HCURSOR, SStringW> m_cursors;
    SCriticalSection m_lock;
    SNamedColor m_noColors;
    SNamedString m_noStrings;
    SNamedDimension m_noDims;
};

// A dimension text or "@dim/" reference, through the application's provider
// manager (or empty tables without one).
SLayoutSize ResolveLayoutDim(LPCWSTR text);
// "@string/" and "@color/" references or literal texts, the same way.
SStringW ResolveNamedString(const SStringW& text);
COLORREF ResolveNamedColor(const SStringW& text);

} // namespace DUI
