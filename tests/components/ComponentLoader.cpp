#include "ComponentLoader.h"

namespace testcomp {

ComponentLoader::ComponentLoader(const wchar_t* dllName)
{
    std::wstring path = L"" VESK_BIN_DIR;
    path += L"/";
    path += dllName;
    m_module = LoadLibraryW(path.c_str());
    if (m_module) m_create = reinterpret_cast<CreateFn>(GetProcAddress(m_module, "SCreateInstance"));
}

ComponentLoader::~ComponentLoader()
{
    if (m_module) FreeLibrary(m_module);
}

} // namespace testcomp
