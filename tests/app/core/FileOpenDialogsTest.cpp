#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "app/core/FileOpenDialogs.h"
#include "dui/core/base/SHandle.h"
#include "tests/app/core/TempFolder.h"
#include "tests/app/core/TestSync.h"

namespace {

using Paths = std::vector<std::wstring>;

// Control ids of the system's open dialog: the file name box and the list
// of file types.
constexpr int kFileNameBox = 1152;
constexpr int kFileTypes = 1136;

// Plays the person at the open dialog that the test's thread shows, from a
// thread of its own: waits for the dialog, reads its file types, then types
// `answer` into the file name box and presses Open, or presses Cancel when
// there is no answer. A dialog that will not close is cancelled, so a
// failing test ends instead of waiting for a person.
class DialogPerson {
public:
    explicit DialogPerson(std::wstring answer = {})
        : m_uiThread(GetCurrentThreadId()), m_answer(std::move(answer)), m_thread([this] { Act(); })
    {
    }
    ~DialogPerson() { m_thread.join(); }

    // Read after the dialog has returned.
    bool SawDialog() const { return m_dialog != nullptr; }
    const std::vector<std::wstring>& FileTypes() const { return m_fileTypes; }

private:
    void Act()
    {
        WaitUntil([this] {
            EnumThreadWindows(m_uiThread, FindDialog, reinterpret_cast<LPARAM>(&m_dialog));
            return m_dialog != nullptr;
        });
        if (!m_dialog)
            return;
        ReadFileTypes();
        if (!m_answer.empty()) {
            SendDlgItemMessageW(m_dialog, kFileNameBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(m_answer.c_str()));
            PostMessageW(m_dialog, WM_COMMAND, IDOK, 0);
            if (WaitUntil([this] { return !IsWindow(m_dialog); }, 10000))
                return;
        }
        PostMessageW(m_dialog, WM_COMMAND, IDCANCEL, 0);
    }

    void ReadFileTypes()
    {
        HWND types = GetDlgItem(m_dialog, kFileTypes);
        if (!types || !IsWindowVisible(types))
            return;
        const int count = static_cast<int>(SendMessageW(types, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            std::wstring text(SendMessageW(types, CB_GETLBTEXTLEN, i, 0) + 1, L'\0');
            text.resize(SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data())));
            m_fileTypes.push_back(text);
        }
    }

    static BOOL CALLBACK FindDialog(HWND hwnd, LPARAM out)
    {
        wchar_t cls[16] = {};
        GetClassNameW(hwnd, cls, 16);
        if (wcscmp(cls, L"#32770") != 0 || !IsWindowVisible(hwnd))
            return TRUE;
        *reinterpret_cast<HWND*>(out) = hwnd;
        return FALSE;
    }

    const DWORD m_uiThread;
    const std::wstring m_answer;
    HWND m_dialog = nullptr;
    std::vector<std::wstring> m_fileTypes;
    std::thread m_thread;
};

std::wstring Quoted(const Paths& paths)
{
    std::wstring text;
    for (const auto& p : paths)
        text += L"\"" + p + L"\" ";
    return text;
}

class FileOpenDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        ASSERT_TRUE(SUCCEEDED(m_com)) << std::hex << m_com;
    }
    void TearDown() override
    {
        if (SUCCEEDED(m_com))
            CoUninitialize();
    }

    std::wstring NewFile(const std::wstring& name)
    {
        TempFolder::WriteFile(m_dir / name, "x");
        return m_dir / name;
    }
    std::wstring NewFolder(const std::wstring& name)
    {
        CreateDirectoryW((m_dir / name).c_str(), nullptr);
        return m_dir / name;
    }

    HRESULT m_com = E_FAIL;
    TempFolder m_dir;
};

TEST_F(FileOpenDialogsTest, CancelLeavesTheListAlone)
{
    const HRESULT cancelled = HRESULT_FROM_WIN32(ERROR_CANCELLED);
    {
        SCOPED_TRACE("files");
        Paths out = {L"kept"};
        DialogPerson person;
        EXPECT_EQ(ShowOpenFilesDialog(out, nullptr, nullptr, 0), cancelled);
        EXPECT_EQ(out, Paths{L"kept"});
        EXPECT_TRUE(person.SawDialog());
        EXPECT_EQ(person.FileTypes(), std::vector<std::wstring>{L"All File Suport(*.*)"});
    }
    {
        SCOPED_TRACE("folders");
        Paths out = {L"kept"};
        DialogPerson person;
        EXPECT_EQ(ShowPickFolderDialog(out, nullptr), cancelled);
        EXPECT_EQ(out, Paths{L"kept"});
        EXPECT_TRUE(person.SawDialog());
        EXPECT_TRUE(person.FileTypes().empty()) << "no file types when picking folders";
    }
}

TEST_F(FileOpenDialogsTest, ChosenFilesComeBackInSelectionOrder)
{
    const Paths chosen = {NewFile(L"b.pdf"), NewFile(L"a.pdf")};
    const COMDLG_FILTERSPEC filters[] = {{L"PDF(*.pdf)", L"*.pdf"}, {L"Images", L"*.png;*.jpg"}};
    Paths out = {L"kept"};
    DialogPerson person(Quoted(chosen));
    EXPECT_EQ(ShowOpenFilesDialog(out, nullptr, filters, 2), S_OK);
    EXPECT_EQ(person.FileTypes(), (std::vector<std::wstring>{L"PDF(*.pdf)", L"Images"}));
    EXPECT_EQ(out, (Paths{L"kept", chosen[0], chosen[1]}));
}

// One folder only: given two typed folders, Wine's dialog returns the first
// and then the desktop in place of the second.
TEST_F(FileOpenDialogsTest, ChosenFolderComesBack)
{
    const std::wstring chosen = NewFolder(L"one");
    Paths out = {L"kept"};
    DialogPerson person(chosen);
    EXPECT_EQ(ShowPickFolderDialog(out, nullptr), S_OK);
    EXPECT_EQ(out, (Paths{L"kept", chosen}));
}

} // namespace
