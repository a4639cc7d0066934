#include "app/core/FolderScan.h"

#include <winsock2.h>
#include <windows.h>

#include <optional>
#include <set>
#include <utility>

#include "app/core/CorePath.h"
#include "dui/core/base/SHandle.h"

namespace {

constexpr wchar_t kExtendedPrefix[] = L"\\\\?\\";

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

// The system sees every path in the extended form, so folders deeper than
// MAX_PATH still list; callers get paths back in the form they gave.
std::wstring SystemForm(const std::wstring& path)
{
    if (StartsWith(path, kExtendedPrefix) || StartsWith(path, L"\\\\.\\"))
        return path;
    const DWORD need = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (need == 0)
        return path;
    std::wstring full(need, L'\0');
    const DWORD got = GetFullPathNameW(path.c_str(), need, full.data(), nullptr);
    if (got == 0 || got >= need)
        return path;
    full.resize(got);
    if (StartsWith(full, L"\\\\"))
        return std::wstring(kExtendedPrefix) + L"UNC\\" + full.substr(2);
    return kExtendedPrefix + full;
}

bool IsDotEntry(const wchar_t* name)
{
    return wcscmp(name, L".") == 0 || wcscmp(name, L"..") == 0;
}

// A folder's identity on its volume: the same folder reached by two paths
// (through a symbolic link or junction) gives the same one.
using FolderId = std::pair<DWORD, ULONGLONG>;

std::optional<FolderId> ReadFolderId(const std::wstring& systemPath)
{
    DUI::SFileHandle folder(CreateFileW((systemPath + L"\\").c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!folder || !GetFileInformationByHandle(folder, &info))
        return std::nullopt;
    const ULONGLONG index = (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    if (index == 0)  // file systems without file numbers
        return std::nullopt;
    return FolderId{info.dwVolumeSerialNumber, index};
}

// Depth first without recursion: a deep tree cannot exhaust the stack, and
// each open listing keeps its place while a sub-folder is listed.
class FolderWalk
{
public:
    explicit FolderWalk(std::vector<std::wstring>& out) : m_out(out) {}

    void Run(const std::wstring& shown, const std::wstring& system)
    {
        Enter(shown, system, false);
        while (!m_levels.empty())
            Step();
    }

private:
    struct Level
    {
        std::wstring shown;
        std::wstring system;
        DUI::SFindHandle find;
        WIN32_FIND_DATAW entry{};
        bool hasEntry = false;
    };

    void Enter(const std::wstring& shown, const std::wstring& system, bool isLink)
    {
        const std::optional<FolderId> id = ReadFolderId(system);
        if (id ? !m_seen.insert(*id).second : isLink)
            return;  // met before, or a link we cannot tell apart from its target
        Level level{shown, system};
        level.find.Reset(FindFirstFileExW((system + L"\\*").c_str(), FindExInfoBasic, &level.entry,
                                          FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
        if (!level.find)
            return;
        level.hasEntry = true;
        m_levels.push_back(std::move(level));
    }

    void Step()
    {
        Level& top = m_levels.back();
        if (!top.hasEntry) {
            m_levels.pop_back();
            return;
        }
        const WIN32_FIND_DATAW entry = top.entry;
        top.hasEntry = FindNextFileW(top.find, &top.entry) != FALSE;
        if (IsDotEntry(entry.cFileName))
            return;
        std::wstring shown = top.shown + L"\\" + entry.cFileName;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            m_out.push_back(std::move(shown));
            return;
        }
        const std::wstring system = top.system + L"\\" + entry.cFileName;
        Enter(shown, system, (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0);
    }

    std::vector<std::wstring>& m_out;
    std::vector<Level> m_levels;
    std::set<FolderId> m_seen;
};

} // namespace

void CollectFilesRecursive(const wchar_t* path, std::vector<std::wstring>& out)
{
    if (!path)
        return;
    const std::wstring given(path);
    std::wstring system = SystemForm(given);
    const DWORD attributes = GetFileAttributesW(system.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        out.push_back(given);
        return;
    }
    FolderWalk(out).Run(WithoutOneTrailingBackslash(given), WithoutOneTrailingBackslash(system));
}
