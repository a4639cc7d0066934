#pragma once
// Adds the HTTP status of the last transfer to one of the HTTP client
// classes; the transfer itself counts as done whatever the status.
#include <curl/curl.h>

template <class Base>
class CCurlHttpStatus : public Base {
public:
    using Base::Base;

    // 0 until a reply's status line arrived.
    long HttpStatus() const { return m_status; }

    bool AfterPerform(int curlCode) override
    {
        m_status = 0;
        curl_easy_getinfo(this->m_curl.Get(), CURLINFO_RESPONSE_CODE, &m_status);
        return Base::AfterPerform(curlCode);
    }

private:
    long m_status = 0;
};
