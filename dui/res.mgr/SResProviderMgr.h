#pragma once
// The providers of the running application, newest first, and the typed
// loaders the framework calls. The type "file" (any case) means the name is
// a path read straight from disk. All operations hold one re-entrant lock.
#include "dui/core/SCmnMap.h"
#include "dui/core/SCriticalSection.h"
#include "dui/core/SLinkedList.h"
#include "dui/core/SSingleton2.h"
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
    // definition id, that definition is loaded from it (see OnUiDefProvider).
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
    COLORREF GetColor(LPCWSTR text) const { return NamedColors().Get(text); }
    SStringW GetString(LPCWSTR text) const { return NamedStrings().Get(text); }

    static bool IsFileType(LPCWSTR type);

protected:
    // Loads the UI definition `uidefId` from `provider`; the UI-definition
    // layer supplies it. The base knows no UI definitions and does nothing.
    virtual void OnUiDefProvider(IResProvider* provider, LPCWSTR uidefId);
    // The current UI definition's tables; empty ones without a definition.
    virtual const SNamedColor& NamedColors() const { return m_noColors; }
    virtual const SNamedString& NamedStrings() const { return m_noStrings; }

private:
    class Lock;
    void DestroyCursors();

    SLinkedList<IResProvider*> m_providers;   // oldest at the head
    SCmnMap<HCURSOR, SStringW> m_cursors;
    SCriticalSection m_lock;
    SNamedColor m_noColors;
    SNamedString m_noStrings;
};

} // namespace DUI
