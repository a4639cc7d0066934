#include "app/core/CCurlHttpPost.h"

#include <curl/curl.h>

bool CCurlHttpPost::SetMethodOptions()
{
    // No size option: libcurl sends the body up to its first NUL.
    return SetOption(CURLOPT_POST, 1L) && SetOption(CURLOPT_POSTFIELDS, m_body.c_str());
}
