#pragma once
// Default implementation of every IObject operation. A class that takes
// attributes overrides SetAttribute with its own table and passes names it
// does not know to its base; at this root they end in OnUnhandledAttribute.
#include <cwchar>
#include "dui/core/base/IObject.h"
#include "xml/xmldom.h"

namespace DUI {

template <class T>
class SObjectImpl : public T
{
public:
    // The base name every family root reports for its parent; no factory
    // is ever registered under it.
    static LPCWSTR GetClassTagStatic() { return L"object"; }

    BOOL IsKindOf(LPCWSTR) const override { return FALSE; }
    LPCWSTR GetClassTag() const override { return nullptr; }
    int GetObjectKind() const override { return Undef_Kind; }

    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override
    {
        return this->OnUnhandledAttribute(name, value, loading);
    }

    HRESULT SetAttributeA(const SStringA& name, const SStringA& value, BOOL loading) override
    {
        return this->SetAttribute(StringA2W(name, CP_ACP), StringA2W(value, CP_ACP), loading);
    }

    HRESULT SetAttributeRawA(LPCSTR name, LPCSTR value, BOOL loading) override
    {
        return this->SetAttributeA(SStringA(name), SStringA(value), loading);
    }

    HRESULT AfterSetAttribute(const SStringW&, const SStringW&, BOOL, HRESULT result) override
    {
        return result;
    }

    int GetID() const override { return 0; }
    LPCWSTR GetName() const override { return nullptr; }

    BOOL ApplyXmlNode(xmldom::xml_node element) override
    {
        if (!element)
            return FALSE;
        for (xmldom::xml_attribute attr = element.first_attribute(); attr; attr = attr.next_attribute()) {
            if (attr.skip_mark() != 0)
                continue;
            this->SetAttribute(SStringW(attr.name()), SStringW(attr.value()), TRUE);
        }
        this->OnInitFinished(element);
        return TRUE;
    }

    HRESULT OnUnhandledAttribute(const SStringW&, const SStringW&, BOOL) override { return E_FAIL; }
    void OnInitFinished(xmldom::xml_node) override {}
    SStringW GetAttribute(const SStringW&) const override { return SStringW(); }
};

} // namespace DUI

// Declares the class tag, kind and base chain of a framework class. The base
// must itself declare its tag (or be SObjectImpl, whose tag is "object").
#define DUI_CLASS_NAME(ThisClass, BaseClass, tag, kind)                                  \
public:                                                                                  \
    static LPCWSTR GetClassTagStatic() { return tag; }                                  \
    static LPCWSTR GetBaseTagStatic() { return BaseClass::GetClassTagStatic(); }        \
    static int GetObjectKindStatic() { return kind; }                                   \
    LPCWSTR GetClassTag() const override { return tag; }                                \
    int GetObjectKind() const override { return kind; }                                 \
    BOOL IsKindOf(LPCWSTR other) const override                                         \
    {                                                                                    \
        return (other && std::wcscmp(other, tag) == 0) || BaseClass::IsKindOf(other);   \
    }
