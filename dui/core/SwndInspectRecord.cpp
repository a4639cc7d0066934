#include "dui/core/SwndInspectRecord.h"

#include <cstring>
#include <cwchar>

#include "dui/core/SWindow.h"

namespace DUI {

namespace {

template <size_t N>
void CopyField(wchar_t (&field)[N], LPCWSTR text)
{
    static const wchar_t kOverflow[] = L"##buf overflow!";
    const size_t len = text ? std::wcslen(text) : 0;
    std::wcscpy(field, len < N ? (text ? text : L"") : kOverflow);
}

} // namespace

void SwndInspectRecord::Fill(const SWindow* w)
{
    std::memset(this, 0, sizeof(*this));
    swnd = static_cast<int>(w->GetSwnd());
    rcWindow = w->GetWindowRect();
    rcClient = w->GetClientRect();
    visible = w->IsVisible(TRUE);
    id = w->GetID();
    CopyField(name, w->GetName());
    CopyField(classTag, w->GetClassTag());
    CopyField(xml, L"##unavailable!");
}

} // namespace DUI
