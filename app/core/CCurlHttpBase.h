#pragma once
// A blocking HTTP client over libcurl's easy interface: one object, one
// transfer handle, one request at a time on the calling thread, the whole
// response body kept in memory. Failures return false and leave the
// library's text as the error text; nothing throws out of the class.
// Every step is virtual so that a subclass can replace it.
#include "app/core/CUniteBase.h"
#include "dui/core/base/SHandle.h"

#include <atomic>
#include <cstddef>
#include <string>

typedef void CURL;
struct curl_slist;

// The library's two owned objects, released by its own calls.
struct CurlEasyTraits {
    using Type = CURL*;
    static Type Invalid() { return nullptr; }
    static void Close(Type h);
};
struct CurlListTraits {
    using Type = curl_slist*;
    static Type Invalid() { return nullptr; }
    static void Close(Type h);
};

class CCurlHttpBase : public CUniteBase {
public:
    // Time-outs in milliseconds; 0 leaves that time-out unset.
    CCurlHttpBase(const char* url, int connectTimeoutMs, int totalTimeoutMs);

    // One-time library start (retried by the next object after a failure),
    // then a zeroed state.
    void Init() override;

    virtual bool Prepare();
    // One whole request; true when the transfer completed, whatever the HTTP status.
    virtual bool Perform();
    virtual bool DoPerform();
    // keep false releases the header list and the transfer handle.
    virtual bool Cleanup(bool keep);
    virtual bool SetOptions();
    virtual bool SetMethodOptions();
    virtual bool BeforePerform();
    virtual bool AfterPerform(int curlCode);
    virtual bool ClearHeaders();
    // One "Name: value" line.
    virtual bool AddHeader(const char* line);
    virtual bool Reset();
    virtual bool initCurl();
    virtual bool AddDefaultHeaders();
    virtual int OnDebug(int infoType, const char* data, size_t length);
    virtual size_t OnWrite(const char* data, size_t size, size_t count);

    // Set before a request.
    void SetVerbose(bool verbose) { m_verbose = verbose; }
    // Sent instead of the constructor's URL when not empty.
    void SetUrlOverride(std::string url) { m_urlOverride = std::move(url); }
    // Certificate bundle; certificates are not checked while it is empty.
    void SetCaFile(std::string path) { m_caFile = std::move(path); }
    void SetProxy(std::string proxy) { m_proxy = std::move(proxy); }

    // The body of the last request, valid until the next request.
    const char* GetResponse() const { return m_response.c_str(); }
    const std::string& Response() const { return m_response; }
    int ResultCode() const { return m_resultCode; }
    bool IsDone() const { return m_done; }
    bool IsBusy() const { return m_busy.load(); }
    bool IsPerforming() const { return m_performing.load(); }

protected:
    // Stores code and the library's text for it; false for chaining.
    bool FailWith(int curlCode);
    template <class T>
    bool SetOption(int option, T value);

    DUI::SHandle<CurlEasyTraits> m_curl;
    DUI::SHandle<CurlListTraits> m_headers;

private:
    bool RunRequest();

    int m_connectTimeoutMs = 0;
    int m_totalTimeoutMs = 0;
    bool m_verbose = false;
    std::string m_url;
    std::string m_urlOverride;
    std::string m_caFile;
    std::string m_response;
    std::string m_proxy;
    std::atomic<bool> m_busy{false};
    bool m_done = false;
    std::atomic<bool> m_performing{false};
    int m_resultCode = 0;
};
