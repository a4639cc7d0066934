#pragma once
// A modal dialog as the modal-dialog stack sees it: it can be told to close
// itself, and it names its window.
#include <winsock2.h>
#include <windows.h>

struct IDlgRecall
{
    // Ends the dialog; returns the code it ends with.
    virtual INT_PTR Recall() = 0;
    virtual HWND GetHwnd() = 0;

protected:
    ~IDlgRecall() = default;
};
