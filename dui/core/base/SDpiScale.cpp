#include "dui/core/base/SDpiScale.h"

#include <algorithm>
#include <cmath>

namespace DUI {

namespace {

const int kScaleLevels[] = {100, 125, 150, 175, 200, 225, 250, 275, 300};

} // namespace

int GetScaleCount()
{
    return static_cast<int>(sizeof(kScaleLevels) / sizeof(kScaleLevels[0]));
}

const int* GetScaleLevels()
{
    return kScaleLevels;
}

int NormalizeScale(int scale)
{
    int level = kScaleLevels[0];
    for (int s : kScaleLevels)
        if (s <= scale) level = s;
    return level;
}

int ToPixels(float value)
{
    if (std::isnan(value)) return 0;
    return static_cast<int>(std::clamp(value, static_cast<float>(-kMaxPixels), static_cast<float>(kMaxPixels)));
}

int ScaleRoundNearest(float value, int scale)
{
    return ToPixels(std::floor(static_cast<float>(scale) * value / 100.0f + 0.5f));
}

int ScaleMulDiv(int value, int scale)
{
    return MulDiv(value, scale, 100);
}

int ScaleIntDiv(int value, int scale)
{
    return value * scale / 100;
}

int DpiToPercent(int dpi)
{
    return dpi * 100 / USER_DEFAULT_SCREEN_DPI;
}

} // namespace DUI
