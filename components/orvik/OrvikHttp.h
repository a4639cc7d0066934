#pragma once
// One HTTP request of the library, on the calling thread: a GET or a form
// POST, with the HTTP status, and abandoned soon after `stop` turns true.
#include <atomic>
#include <string>

struct OrvikHttpResult {
    bool transferred = false;  // a reply arrived, whatever its status
    long status = 0;
    std::string body;
    std::wstring error;        // why nothing usable arrived

    // A reply with a status below 400.
    bool Ok() const { return transferred && status > 0 && status < 400; }
};

struct OrvikHttpOptions {
    int connectTimeoutMs = 5000;
    int totalTimeoutMs = 15000;
    const std::atomic<bool>* stop = nullptr;
};

OrvikHttpResult OrvikHttpGet(const std::wstring& url, const OrvikHttpOptions& options);
OrvikHttpResult OrvikHttpPost(const std::wstring& url, const std::string& body, const OrvikHttpOptions& options);
