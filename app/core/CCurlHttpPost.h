#pragma once
// An HTTP POST of a form body (key=value pairs joined by "&").
#include "app/core/CCurlHttpBase.h"

class CCurlHttpPost : public CCurlHttpBase {
public:
    using CCurlHttpBase::CCurlHttpBase;

    // The body is sent up to its first NUL.
    void SetBody(std::string body) { m_body = std::move(body); }
    const std::string& Body() const { return m_body; }

    bool SetMethodOptions() override;

private:
    std::string m_body;
};
