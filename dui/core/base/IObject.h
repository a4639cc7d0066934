#pragma once
// The common shape of everything the framework builds from XML: a class tag
// (also the XML element name), a kind, and attributes given as text pairs.
#include <winsock2.h>
#include <windows.h>
#include "dui/core/base/TStringT.h"

namespace xmldom { class xml_node; }

namespace DUI {

// Kinds of the objects the factories make; -1 for every other object.
enum ObjectKind : int
{
    Undef_Kind = -1,
    Window_Kind = 1,
    Skin_Kind = 2,
    Layout_Kind = 3,
    Interpolator_Kind = 4,
};

// Flag bits a window adds to a non-negative attribute result.
constexpr HRESULT kAttrFromStyle = 0x10000;
constexpr HRESULT kAttrFromLayout = 0x20000;
constexpr HRESULT kAttrFromLayoutParam = 0x40000;

struct IObject
{
    virtual ~IObject() = default;
    virtual BOOL IsKindOf(LPCWSTR tag) const = 0;
    virtual LPCWSTR GetClassTag() const = 0;
    virtual int GetObjectKind() const = 0;
    virtual HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) = 0;
    virtual HRESULT SetAttributeA(const SStringA& name, const SStringA& value, BOOL loading) = 0;
    virtual HRESULT SetAttributeRawA(LPCSTR name, LPCSTR value, BOOL loading) = 0;
    virtual HRESULT AfterSetAttribute(const SStringW& name, const SStringW& value, BOOL loading,
                                      HRESULT result) = 0;
    virtual int GetID() const = 0;
    virtual LPCWSTR GetName() const = 0;
    virtual BOOL ApplyXmlNode(xmldom::xml_node element) = 0;
    virtual HRESULT OnUnhandledAttribute(const SStringW& name, const SStringW& value, BOOL loading) = 0;
    virtual void OnInitFinished(xmldom::xml_node element) = 0;
    virtual SStringW GetAttribute(const SStringW& name) const = 0;
};

} // namespace DUI
