#include "dui/core/SInterpolators.h"

#include <cmath>
#include <cwchar>

namespace DUI {

namespace {

// One unit in the last place below the float nearest to pi, as the curves
// have always used it.
constexpr float kPi = 3.1415925f;

bool IsOne(float factor)
{
    return std::fabs(static_cast<double>(factor) - 1.0) < 1e-8;
}

} // namespace

float SLinearInterpolator::GetInterpolation(float t) const
{
    return t;
}

float SAccelerateInterpolator::GetInterpolation(float t) const
{
    if (IsOne(m_factor))
        return t * t;
    return static_cast<float>(std::pow(static_cast<double>(t), 2.0 * m_factor));
}

HRESULT SAccelerateInterpolator::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return SetFloatParams({{L"factor", &m_factor}}, name, value, loading);
}

float SDecelerateInterpolator::GetInterpolation(float t) const
{
    const float rest = 1.0f - t;
    if (IsOne(m_factor))
        return 1.0f - rest * rest;
    return static_cast<float>(1.0 - std::pow(static_cast<double>(rest), 2.0 * m_factor));
}

HRESULT SDecelerateInterpolator::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return SetFloatParams({{L"factor", &m_factor}}, name, value, loading);
}

float SAccelerateDecelerateInterpolator::GetInterpolation(float t) const
{
    return std::cos((t + 1.0f) * kPi) * 0.5f + 0.5f;
}

float SAnticipateInterpolator::GetInterpolation(float t) const
{
    return ((m_tension + 1.0f) * t - m_tension) * t * t;
}

HRESULT SAnticipateInterpolator::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return SetFloatParams({{L"tension", &m_tension}}, name, value, loading);
}

float SOvershootInterpolator::GetInterpolation(float t) const
{
    const float u = t - 1.0f;
    return ((m_tension + 1.0f) * u + m_tension) * u * u + 1.0f;
}

HRESULT SOvershootInterpolator::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return SetFloatParams({{L"tension", &m_tension}}, name, value, loading);
}

float SAnticipateOvershootInterpolator::GetInterpolation(float t) const
{
    const float a = m_tension * m_extraTension;
    const float b = 2.0f * t;
    if (t < 0.5f)
        return 0.5f * ((a + 1.0f) * b - a) * b * b;
    const float c = b - 2.0f;
    return 0.5f * (((a + 1.0f) * c + a) * c * c + 2.0f);
}

HRESULT SAnticipateOvershootInterpolator::SetAttribute(const SStringW& name, const SStringW& value,
                                                       BOOL loading)
{
    return SetFloatParams({{L"tension", &m_tension}, {L"extraTension", &m_extraTension}}, name, value,
                          loading);
}

float SBounceInterpolator::GetInterpolation(float t) const
{
    const auto bounce = [](float x) { return x * x * 8.0f; };
    const float b = t * 1.1226f;
    if (b < 0.3535f)
        return bounce(b);
    if (b < 0.7408f)
        return bounce(b - 0.54719f) + 0.7f;
    if (b < 0.9644f)
        return bounce(b - 0.8526f) + 0.9f;
    return bounce(b - 1.0435f) + 0.95f;
}

float SCycleInterpolator::GetInterpolation(float t) const
{
    return std::sin(m_cycles * 2.0f * kPi * t);
}

HRESULT SCycleInterpolator::SetAttribute(const SStringW& name, const SStringW& value, BOOL loading)
{
    return SetFloatParams({{L"cycles", &m_cycles}}, name, value, loading);
}

} // namespace DUI
