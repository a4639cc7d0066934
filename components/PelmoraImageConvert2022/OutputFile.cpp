#include "components/PelmoraImageConvert2022/OutputFile.h"

#include "components/PelmoraImageConvert2022/EngineFailure.h"

#include <winsock2.h>
#include <windows.h>

#include <algorithm>

namespace pelmora {

namespace {

bool WriteAll(HANDLE file, const ByteBuffer& bytes)
{
    std::size_t at = 0;
    while (at < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - at, 1u << 26));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + at, chunk, &written, nullptr) || written != chunk) return false;
        at += written;
    }
    return true;
}

}  // namespace

void WriteOutputFile(const std::wstring& path, const ByteBuffer& bytes)
{
    if (path.empty()) Fail(texts::kCannotWrite);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail(texts::kCannotWrite);
    bool ok = WriteAll(file, bytes);
    ok = CloseHandle(file) && ok;
    if (!ok) {
        DeleteFileW(path.c_str());
        Fail(texts::kCannotWrite);
    }
}

}  // namespace pelmora
