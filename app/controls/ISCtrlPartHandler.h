#pragma once
// What a part of a window (its caption bar, bottom bar or a module page)
// does with the messages its part host hands it. A handler claims a message
// by setting its part window's handled flag; unclaimed messages go on.
#include <winsock2.h>
#include <windows.h>

class SDlgMain;

namespace DUI {

class SCtrlPart;

class ISCtrlPartHandler
{
public:
    ISCtrlPartHandler(SDlgMain* owner, SCtrlPart* part) : m_owner(owner), m_part(part) {}
    virtual ~ISCtrlPartHandler() = default;
    ISCtrlPartHandler(const ISCtrlPartHandler&) = delete;
    ISCtrlPartHandler& operator=(const ISCtrlPartHandler&) = delete;

    virtual void OnInitDialog(UINT msg, WPARAM wp, LPARAM lp) = 0;
    virtual void OnCommand(UINT code, UINT id, LPARAM control) = 0;
    // Any message from WM_USER up; the value is the message's result.
    virtual LRESULT OnUserMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
    virtual void OnCopyData(WPARAM wp, LPARAM copyData) = 0;
    // Unclaimed by default, so the timer goes on to the next part.
    virtual void OnTimer(UINT_PTR id);

    SDlgMain* GetOwnerWnd() const { return m_owner; }
    SCtrlPart* GetPartWnd() const { return m_part; }

protected:
    SDlgMain* m_owner;
    SCtrlPart* m_part;
};

} // namespace DUI
