#pragma once
// A size with a unit, as layouts, styles and named dimensions hold it. Apart
// from ordinary values it can say "wrap content", "match parent" or "not
// set"; it becomes pixels only at a window's scale.
#include "dui/core/base/SDpiScale.h"

namespace DUI {

class SLayoutSize
{
public:
    enum Unit : int
    {
        px = 0,
        dp = 1,
        dip = 2,
        sp = 3,
    };
    static constexpr float kWrapContent = -1.0f;
    static constexpr float kMatchParent = -2.0f;
    static constexpr float kNotSet = -3.0f;

    // 0 in the default unit.
    SLayoutSize();
    SLayoutSize(float value, Unit unit);
    explicit SLayoutSize(LPCWSTR text);

    // The leading number of the text (as _wtof reads it) in the unit its
    // ending names, else in the default unit. An empty text changes nothing.
    void Parse(LPCWSTR text);
    // Whether Parse reads all of the text: a number and at most a unit.
    static bool IsWellFormed(LPCWSTR text);

    bool IsMatchParent() const { return Equals(kMatchParent); }
    bool IsWrapContent() const { return Equals(kWrapContent); }
    bool IsSet() const { return !Equals(kNotSet); }
    bool IsZero() const { return Equals(0.0f); }
    bool IsValid() const { return m_value >= 0.0f; }

    void SetMatchParent() { m_value = kMatchParent; }
    void SetWrapContent() { m_value = kWrapContent; }
    void SetNotSet() { m_value = kNotSet; }
    void Set(float value, Unit unit);

    float GetValue() const { return m_value; }
    Unit GetUnit() const { return m_unit; }

    // Wrap content and match parent come back as -1 and -2; px is truncated
    // toward zero, every other unit rounded to nearest at the scale.
    int ToPixel(int scale) const;

    // Wrap content, match parent and not set are the same in every unit.
    bool operator==(const SLayoutSize& other) const
    {
        return Equals(other.m_value) && (m_unit == other.m_unit || IsSpecial());
    }

    // Process-wide unit of texts without one; px at start. An unknown name gives px.
    static void SetDefaultUnit(LPCWSTR name);
    static Unit GetDefaultUnit();
    static LPCWSTR GetUnitName(Unit unit);

private:
    bool Equals(float v) const;
    bool IsSpecial() const { return IsWrapContent() || IsMatchParent() || !IsSet(); }

    float m_value = 0.0f;
    Unit m_unit = px;
};

} // namespace DUI
