#include "app/online/WebViewScale.h"

#include <winsock2.h>
#include <windows.h>

namespace {
int g_systemScale = 100;
}

int SystemScale()
{
    return g_systemScale;
}

void SetSystemScale(int percent)
{
    g_systemScale = percent > 0 ? percent : 100;
}

int ComputeSystemScale()
{
    HDC screen = GetDC(nullptr);
    int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    SetSystemScale(dpi * 100 / 96);
    return g_systemScale;
}
