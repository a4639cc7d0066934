#pragma once
// Small framework classes for the object-model tests: they record every
// attribute they are given, in order, so tests can see what reached them.
#include <string>
#include <vector>

#include "dui/core/base/SObjectImpl.h"

namespace testobj {

using namespace DUI;

class Recorder : public SObjectImpl<IObject>
{
public:
    std::vector<std::wstring> applied;  // "name=value" in arrival order
    std::vector<std::wstring> after;    // names seen by AfterSetAttribute
    int initFinished = 0;

    HRESULT AfterSetAttribute(const SStringW& name, const SStringW& value, BOOL loading,
                              HRESULT result) override
    {
        after.push_back(std::wstring(name.c_str()));
        return SObjectImpl<IObject>::AfterSetAttribute(name, value, loading, result);
    }
    void OnInitFinished(xmldom::xml_node) override { ++initFinished; }

    SStringW GetAttribute(const SStringW& name) const override
    {
        const std::wstring prefix = std::wstring(name.c_str()) + L"=";
        for (auto it = applied.rbegin(); it != applied.rend(); ++it) {
            if (it->compare(0, prefix.size(), prefix) == 0)
                return SStringW(it->c_str() + prefix.size());
        }
        return SStringW();
    }

protected:
    HRESULT Take(const SStringW& name, const SStringW& value, BOOL loading, HRESULT result)
    {
        applied.push_back(std::wstring(name.c_str()) + L"=" + value.c_str());
        return AfterSetAttribute(name, value, loading, result);
    }
};

// A window-like root that keeps every attribute, as a window's attribute
// store does for names it has no handler for.
class TWindow : public Recorder
{
    DUI_CLASS_NAME(TWindow, SObjectImpl<IObject>, L"window", Window_Kind)
public:
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override
    {
        return Take(name, value, loading, S_FALSE);
    }
};

#define TEST_WINDOW_CLASS(Name, Base, tag) \
    class Name : public Base               \
    {                                      \
        DUI_CLASS_NAME(Name, Base, tag, Window_Kind) \
    };

TEST_WINDOW_CLASS(TPanel, TWindow, L"div")
TEST_WINDOW_CLASS(TText, TWindow, L"text")
TEST_WINDOW_CLASS(TButton, TWindow, L"button")
TEST_WINDOW_CLASS(TImageButton, TButton, L"imgbtn")
TEST_WINDOW_CLASS(TRichEdit, TPanel, L"richedit")
TEST_WINDOW_CLASS(TEdit, TRichEdit, L"edit")
TEST_WINDOW_CLASS(TSpinButton, TEdit, L"spinButton")

// The combo boxes derive from a base that has no factory of its own.
class TComboBase : public TWindow
{
public:
    static LPCWSTR GetClassTagStatic() { return L"combobase"; }
};
TEST_WINDOW_CLASS(TComboBox, TComboBase, L"combobox")

// A skin under the same tag as a window class; kinds keep them apart.
class TSkinButton : public Recorder
{
    DUI_CLASS_NAME(TSkinButton, SObjectImpl<IObject>, L"button", Skin_Kind)
};

} // namespace testobj
