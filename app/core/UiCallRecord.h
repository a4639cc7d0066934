#pragma once
// One call carried to the user-interface thread: what to call and with
// which three arguments. Records are shared: the receiver that registered a
// call owns it, and whoever holds or delivers it keeps it alive meanwhile.
#include <winsock2.h>
#include <windows.h>

#include <functional>
#include <memory>

class UiCallReceiver;

// An object a record can call: its one operation takes the three arguments.
struct IUiCallable
{
    virtual LRESULT Call(UINT arg1, ULONGLONG arg2, ULONGLONG arg3) = 0;
    virtual ~IUiCallable() = default;
};

struct UiCallRecord
{
    enum Kind : int
    {
        Kind_Callable = 0,
        Kind_Function = 1,
    };
    using Function = std::function<LRESULT(UINT arg1, ULONGLONG arg2, ULONGLONG arg3)>;

    // Runs the call; 0 when the kind names no object or its object is empty.
    LRESULT Invoke() const;

    UiCallReceiver* receiver = nullptr;  // not owned; set when registered
    int kind = Kind_Function;
    int callId = 0;  // set when registered
    UINT arg1 = 0;   // a message-style code
    ULONGLONG arg2 = 0;
    ULONGLONG arg3 = 0;
    std::shared_ptr<IUiCallable> callable;
    Function function;
    bool synchronous = false;  // the caller waits for the call to run
};
