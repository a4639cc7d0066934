#include "components/node/NetFetch.h"

#include "components/node/ImageDecoder.h"
#include "components/node/PageText.h"

#include <winsock2.h>
#include <windows.h>
#include <objbase.h>

#include <curl/curl.h>

#include <algorithm>

namespace node {

namespace {

struct Transfer {
    std::string body;
    std::string contentType;
    bool tooLarge = false;
    const CancelFlag* cancel = nullptr;
};

size_t OnBody(char* data, size_t size, size_t count, void* user)
{
    auto* t = static_cast<Transfer*>(user);
    size_t n = size * count;
    if (t->body.size() + n > NetFetch::kMaxBytes) {
        t->tooLarge = true;
        return 0;   // a short count ends the transfer
    }
    t->body.append(data, n);
    return n;
}

int OnProgress(void* user, curl_off_t total, curl_off_t, curl_off_t, curl_off_t)
{
    auto* t = static_cast<Transfer*>(user);
    if (total > curl_off_t(NetFetch::kMaxBytes)) t->tooLarge = true;
    return (t->tooLarge || (*t->cancel && **t->cancel)) ? 1 : 0;
}

int Hex(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    c = char(tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::string PercentDecode(const std::string& s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && Hex(s[i + 1]) >= 0 && Hex(s[i + 2]) >= 0) {
            out += char(Hex(s[i + 1]) * 16 + Hex(s[i + 2]));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

FetchResult ReadFileUrl(const std::string& url)
{
    FetchResult r;
    r.finalUrl = url;
    std::string path = PercentDecode(url.substr(8));
    path = path.substr(0, path.find_first_of("?#"));
    HANDLE f = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        r.error = "file not found: " + path;
        return r;
    }
    LARGE_INTEGER size{};
    GetFileSizeEx(f, &size);
    if (size.QuadPart > LONGLONG(NetFetch::kMaxBytes)) {
        r.error = "file larger than 16 MiB";
    } else {
        r.body.resize(size_t(size.QuadPart));
        DWORD got = 0;
        r.ok = r.body.empty() || (ReadFile(f, r.body.data(), DWORD(r.body.size()), &got, nullptr) && got == r.body.size());
        if (!r.ok) r.error = "file could not be read";
    }
    CloseHandle(f);
    std::string lower = path;
    for (char& c : lower) c = char(tolower(static_cast<unsigned char>(c)));
    if (lower.size() > 4 && (lower.rfind(".htm") == lower.size() - 4 || lower.rfind(".html") == lower.size() - 5))
        r.contentType = "text/html";
    return r;
}

void ShareLock(CURL*, curl_lock_data data, curl_lock_access, void* user)
{
    static_cast<std::mutex*>(user)[int(data) & 7].lock();
}

void ShareUnlock(CURL*, curl_lock_data data, void* user)
{
    static_cast<std::mutex*>(user)[int(data) & 7].unlock();
}

void SetOptions(CURL* h, const FetchRequest& req, Transfer& t, void* share, const std::string& cookieFile)
{
    curl_easy_setopt(h, CURLOPT_URL, req.url.c_str());
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, 40000L);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, 90000L);
    curl_easy_setopt(h, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(h, CURLOPT_USERAGENT, "Mozilla/5.0 (Windows NT 10.0; Win64; x64) node/1.0");
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &t);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &t);
    if (share) curl_easy_setopt(h, CURLOPT_SHARE, share);
    curl_easy_setopt(h, CURLOPT_COOKIEFILE, cookieFile.c_str());
    if (req.post || !req.postBody.empty()) {
        curl_easy_setopt(h, CURLOPT_POST, 1L);
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE, long(req.postBody.size()));
        curl_easy_setopt(h, CURLOPT_COPYPOSTFIELDS, req.postBody.c_str());
    }
}

} // namespace

FetchResult NetFetch::Perform(const FetchRequest& req, const CancelFlag& cancel, void* share,
    const std::string& cookieFile)
{
    std::string lower = req.url.substr(0, 8);
    for (char& c : lower) c = char(tolower(static_cast<unsigned char>(c)));
    if (lower.rfind("file:///", 0) == 0) return ReadFileUrl(req.url);
    FetchResult r;
    r.finalUrl = req.url;
    if (lower.rfind("http://", 0) != 0 && lower.rfind("https://", 0) != 0) {
        r.error = "unsupported address: " + req.url;
        return r;
    }
    CURL* h = curl_easy_init();
    if (!h) {
        r.error = "no transfer handle";
        return r;
    }
    Transfer t;
    t.cancel = &cancel;
    SetOptions(h, req, t, share, cookieFile);
    CURLcode rc = curl_easy_perform(h);
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &r.status);
    char* ct = nullptr;
    if (curl_easy_getinfo(h, CURLINFO_CONTENT_TYPE, &ct) == CURLE_OK && ct) r.contentType = ct;
    char* eff = nullptr;
    if (curl_easy_getinfo(h, CURLINFO_EFFECTIVE_URL, &eff) == CURLE_OK && eff) r.finalUrl = eff;
    curl_easy_cleanup(h);
    r.body = std::move(t.body);
    if (t.tooLarge) r.error = "response larger than 16 MiB";
    else if (cancel && *cancel) r.error = "cancelled";
    else if (rc != CURLE_OK) r.error = curl_easy_strerror(rc);
    else if (r.status >= 400) r.error = "HTTP status " + std::to_string(r.status);
    r.ok = r.error.empty();
    return r;
}

NetFetch::NetFetch()
{
    for (int i = 0; i < 4; ++i) m_workers.emplace_back([this] { WorkerLoop(); });
}

// libcurl's global set-up loads the system's security packages, which takes
// long under Wine: the workers do it, so that binding the engine never waits
// for it and a page loaded a moment later finds it done.
void NetFetch::SetUpCurl()
{
    std::call_once(m_curlOnce, [this] {
        curl_global_init(CURL_GLOBAL_ALL);
        m_share = curl_share_init();
        curl_share_setopt(m_share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
        curl_share_setopt(m_share, CURLSHOPT_LOCKFUNC, ShareLock);
        curl_share_setopt(m_share, CURLSHOPT_UNLOCKFUNC, ShareUnlock);
        curl_share_setopt(m_share, CURLSHOPT_USERDATA, m_shareLocks);
    });
}

NetFetch::~NetFetch()
{
    {
        std::lock_guard<std::mutex> g(m_lock);
        m_stop = true;
        for (auto& j : m_jobs) *j.cancel = true;
        for (auto& c : m_running) *c = true;
        m_jobs.clear();
    }
    m_wake.notify_all();
    for (auto& t : m_workers) t.join();
    if (m_share) curl_share_cleanup(m_share);
}

void NetFetch::Submit(FetchRequest request, CancelFlag cancel, std::function<void(FetchResult)> done)
{
    {
        std::lock_guard<std::mutex> g(m_lock);
        m_jobs.push_back(Job{std::move(request), std::move(cancel), std::move(done)});
    }
    m_wake.notify_one();
}

std::string NetFetch::CookieFileForRequest()
{
    std::lock_guard<std::mutex> g(m_lock);
    if (m_cookiesLoaded || m_cookieFile.empty()) return {};
    m_cookiesLoaded = true;
    return m_cookieFile;
}

void NetFetch::WorkerLoop()
{
    SetUpCurl();
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> g(m_lock);
            m_wake.wait(g, [&] { return m_stop || !m_jobs.empty(); });
            if (m_stop) break;
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
            m_running.push_back(job.cancel);
        }
        FetchResult r = Perform(job.request, job.cancel, m_share, CookieFileForRequest());
        if (r.ok && job.request.image) r.image = DecodeImage(r.body);
        {
            std::lock_guard<std::mutex> g(m_lock);
            m_running.erase(std::find(m_running.begin(), m_running.end(), job.cancel));
        }
        if (!*job.cancel) job.done(std::move(r));
    }
    CoUninitialize();
}

void NetFetch::SetCookieFile(const std::wstring& path)
{
    std::lock_guard<std::mutex> g(m_lock);
    std::string p = WideToUtf8(path);
    if (p == m_cookieFile) return;
    m_cookieFile = p;
    m_cookiesLoaded = false;
}

void NetFetch::SaveCookies()
{
    SetUpCurl();
    std::string file;
    {
        std::lock_guard<std::mutex> g(m_lock);
        file = m_cookieFile;
    }
    if (file.empty()) return;
    CURL* h = curl_easy_init();
    if (!h) return;
    curl_easy_setopt(h, CURLOPT_SHARE, m_share);
    if (!m_cookiesLoaded) curl_easy_setopt(h, CURLOPT_COOKIEFILE, file.c_str());
    curl_easy_setopt(h, CURLOPT_COOKIEJAR, file.c_str());
    curl_easy_setopt(h, CURLOPT_COOKIELIST, "FLUSH");
    curl_easy_cleanup(h);
}

} // namespace node
