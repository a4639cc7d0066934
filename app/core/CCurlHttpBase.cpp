#include "app/core/CCurlHttpBase.h"

#include <winsock2.h>
#include <windows.h>

#include <curl/curl.h>

#include <mutex>
#include <new>

#include "app/core/CDebugStr.h"
#include "app/core/CallStatus.h"
#include "app/core/TextEncoding.h"
#include "app/core/UrlText.h"

namespace {

std::mutex g_globalInitLock;
bool g_globalInitDone = false;

size_t WriteCallback(char* data, size_t size, size_t count, void* object)
{
    try {
        return static_cast<CCurlHttpBase*>(object)->OnWrite(data, size, count);
    } catch (...) {
        LogCaughtException(L"CCurlHttpBase: write callback");
        return 0;   // libcurl takes a short count as a write failure
    }
}

int DebugCallback(CURL*, curl_infotype type, char* data, size_t length, void* object)
{
    try {
        return static_cast<CCurlHttpBase*>(object)->OnDebug(static_cast<int>(type), data, length);
    } catch (...) {
        LogCaughtException(L"CCurlHttpBase: debug callback");
        return 0;
    }
}

std::wstring CurlText(int code)
{
    std::wstring text;
    if (!AnsiToWide(curl_easy_strerror(static_cast<CURLcode>(code)), text)) text.clear();
    return text;
}

} // namespace

CCurlHttpBase::CCurlHttpBase(const char* url, int connectTimeoutMs, int totalTimeoutMs)
{
    CCurlHttpBase::Init();
    m_url = url ? url : "";
    m_connectTimeoutMs = connectTimeoutMs;
    m_totalTimeoutMs = totalTimeoutMs;
    m_verbose = false;
}

void CurlEasyTraits::Close(Type h)
{
    curl_easy_cleanup(h);
}

void CurlListTraits::Close(Type h)
{
    curl_slist_free_all(h);
}

void CCurlHttpBase::Init()
{
    {
        std::lock_guard<std::mutex> lock(g_globalInitLock);
        if (!g_globalInitDone) g_globalInitDone = curl_global_init(CURL_GLOBAL_WIN32) == CURLE_OK;
    }
    m_curl.Reset();
    m_headers.Reset();
    m_connectTimeoutMs = 0;
    m_totalTimeoutMs = 0;
    m_verbose = false;
    m_busy = false;
    m_done = false;
    m_performing = false;
    m_resultCode = 0;
}

bool CCurlHttpBase::Prepare()
{
    return Reset() && initCurl() && AddDefaultHeaders();
}

bool CCurlHttpBase::Perform()
{
    m_performing = true;
    const bool ok = DoPerform();
    m_performing = false;
    return ok;
}

bool CCurlHttpBase::DoPerform()
{
    if (m_busy) return true;
    try {
        return RunRequest();
    } catch (const std::exception& e) {
        LogCaughtException(L"CCurlHttpBase::DoPerform");
        SetErrorText(ExceptionTextW(e).c_str());
    } catch (...) {
        LogCaughtException(L"CCurlHttpBase::DoPerform");
        SetErrorText(L"Error:unknown exception,CCurlHttpBase::DoPerform");
    }
    m_busy = false;
    return false;
}

bool CCurlHttpBase::RunRequest()
{
    if (!Prepare()) return false;
    if (!SetOptions() || !SetMethodOptions()) return false;
    if (!BeforePerform()) return false;
    m_busy = true;
    const int code = curl_easy_perform(m_curl);
    const bool after = AfterPerform(code);
    if (code != CURLE_OK) {
        m_resultCode = code;
        m_busy = false;
        std::wstring text = ErrorText();
        if (!text.empty()) text += L"\r\n";
        SetErrorText((text + CurlText(code)).c_str());
        return false;
    }
    m_busy = false;
    if (!after) return false;
    m_done = true;
    return true;
}

bool CCurlHttpBase::Cleanup(bool keep)
{
    if (keep) return true;
    ClearHeaders();
    m_curl.Reset();
    return true;
}

bool CCurlHttpBase::FailWith(int curlCode)
{
    m_resultCode = curlCode;
    SetErrorText(CurlText(curlCode).c_str());
    return false;
}

template <class T>
bool CCurlHttpBase::SetOption(int option, T value)
{
    const CURLcode code = curl_easy_setopt(m_curl, static_cast<CURLoption>(option), value);
    return code == CURLE_OK || FailWith(code);
}

bool CCurlHttpBase::SetOptions()
{
    const bool hasCa = !m_caFile.empty();
    // libcurl keeps its own copy of every option text.
    const std::string url = NormalizeUrl(m_urlOverride.empty() ? m_url : m_urlOverride);
    return SetOption(CURLOPT_PROXY, m_proxy.empty() ? nullptr : m_proxy.c_str()) &&
           SetOption(CURLOPT_VERBOSE, m_verbose ? 1L : 0L) &&
           SetOption(CURLOPT_DEBUGFUNCTION, m_verbose ? &DebugCallback : nullptr) &&
           SetOption(CURLOPT_DEBUGDATA, m_verbose ? static_cast<void*>(this) : nullptr) &&
           SetOption(CURLOPT_URL, url.c_str()) &&
           SetOption(CURLOPT_READFUNCTION, static_cast<curl_read_callback>(nullptr)) &&
           SetOption(CURLOPT_WRITEFUNCTION, &WriteCallback) &&
           SetOption(CURLOPT_WRITEDATA, static_cast<void*>(this)) &&
           SetOption(CURLOPT_SSL_VERIFYPEER, hasCa ? 1L : 0L) &&
           (hasCa ? SetOption(CURLOPT_CAINFO, m_caFile.c_str()) : SetOption(CURLOPT_SSL_VERIFYHOST, 0L)) &&
           SetOption(CURLOPT_NOSIGNAL, 1L) &&
           (m_connectTimeoutMs == 0 || SetOption(CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(m_connectTimeoutMs))) &&
           (m_totalTimeoutMs == 0 || SetOption(CURLOPT_TIMEOUT_MS, static_cast<long>(m_totalTimeoutMs))) &&
           (!m_headers || SetOption(CURLOPT_HTTPHEADER, m_headers.Get()));
}

bool CCurlHttpBase::SetMethodOptions()
{
    return true;
}

bool CCurlHttpBase::BeforePerform()
{
    return true;
}

bool CCurlHttpBase::AfterPerform(int)
{
    return true;
}

bool CCurlHttpBase::ClearHeaders()
{
    m_headers.Reset();
    return true;
}

bool CCurlHttpBase::AddHeader(const char* line)
{
    // curl_slist_append returns null on failure and leaves the old list intact.
    curl_slist* grown = curl_slist_append(m_headers, line);
    if (grown) {
        m_headers.Release();   // the grown list holds the old one's nodes
        m_headers.Reset(grown);
    }
    return grown != nullptr;
}

bool CCurlHttpBase::Reset()
{
    ResetError();
    Cleanup(true);
    m_response.clear();
    m_busy = false;
    m_done = false;
    m_resultCode = 0;
    return true;
}

bool CCurlHttpBase::initCurl()
{
    if (!m_curl) m_curl.Reset(curl_easy_init());
    if (m_curl) return true;
    SetErrorText(L"Error:无法初始化curl,CCurlHttpBase::initCurl");
    return false;
}

bool CCurlHttpBase::AddDefaultHeaders()
{
    if (!m_headers && AddHeader("Connection: keep-alive")) AddHeader("Cache-Control: no-cache");
    return true;
}

int CCurlHttpBase::OnDebug(int infoType, const char* data, size_t length)
{
    std::string narrow(data ? data : "", data ? strnlen(data, length) : 0);
    std::wstring text;
    if (!AnsiToWide(narrow, text)) text.clear();
    CDebugStr().WriteDebugLog(infoType, text.c_str());
    CDebugStr::WriteLine(L"\r\n");
    return 0;
}

size_t CCurlHttpBase::OnWrite(const char* data, size_t size, size_t count)
{
    const size_t bytes = size * count;
    // An empty piece is nothing to store, not a failure.
    if (bytes == 0) return 0;
    if (!data) return ~size_t(0);
    try {
        m_response.append(data, bytes);
    } catch (const std::bad_alloc&) {
        LogCaughtException(L"CCurlHttpBase::OnWrite");
        return 0;
    }
    return bytes;
}

// The value kinds subclasses pass for their own options.
template bool CCurlHttpBase::SetOption<long>(int, long);
template bool CCurlHttpBase::SetOption<const char*>(int, const char*);
