#include "app/controls/CStateUtil.h"

void CStateUtil::SetState(uint32_t value)
{
    m_state = value;
}

void CStateUtil::AddState(uint32_t bits)
{
    m_state |= bits;
}

void CStateUtil::RemoveState(uint32_t bits)
{
    m_state &= ~bits;
}

bool CStateUtil::HasState(uint32_t bits) const
{
    return (m_state & bits) == bits;
}
