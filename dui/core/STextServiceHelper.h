#pragma once
// Keeps the system's text services (riched20.dll) loaded for the rich edits
// while the application lives, with the entry point that makes them.
#include "dui/core/base/SHandle.h"
#include "dui/core/base/SSingleton2.h"

namespace DUI {

class STextServiceHelper : public SSingleton2<STextServiceHelper>
{
public:
    STextServiceHelper();

    // CreateTextServices of riched20.dll, or NULL when it could not be loaded.
    FARPROC GetCreateTextServices() const { return m_createTextServices; }

private:
    SModuleHandle m_richEdit;
    FARPROC m_createTextServices = nullptr;
};

} // namespace DUI
