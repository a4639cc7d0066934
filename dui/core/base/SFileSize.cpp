#include "dui/core/base/SFileSize.h"

#include "dui/core/base/SHandle.h"

namespace DUI {

uint64_t FindFileSize(LPCWSTR path)
{
    if (!path)
        return 0;
    WIN32_FIND_DATAW data{};
    const SFindHandle find(FindFirstFileW(path, &data));
    if (!find)
        return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace DUI
