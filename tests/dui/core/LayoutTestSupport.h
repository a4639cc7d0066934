#pragma once
// Plain stand-ins for windows when testing the placing maths of layouts:
// children are parameter objects configured from "name=value;..." texts and
// a measurer that answers fixed content sizes and records the questions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dui/core/ILayout.h"
#include "dui/core/ILayoutMeasurer.h"
#include "dui/core/base/SRefPtr.h"

namespace layouttest {

// Applies "name=value;name=value" (values may hold ',' but not ';').
inline void ApplyAttrs(DUI::IObject* object, const std::wstring& attrs)
{
    size_t start = 0;
    while (start < attrs.size()) {
        size_t end = attrs.find(L';', start);
        if (end == std::wstring::npos) end = attrs.size();
        const std::wstring pair = attrs.substr(start, end - start);
        const size_t eq = pair.find(L'=');
        if (eq != std::wstring::npos)
            object->SetAttribute(DUI::SStringW(pair.substr(0, eq).c_str()), DUI::SStringW(pair.substr(eq + 1).c_str()),
                                 TRUE);
        start = end + 1;
    }
}

// The content size most test children have.
const SIZE kContent = {30, 20};

struct Asked
{
    int width, height;
};

// Content of a fixed size; a fixed main size (MeasureChildFixed) keeps the
// content's area, as wrapped text does: the cross size grows as the main
// size shrinks.
class FakeMeasurer : public DUI::ILayoutMeasurer
{
public:
    explicit FakeMeasurer(std::vector<SIZE> content) : m_content(std::move(content)) {}

    SIZE MeasureChild(size_t index, int width, int height) override
    {
        asked.push_back({width, height});
        return m_content.at(index);
    }

    SIZE MeasureChildFixed(size_t index, int orientation, int mainPixels, bool crossWrap) override
    {
        fixed.push_back({orientation == DUI::Horz ? mainPixels : -1, orientation == DUI::Vert ? mainPixels : -1});
        const SIZE c = m_content.at(index);
        const LONG area = c.cx * c.cy;
        const LONG cross = mainPixels > 0 ? (area + mainPixels - 1) / mainPixels : 0;
        return orientation == DUI::Horz ? SIZE{mainPixels, cross} : SIZE{cross, mainPixels};
    }

    std::vector<Asked> asked;
    std::vector<Asked> fixed;

private:
    std::vector<SIZE> m_content;
};

// One child of a test layout: its parameter attributes, the size its
// content measures, and its id.
struct ChildSpec
{
    const wchar_t* attrs;
    SIZE content;
    int id = 0;
};

// The children's parameter objects of one layout kind, and their measurer.
template <class Param>
class ParamSet
{
public:
    explicit ParamSet(const std::vector<ChildSpec>& specs) : measurer(Contents(specs))
    {
        for (const ChildSpec& s : specs) {
            params.push_back(DUI::SRefPtr<Param>::Adopt(new Param()));
            ApplyAttrs(params.back().Get(), s.attrs);
        }
    }

    std::vector<DUI::SRefPtr<Param>> params;
    FakeMeasurer measurer;

private:
    static std::vector<SIZE> Contents(const std::vector<ChildSpec>& specs)
    {
        std::vector<SIZE> content;
        for (const ChildSpec& s : specs) content.push_back(s.content);
        return content;
    }
};

inline std::string ToString(const RECT& rc)
{
    return "(" + std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom) + ")";
}

inline void ExpectRect(const RECT& got, const RECT& want)
{
    EXPECT_EQ(ToString(got), ToString(want));
}

} // namespace layouttest
