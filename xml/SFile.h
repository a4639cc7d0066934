#pragma once
// Files through the C run time: one owner that closes them on every way out,
// and whole files read at once with 64-bit sizes. In the bottom library, so
// the XML loader, the resource files and the modules share one reading.
#include <cstdio>
#include <functional>
#include <memory>

namespace DUI {

struct SFileCloser {
    void operator()(std::FILE* file) const noexcept { std::fclose(file); }
};
using SFilePtr = std::unique_ptr<std::FILE, SFileCloser>;

// _wfopen; null for a null path. The Windows error of a failed open stays
// in GetLastError.
SFilePtr OpenFile(const wchar_t* path, const wchar_t* mode);

// The failed step of a whole-file read, with the Windows error it left
// (ERROR_NOT_ENOUGH_MEMORY when the place for the bytes was refused).
struct SFileRead {
    enum Result { Ok, OpenFailed, SeekFailed, NoPlace, ReadFailed };
    Result result = Ok;
    const wchar_t* call = nullptr;  // "_wfopen", "_fseeki64", "fread"; null when it worked
    unsigned long code = 0;
    size_t bytes = 0;               // read into the place
};

// Reads the whole file: `place(size)` gives where `size` bytes go (null to
// refuse, say for too large a file or no memory). Sizes beyond 4 GB are read
// as any other.
SFileRead ReadWholeFile(const wchar_t* path, const std::function<void*(unsigned long long size)>& place);

} // namespace DUI
