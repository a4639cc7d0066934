#include "dui/core/STextServiceHelper.h"

namespace DUI {

STextServiceHelper::STextServiceHelper() : m_richEdit(LoadLibraryW(L"riched20.dll"))
{
    if (m_richEdit)
        m_createTextServices = GetProcAddress(m_richEdit, "CreateTextServices");
}

} // namespace DUI
