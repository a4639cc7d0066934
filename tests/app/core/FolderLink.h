#pragma once
// A symbolic link to a folder for one test, removed again at the end (before
// the temporary folder that holds it, so removing that never follows it).
// Wine 8 answers CreateSymbolicLinkW with success without making a link, so
// under Wine the link is a Unix symbolic link, which Wine lists as a folder
// with a reparse point, as Windows lists its own links and junctions.
#include <winsock2.h>
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

class FolderLink {
public:
    FolderLink(const std::wstring& link, const std::wstring& target) : m_link(link)
    {
        if (CreateSymbolicLinkW(link.c_str(), target.c_str(),
                                SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE) &&
            Exists())
            return;
        const std::string unixTarget = UnixName(target), unixLink = UnixName(link);
        if (!unixTarget.empty() && !unixLink.empty() &&
            RunUnix({"/bin/ln", "-s", unixTarget, unixLink}) && Exists())
            m_unixLink = unixLink;
    }
    ~FolderLink()
    {
        if (!m_unixLink.empty())
            RunUnix({"/bin/rm", "-f", m_unixLink});
        else if (Exists())
            RemoveDirectoryW(m_link.c_str());
    }
    FolderLink(const FolderLink&) = delete;
    FolderLink& operator=(const FolderLink&) = delete;

    bool Exists() const { return GetFileAttributesW(m_link.c_str()) != INVALID_FILE_ATTRIBUTES; }

private:
    using SpawnFn = LONG(CDECL*)(char* const argv[], int wait);
    using UnixNameFn = char*(CDECL*)(const wchar_t* dosName);

    template <typename Fn>
    static Fn WineExport(const wchar_t* module, const char* name)
    {
        return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(module), name)));
    }

    // The Unix path of an existing folder, joined with the last name of `path`.
    static std::string UnixName(const std::wstring& path)
    {
        auto unixName = WineExport<UnixNameFn>(L"kernel32.dll", "wine_get_unix_file_name");
        const size_t cut = path.find_last_of(L'\\');
        if (!unixName || cut == std::wstring::npos)
            return {};
        char* parent = unixName(path.substr(0, cut).c_str());
        if (!parent)
            return {};
        std::string name = std::string(parent) + "/";
        HeapFree(GetProcessHeap(), 0, parent);
        for (wchar_t c : path.substr(cut + 1))
            name += static_cast<char>(c);  // the tests' link names are ASCII
        return name;
    }

    static bool RunUnix(std::initializer_list<std::string> args)
    {
        auto spawn = WineExport<SpawnFn>(L"ntdll.dll", "__wine_unix_spawnvp");
        if (!spawn)
            return false;
        std::vector<std::string> copies(args);
        std::vector<char*> argv;
        for (auto& a : copies)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        return spawn(argv.data(), 1) == 0;
    }

    std::wstring m_link;
    std::string m_unixLink;
};
