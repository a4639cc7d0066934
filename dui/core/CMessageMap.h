#pragma once
// What a native window's object answers for each message: TRUE when it took
// the message (with its result), FALSE to let the previous procedure have it.
#include <winsock2.h>
#include <windows.h>

namespace DUI {

struct CMessageMap
{
    virtual BOOL ProcessWindowMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result,
                                      DWORD mapId) = 0;

protected:
    ~CMessageMap() = default;
};

} // namespace DUI
