#pragma once
// A small base that carries one 32-bit word of state bits for the object
// that derives from it (a business object's run flags, an image's loaded
// flag). No lock: each user keeps the word on one thread.
#include <cstdint>

class CStateUtil {
public:
    virtual ~CStateUtil() = default;

    virtual void SetState(uint32_t value);
    virtual void AddState(uint32_t bits);
    virtual void RemoveState(uint32_t bits);
    // True when every given bit is set.
    virtual bool HasState(uint32_t bits) const;

    uint32_t GetState() const { return m_state; }

protected:
    uint32_t m_state = 0;
};
