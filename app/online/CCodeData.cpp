#include "app/online/CCodeData.h"

std::string CCodeData::ToString()
{
    m_objects[L"ext_data"] = m_ext;
    return CjJsonCpp::ToString();
}
