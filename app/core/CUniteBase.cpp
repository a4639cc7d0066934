#include "app/core/CUniteBase.h"

#include <cwchar>
#include <new>

#include "app/core/TextUtil.h"

namespace {

constexpr unsigned kInitialChars = 260;

void AllocateEmpty(std::unique_ptr<wchar_t[]>& chars, unsigned& capacity)
{
    chars.reset(new (std::nothrow) wchar_t[kInitialChars]);
    capacity = chars ? kInitialChars : 0;
    if (chars)
        chars[0] = L'\0';
}

const wchar_t* TextOf(const std::unique_ptr<wchar_t[]>& chars)
{
    return chars ? chars.get() : L"";
}

} // namespace

CUniteBase::CUniteBase()
{
    AllocateEmpty(m_error.chars, m_error.capacity);
    AllocateEmpty(m_info.chars, m_info.capacity);
}

CUniteBase::~CUniteBase() = default;

const wchar_t* CUniteBase::GetErrorText() { return TextOf(m_error.chars); }
const wchar_t* CUniteBase::GetInfoText() { return TextOf(m_info.chars); }

void CUniteBase::ClearErrorText()
{
    if (m_error.chars)
        m_error.chars[0] = L'\0';
}

void CUniteBase::ClearInfoText()
{
    if (m_info.chars)
        m_info.chars[0] = L'\0';
}

const wchar_t* CUniteBase::ErrorText() { return GetErrorText(); }
void CUniteBase::ResetError() { ClearErrorText(); }
const wchar_t* CUniteBase::InfoText() { return GetInfoText(); }
void CUniteBase::ResetInfo() { ClearInfoText(); }

void CUniteBase::SetErrorText(const wchar_t* text)
{
    StoreText(m_error, text ? text : L"");
}

void CUniteBase::SetErrorTextF(const wchar_t* format, const wchar_t* argument)
{
    std::wstring text = FormatWString(format, argument ? argument : L"");
    StoreText(m_error, text.c_str());
}

void CUniteBase::StoreText(TextBlock& block, const wchar_t* text)
{
    size_t needed = wcslen(text) + 1;
    if (needed >= block.capacity) {
        std::unique_ptr<wchar_t[]> grown(new (std::nothrow) wchar_t[needed]);
        if (!grown) {
            // Keep the old block and as much of the text as fits into it.
            if (block.chars && block.capacity > 0) {
                wcsncpy_s(block.chars.get(), block.capacity, text, _TRUNCATE);
            }
            return;
        }
        block.chars = std::move(grown);
    }
    block.capacity = static_cast<unsigned>(needed);
    wcscpy_s(block.chars.get(), block.capacity, text);
}
