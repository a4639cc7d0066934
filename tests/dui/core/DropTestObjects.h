#pragma once
// COM objects for drag-and-drop tests: a drop target that logs its calls as
// "name:call" and reads the files of a drop, a data object that carries a
// file list (CF_HDROP) or nothing, and a drop source that drops after a few
// questions.
#include <winsock2.h>
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <string>
#include <vector>

namespace droptest {

inline std::vector<std::wstring> g_calls;

inline std::wstring TakeCalls()
{
    std::wstring out;
    for (const std::wstring& c : g_calls)
        out += (out.empty() ? L"" : L" ") + c;
    g_calls.clear();
    return out;
}

template <class I>
class ComObject : public I
{
public:
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --m_refs;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, __uuidof(I))) {
            *out = static_cast<I*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG Refs() const { return m_refs; }

protected:
    virtual ~ComObject() = default;

private:
    ULONG m_refs = 1;
};

// The file names a data object carries as CF_HDROP; empty when it has none.
inline std::vector<std::wstring> FilesOf(IDataObject* data)
{
    std::vector<std::wstring> files;
    FORMATETC fmt = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium = {};
    if (!data || FAILED(data->GetData(&fmt, &medium)))
        return files;
    auto drop = static_cast<HDROP>(medium.hGlobal);
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        wchar_t name[MAX_PATH] = {};
        ::DragQueryFileW(drop, i, name, MAX_PATH);
        files.push_back(name);
    }
    ::ReleaseStgMedium(&medium);
    return files;
}

class LogTarget : public ComObject<IDropTarget>
{
public:
    explicit LogTarget(std::wstring name, DWORD accept = DROPEFFECT_COPY) : m_name(std::move(name)), m_accept(accept) {}

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL pt, DWORD* effect) override
    {
        Log(L"enter", pt);
        entered = data;
        *effect = m_accept;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL pt, DWORD* effect) override
    {
        Log(L"over", pt);
        *effect = m_accept;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        g_calls.push_back(m_name + L":leave");
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL pt, DWORD* effect) override
    {
        Log(L"drop", pt);
        dropped = FilesOf(data);
        *effect = m_accept;
        return S_OK;
    }

    std::vector<std::wstring> dropped;
    IDataObject* entered = nullptr;   // not held; compared only
    POINTL lastPoint = {};

private:
    void Log(const wchar_t* call, POINTL pt)
    {
        lastPoint = pt;
        g_calls.push_back(m_name + L":" + call);
    }

    std::wstring m_name;
    DWORD m_accept;
};

// Files as CF_HDROP in global memory; without files it offers no format.
class FileDataObject : public ComObject<IDataObject>
{
public:
    explicit FileDataObject(std::vector<std::wstring> files) : m_files(std::move(files)) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* fmt, STGMEDIUM* medium) override
    {
        if (QueryGetData(fmt) != S_OK)
            return DV_E_FORMATETC;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = MakeDropFiles();
        medium->pUnkForRelease = nullptr;
        return medium->hGlobal ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* fmt) override
    {
        return !m_files.empty() && fmt->cfFormat == CF_HDROP && (fmt->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override
    {
        FORMATETC fmt = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        return ::SHCreateStdEnumFmtEtc(m_files.empty() ? 0 : 1, &fmt, out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    // DROPFILES, then the names, each ended by a zero, and one zero more.
    HGLOBAL MakeDropFiles() const
    {
        size_t chars = 1;
        for (const std::wstring& f : m_files)
            chars += f.size() + 1;
        HGLOBAL mem = ::GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
        if (!mem)
            return nullptr;
        auto* head = static_cast<DROPFILES*>(::GlobalLock(mem));
        head->pFiles = sizeof(DROPFILES);
        head->fWide = TRUE;
        auto* names = reinterpret_cast<wchar_t*>(head + 1);
        for (const std::wstring& f : m_files) {
            f.copy(names, f.size());
            names += f.size() + 1;
        }
        ::GlobalUnlock(mem);
        return mem;
    }

    std::vector<std::wstring> m_files;
};

// Lets the drag run for a few state checks, then drops. The system's drag
// loop follows the real cursor: each check notes whether the cursor was still
// over the expected window at the expected point.
class DroppingSource : public ComObject<IDropSource>
{
public:
    DroppingSource(POINT at, HWND over) : m_at(at), m_over(over) {}

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override
    {
        POINT pt{};
        if (!::GetCursorPos(&pt) || pt.x != m_at.x || pt.y != m_at.y || ::WindowFromPoint(m_at) != m_over)
            strayed = true;
        if (escape)
            return DRAGDROP_S_CANCEL;
        return ++questions >= 3 ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

    int questions = 0;
    bool strayed = false;

private:
    POINT m_at;
    HWND m_over;
};

} // namespace droptest
