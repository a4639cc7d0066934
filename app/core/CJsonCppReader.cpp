#include "app/core/CJsonCppReader.h"

CJsonCppReader::CJsonCppReader() : m_reader(m_builder.newCharReader()) {}

bool CJsonCppReader::Close()
{
    m_reader.reset();
    return true;
}
