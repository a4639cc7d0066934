#include "xml/SFile.h"

#include <winsock2.h>
#include <windows.h>

namespace DUI {

namespace {

SFileRead Failed(SFileRead::Result result, const wchar_t* call, unsigned long code)
{
    SFileRead read;
    read.result = result;
    read.call = call;
    read.code = code;
    return read;
}

// Seeking and telling through the 64-bit calls: ftell's long stops at 2 GB.
long long SizeOf(std::FILE* file)
{
    if (_fseeki64(file, 0, SEEK_END) != 0)
        return -1;
    const long long size = _ftelli64(file);
    return size >= 0 && _fseeki64(file, 0, SEEK_SET) == 0 ? size : -1;
}

} // namespace

SFilePtr OpenFile(const wchar_t* path, const wchar_t* mode)
{
    return SFilePtr(path ? _wfopen(path, mode) : nullptr);
}

SFileRead ReadWholeFile(const wchar_t* path, const std::function<void*(unsigned long long size)>& place)
{
    SFilePtr file = OpenFile(path, L"rb");
    if (!file)
        return Failed(SFileRead::OpenFailed, L"_wfopen", path ? GetLastError() : ERROR_INVALID_PARAMETER);
    const long long size = SizeOf(file.get());
    if (size < 0)
        return Failed(SFileRead::SeekFailed, L"_fseeki64", GetLastError());
    void* into = place(static_cast<unsigned long long>(size));
    if (!into)
        return Failed(SFileRead::NoPlace, L"place", ERROR_NOT_ENOUGH_MEMORY);
    SFileRead read;
    read.bytes = std::fread(into, 1, static_cast<size_t>(size), file.get());
    if (read.bytes != static_cast<size_t>(size)) {
        const size_t got = read.bytes;
        read = Failed(SFileRead::ReadFailed, L"fread", GetLastError());
        read.bytes = got;
    }
    return read;
}

} // namespace DUI
