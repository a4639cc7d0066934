#pragma once
// The nine built-in animation curves.
#include "dui/core/SInterpolatorBase.h"

namespace DUI {

class SLinearInterpolator : public SInterpolatorBase
{
    DUI_CLASS_NAME(SLinearInterpolator, SInterpolatorBase, L"Linear", Interpolator_Kind)
public:
    float GetInterpolation(float t) const override;
};

class SAccelerateInterpolator : public SInterpolatorBase
{
    DUI_CLASS_NAME(SAccelerateInterpolator, SInterpolatorBase, L"Accelerate", Interpolator_Kind)
public:
    float GetInterpolation(float t) const override;
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;

private:
    float m_factor = 1.0f;
};

class SDecelerateInterpolator : public SInterpolatorBase
{
    DUI_CLASS_NAME(SDecelerateInterpolator, SInterpolatorBase, L"Decelerate", Interpolator_Kind)
public:
    float GetInterpolation(float t) const override;
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;

private:
    float m_factor = 1.0f;
};

class SAccelerateDecelerateInterpolator : public SInterpolatorBase
{
    DUI_CLASS_NAME(SAccelerateDecelerateInterpolator, SInterpolatorBase, L"AccelerateDecelerate",
                   Interpolator_Kind)
public:
    float GetInterpolation(float t) const override;
};

class SAnticipateInterpolator : public SInterpolatorBase
{
    DUI_CLASS_NAME(SAnticipateInterpolator, SInterpolatorBase, L"Anticipate", Interpolator_Kind)
public:
    float GetInterpolation(float t) const override;
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;

private:
    float m_tension = 2.0f;
};

class SAnticipateOvershootInterpolator : public SInterpolatorBase
{
    DUI_CLASS_NAME(SAnticipateOvershootInterpolator, SInterpolatorBase, L"AnticipateOvershoot",
                   Interpolator_Kind)
public:
    float GetInterpolation(float t) const override;
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;

private:
    float m_tension = 2.0f;
    float m_extraTension = 1.5f;
};

class SBounceInterpolator : public SInterpolatorBase
{
    DUI_CLASS_NAME(SBounceInterpolator, SInterpolatorBase, L"Bounce", Interpolator_Kind)
public:
    float GetInterpolation(float t) const override;
};

class SCycleInterpolator : public SInterpolatorBase
{
    DUI_CLASS_NAME(SCycleInterpolator, SInterpolatorBase, L"Cycle", Interpolator_Kind)
public:
    float GetInterpolation(float t) const override;
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;

private:
    float m_cycles = 1.0f;
};

class SOvershootInterpolator : public SInterpolatorBase
{
    DUI_CLASS_NAME(SOvershootInterpolator, SInterpolatorBase, L"Overshoot", Interpolator_Kind)
public:
    float GetInterpolation(float t) const override;
    HRESULT SetAttribute(const SStringW& name, const SStringW& value, BOOL loading) override;

private:
    float m_tension = 2.0f;
};

} // namespace DUI
