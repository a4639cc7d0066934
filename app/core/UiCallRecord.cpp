#include "app/core/UiCallRecord.h"

LRESULT UiCallRecord::Invoke() const
{
    switch (kind) {
    case Kind_Callable:
        return callable ? callable->Call(arg1, arg2, arg3) : 0;
    case Kind_Function:
        return function ? function(arg1, arg2, arg3) : 0;
    default:
        return 0;
    }
}
