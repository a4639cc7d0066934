#pragma once
// Fetches of pages and images on worker threads: http(s) through libcurl
// with the engine's shared cookies, file:/// from disk. Results are handed
// to a callback on the worker; the caller carries them to its own thread.
#include "components/node/DecodedImage.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace node {

struct FetchRequest {
    std::string url;
    std::string postBody;       // a POST when not empty or `post` is set
    bool post = false;
    bool image = false;         // decode the body as an image
};

struct FetchResult {
    bool ok = false;
    long status = 0;
    std::string error;
    std::string body;
    std::string contentType;
    std::string finalUrl;
    std::shared_ptr<DecodedImage> image;
};

using CancelFlag = std::shared_ptr<std::atomic<bool>>;

class NetFetch {
public:
    static constexpr size_t kMaxBytes = 16u << 20;

    NetFetch();    // starts the workers, which set libcurl up
    ~NetFetch();   // cancels what is queued or running and joins the workers
    NetFetch(const NetFetch&) = delete;
    NetFetch& operator=(const NetFetch&) = delete;

    void Submit(FetchRequest request, CancelFlag cancel, std::function<void(FetchResult)> done);
    // The cookie file: read once before the first request, written by SaveCookies.
    void SetCookieFile(const std::wstring& path);
    void SaveCookies();

    static FetchResult Perform(const FetchRequest& request, const CancelFlag& cancel, void* share,
        const std::string& cookieFile);

private:
    struct Job {
        FetchRequest request;
        CancelFlag cancel;
        std::function<void(FetchResult)> done;
    };
    void SetUpCurl();
    void WorkerLoop();
    std::string CookieFileForRequest();

    std::mutex m_lock;
    std::condition_variable m_wake;
    std::deque<Job> m_jobs;
    std::vector<CancelFlag> m_running;
    bool m_stop = false;
    std::vector<std::thread> m_workers;
    std::once_flag m_curlOnce;
    void* m_share = nullptr;
    std::mutex m_shareLocks[8];
    std::string m_cookieFile;   // UTF-8
    bool m_cookiesLoaded = false;
};

} // namespace node
