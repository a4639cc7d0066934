#pragma once
// Owning wrapper for process, thread and job handles, whose "none" is null
// (file-like handles use ScopedFile, whose "none" is INVALID_HANDLE_VALUE).
#include <winsock2.h>

#include "app/core/Win32Handle.h"

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static void Close(Type h) { CloseHandle(h); }
};

using ScopedKernelHandle = UniqueHandle<KernelHandleTraits>;
