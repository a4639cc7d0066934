#include "app/core/FileOpenDialogs.h"

#include <memory>

#include "dui/core/base/SRefPtr.h"

namespace {

const COMDLG_FILTERSPEC kAllFiles = {L"All File Suport(*.*)", L"*.*"};

constexpr FILEOPENDIALOGOPTIONS kFileOptions =
    FOS_NOCHANGEDIR | FOS_FORCEFILESYSTEM | FOS_ALLOWMULTISELECT | FOS_FILEMUSTEXIST;

struct CoTaskMemDeleter
{
    void operator()(void* p) const { CoTaskMemFree(p); }
};
using CoTaskString = std::unique_ptr<wchar_t, CoTaskMemDeleter>;

HRESULT AppendPath(IShellItemArray* items, DWORD index, std::vector<std::wstring>& out)
{
    DUI::SComPtr<IShellItem> item;
    HRESULT hr = items->GetItemAt(index, item.Put());
    wchar_t* name = nullptr;
    if (SUCCEEDED(hr))
        hr = item->GetDisplayName(SIGDN_FILESYSPATH, &name);
    if (SUCCEEDED(hr))
        out.emplace_back(CoTaskString(name).get());
    return hr;
}

HRESULT AppendPaths(IShellItemArray* items, std::vector<std::wstring>& out)
{
    DWORD count = 0;
    HRESULT hr = items->GetCount(&count);
    for (DWORD i = 0; SUCCEEDED(hr) && i < count; ++i)
        hr = AppendPath(items, i, out);
    return hr;
}

// Each step runs only when every earlier one succeeded; the first failure
// is the result.
HRESULT RunOpenDialog(std::vector<std::wstring>& out, HWND owner, FILEOPENDIALOGOPTIONS extraOptions,
                      const COMDLG_FILTERSPEC* filters, UINT filterCount)
{
    DUI::SComPtr<IFileOpenDialog> dialog;
    HRESULT hr = CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IFileOpenDialog,
                                  reinterpret_cast<void**>(dialog.Put()));
    FILEOPENDIALOGOPTIONS options = 0;
    if (SUCCEEDED(hr))
        hr = dialog->GetOptions(&options);
    if (SUCCEEDED(hr))
        hr = dialog->SetOptions(options | extraOptions);
    if (SUCCEEDED(hr) && filters)
        hr = dialog->SetFileTypes(filterCount, filters);
    if (SUCCEEDED(hr))
        hr = dialog->Show(owner);
    DUI::SComPtr<IShellItemArray> items;
    if (SUCCEEDED(hr))
        hr = dialog->GetResults(items.Put());
    if (SUCCEEDED(hr))
        hr = AppendPaths(items.Get(), out);
    return hr;
}

} // namespace

HRESULT ShowOpenFilesDialog(std::vector<std::wstring>& out, HWND owner, const COMDLG_FILTERSPEC* filters,
                            UINT filterCount)
{
    if (!filters || filterCount == 0) {
        filters = &kAllFiles;
        filterCount = 1;
    }
    return RunOpenDialog(out, owner, kFileOptions, filters, filterCount);
}

HRESULT ShowPickFolderDialog(std::vector<std::wstring>& out, HWND owner)
{
    return RunOpenDialog(out, owner, kFileOptions | FOS_PICKFOLDERS, nullptr, 0);
}
