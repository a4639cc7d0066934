#pragma once
// The events of scrolling controls: a scroll action, and the scroll view's
// origin and size changes.
#include <winsock2.h>
#include <windows.h>

#include "dui/core/base/EventArgs.h"

namespace DUI {

class EventScroll : public EventArgs
{
    DUI_EVENT_CLASS(EventScroll, 10004, L"on_scroll")
public:
    int nSbCode = 0;
    int nPos = 0;
    BOOL bVertical = FALSE;
};

class EventScrollViewOriginChanged : public EventArgs
{
    DUI_EVENT_CLASS(EventScrollViewOriginChanged, 10002, L"on_scrollview_origin_changed")
public:
    POINT ptOldOrigin = {};
    POINT ptNewOrigin = {};
};

class EventScrollViewSizeChanged : public EventArgs
{
    DUI_EVENT_CLASS(EventScrollViewSizeChanged, 10003, L"on_scrollview_size_changed")
public:
    SIZE szOldViewSize = {};
    SIZE szNewViewSize = {};
};

} // namespace DUI
