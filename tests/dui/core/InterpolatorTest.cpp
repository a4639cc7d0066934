#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "dui/core/SInterpolators.h"

using namespace DUI;

namespace {

struct Released
{
    void operator()(IInterpolator* p) const { p->Release(); }
};
using InterpolatorPtr = std::unique_ptr<IInterpolator, Released>;

template <class T>
InterpolatorPtr Make()
{
    return InterpolatorPtr(new T());
}

// Reference curves written from the formulas in double precision.
const double kPi = 3.14159265358979;

double Bounce(double t)
{
    const double b = t * 1.1226;
    if (b < 0.3535) return 8 * b * b;
    if (b < 0.7408) return 8 * (b - 0.54719) * (b - 0.54719) + 0.7;
    if (b < 0.9644) return 8 * (b - 0.8526) * (b - 0.8526) + 0.9;
    return 8 * (b - 1.0435) * (b - 1.0435) + 0.95;
}

double AnticipateOvershoot(double t, double tension, double extra)
{
    const double a = tension * extra, b = 2 * t;
    if (t < 0.5) return 0.5 * ((a + 1) * b - a) * b * b;
    return 0.5 * (((a + 1) * (b - 2) + a) * (b - 2) * (b - 2) + 2);
}

struct CurveCase
{
    const char* name;
    std::function<InterpolatorPtr()> make;
    const wchar_t* attr;  // optional attribute to set first
    const wchar_t* value;
    std::function<double(double)> formula;
};

} // namespace

TEST(Interpolator, CurvesFollowTheirFormulas)
{
    const CurveCase cases[] = {
        {"linear", Make<SLinearInterpolator>, nullptr, nullptr, [](double t) { return t; }},
        {"accelerate", Make<SAccelerateInterpolator>, nullptr, nullptr, [](double t) { return t * t; }},
        {"accelerate factor 1.5", Make<SAccelerateInterpolator>, L"factor", L"1.5",
         [](double t) { return std::pow(t, 3.0); }},
        {"decelerate", Make<SDecelerateInterpolator>, nullptr, nullptr,
         [](double t) { return 1 - (1 - t) * (1 - t); }},
        {"decelerate factor 2", Make<SDecelerateInterpolator>, L"FACTOR", L"2",
         [](double t) { return 1 - std::pow(1 - t, 4.0); }},
        {"accelerate-decelerate", Make<SAccelerateDecelerateInterpolator>, nullptr, nullptr,
         [](double t) { return std::cos((t + 1) * kPi) * 0.5 + 0.5; }},
        {"anticipate", Make<SAnticipateInterpolator>, nullptr, nullptr,
         [](double t) { return (3 * t - 2) * t * t; }},
        {"anticipate tension 4", Make<SAnticipateInterpolator>, L"tension", L"4",
         [](double t) { return (5 * t - 4) * t * t; }},
        {"overshoot", Make<SOvershootInterpolator>, nullptr, nullptr,
         [](double t) { double u = t - 1; return (3 * u + 2) * u * u + 1; }},
        {"anticipate-overshoot", Make<SAnticipateOvershootInterpolator>, nullptr, nullptr,
         [](double t) { return AnticipateOvershoot(t, 2, 1.5); }},
        {"anticipate-overshoot extra 2", Make<SAnticipateOvershootInterpolator>, L"extraTension", L"2",
         [](double t) { return AnticipateOvershoot(t, 2, 2); }},
        {"bounce", Make<SBounceInterpolator>, nullptr, nullptr, Bounce},
        {"cycle", Make<SCycleInterpolator>, nullptr, nullptr, [](double t) { return std::sin(2 * kPi * t); }},
        {"cycle 3", Make<SCycleInterpolator>, L"cycles", L"3",
         [](double t) { return std::sin(3 * 2 * kPi * t); }},
    };
    const double points[] = {0.0, 0.1, 0.25, 0.3, 0.5, 0.6, 0.7, 0.8, 0.9, 0.95, 1.0};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InterpolatorPtr curve = c.make();
        if (c.attr) {
            EXPECT_EQ(curve->SetAttribute(c.attr, c.value, FALSE), S_FALSE);
        }
        for (double t : points) {
            SCOPED_TRACE(t);
            EXPECT_NEAR(curve->GetInterpolation(static_cast<float>(t)), c.formula(t), 2e-5);
        }
    }
}

TEST(Interpolator, KnownValues)
{
    struct Case { const char* name; InterpolatorPtr curve; float t; float want; };
    Case cases[] = {
        {"linear outside range", Make<SLinearInterpolator>(), -0.5f, -0.5f},
        {"linear beyond 1", Make<SLinearInterpolator>(), 2.5f, 2.5f},
        {"accelerate half", Make<SAccelerateInterpolator>(), 0.5f, 0.25f},
        {"decelerate half", Make<SDecelerateInterpolator>(), 0.5f, 0.75f},
        {"accel-decel start", Make<SAccelerateDecelerateInterpolator>(), 0.0f, 0.0f},
        {"accel-decel middle", Make<SAccelerateDecelerateInterpolator>(), 0.5f, 0.5f},
        {"accel-decel end", Make<SAccelerateDecelerateInterpolator>(), 1.0f, 1.0f},
        {"anticipate dips", Make<SAnticipateInterpolator>(), 0.5f, -0.125f},
        {"anticipate end", Make<SAnticipateInterpolator>(), 1.0f, 1.0f},
        {"overshoot end", Make<SOvershootInterpolator>(), 1.0f, 1.0f},
        {"bounce end", Make<SBounceInterpolator>(), 1.0f, 8.0f * (1.1226f - 1.0435f) * (1.1226f - 1.0435f) + 0.95f},
        {"cycle start", Make<SCycleInterpolator>(), 0.0f, 0.0f},
        {"cycle quarter", Make<SCycleInterpolator>(), 0.25f, 1.0f},
        {"cycle half", Make<SCycleInterpolator>(), 0.5f, 0.0f},
        {"cycle end", Make<SCycleInterpolator>(), 1.0f, 0.0f},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_NEAR(c.curve->GetInterpolation(c.t), c.want, 1e-6);
    }
}

TEST(Interpolator, OvershootPassesOneBeforeTheEnd)
{
    // Made on the heap: the last Release deletes the object.
    InterpolatorPtr curve = Make<SOvershootInterpolator>();
    float peak = 0;
    for (int i = 0; i < 100; ++i)
        peak = std::max(peak, curve->GetInterpolation(i / 100.0f));
    EXPECT_GT(peak, 1.0f);
    EXPECT_FLOAT_EQ(curve->GetInterpolation(1.0f), 1.0f);
}

TEST(Interpolator, FactorChangesTheCurveAtOnce)
{
    InterpolatorPtr curve = Make<SAccelerateInterpolator>();
    EXPECT_FLOAT_EQ(curve->GetInterpolation(0.5f), 0.25f);
    EXPECT_EQ(curve->SetAttribute(L"factor", L"2", FALSE), S_FALSE);
    EXPECT_FLOAT_EQ(curve->GetInterpolation(0.5f), 0.0625f);
}

TEST(Interpolator, AttributesOutsideTheClassAreRefused)
{
    struct Case { const char* name; InterpolatorPtr curve; const wchar_t* attr; const wchar_t* value; HRESULT want; float t; float curveAt; };
    Case cases[] = {
        {"linear has no factor", Make<SLinearInterpolator>(), L"factor", L"2", E_FAIL, 0.5f, 0.5f},
        {"tension is not accelerate's", Make<SAccelerateInterpolator>(), L"tension", L"2", E_FAIL, 0.5f, 0.25f},
        {"cycle has no factor", Make<SCycleInterpolator>(), L"factor", L"2", E_FAIL, 0.25f, 1.0f},
        {"not a number keeps the factor", Make<SAccelerateInterpolator>(), L"factor", L"fast", E_INVALIDARG, 0.5f, 0.25f},
        {"empty tension keeps it", Make<SAnticipateInterpolator>(), L"tension", L"", E_INVALIDARG, 0.5f, -0.125f},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.curve->SetAttribute(c.attr, c.value, FALSE), c.want);
        EXPECT_NEAR(c.curve->GetInterpolation(c.t), c.curveAt, 1e-6);
    }
}

TEST(Interpolator, TagsAndKinds)
{
    struct Case { InterpolatorPtr curve; const wchar_t* tag; };
    Case cases[] = {
        {Make<SLinearInterpolator>(), L"Linear"},
        {Make<SAccelerateInterpolator>(), L"Accelerate"},
        {Make<SDecelerateInterpolator>(), L"Decelerate"},
        {Make<SAccelerateDecelerateInterpolator>(), L"AccelerateDecelerate"},
        {Make<SAnticipateInterpolator>(), L"Anticipate"},
        {Make<SAnticipateOvershootInterpolator>(), L"AnticipateOvershoot"},
        {Make<SBounceInterpolator>(), L"Bounce"},
        {Make<SCycleInterpolator>(), L"Cycle"},
        {Make<SOvershootInterpolator>(), L"Overshoot"},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.tag)));
        EXPECT_STREQ(c.curve->GetClassTag(), c.tag);
        EXPECT_EQ(c.curve->GetObjectKind(), 4);
        EXPECT_TRUE(c.curve->IsKindOf(c.tag));
        EXPECT_TRUE(c.curve->IsKindOf(L"interpolator_base"));
        EXPECT_FALSE(c.curve->IsKindOf(L"object"));
        EXPECT_FALSE(c.curve->IsKindOf(L"linear"));  // tags compare exactly
    }
}
