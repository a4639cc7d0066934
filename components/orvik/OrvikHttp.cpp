#include "components/orvik/OrvikHttp.h"

#include <curl/curl.h>

#include "app/core/CCurlHttpPost.h"
#include "app/core/CCurlHttpQuery.h"
#include "app/core/CCurlHttpStatus.h"
#include "app/core/TextEncoding.h"

namespace {

// Adds the stop flag: libcurl asks its progress callback often enough during
// a transfer that a closing library need not wait for the whole time-out.
template <class Base>
class StoppableRequest : public CCurlHttpStatus<Base> {
public:
    StoppableRequest(const std::string& url, const OrvikHttpOptions& options)
        : CCurlHttpStatus<Base>(url.c_str(), options.connectTimeoutMs, options.totalTimeoutMs), m_stop(options.stop)
    {
    }

    bool SetOptions() override
    {
        if (!Base::SetOptions()) return false;
        if (!m_stop) return true;
        return curl_easy_setopt(this->m_curl.Get(), CURLOPT_NOPROGRESS, 0L) == CURLE_OK &&
               curl_easy_setopt(this->m_curl.Get(), CURLOPT_XFERINFOFUNCTION, &OnProgress) == CURLE_OK &&
               curl_easy_setopt(this->m_curl.Get(), CURLOPT_XFERINFODATA, static_cast<void*>(this)) == CURLE_OK;
    }

private:
    static int OnProgress(void* self, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
    {
        return static_cast<StoppableRequest*>(self)->m_stop->load() ? 1 : 0;
    }

    const std::atomic<bool>* m_stop;
};

template <class Request>
OrvikHttpResult Run(Request& request)
{
    OrvikHttpResult result;
    result.transferred = request.Perform();
    result.status = request.HttpStatus();
    if (!result.transferred) {
        result.error = request.ErrorText();
        return result;
    }
    result.body = request.Response();
    if (result.status >= 400) result.error = L"HTTP status " + std::to_wstring(result.status);
    return result;
}

} // namespace

OrvikHttpResult OrvikHttpGet(const std::wstring& url, const OrvikHttpOptions& options)
{
    StoppableRequest<CCurlHttpQuery> request(ToUtf8(url), options);
    return Run(request);
}

OrvikHttpResult OrvikHttpPost(const std::wstring& url, const std::string& body, const OrvikHttpOptions& options)
{
    StoppableRequest<CCurlHttpPost> request(ToUtf8(url), options);
    request.SetBody(body);
    return Run(request);
}
