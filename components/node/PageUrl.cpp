#include "components/node/PageUrl.h"

#include <cctype>

namespace node {

namespace {

bool HasScheme(const std::string& s)
{
    size_t colon = s.find(':');
    if (colon == std::string::npos || colon == 0) return false;
    for (size_t i = 0; i < colon; ++i)
        if (!isalpha(static_cast<unsigned char>(s[i])) && !(i > 0 && (isdigit(static_cast<unsigned char>(s[i])) || s[i] == '+' || s[i] == '-' || s[i] == '.')))
            return false;
    return true;
}

// Splits "scheme://authority" from the path (with query).
void Split(const std::string& url, std::string& origin, std::string& path)
{
    size_t s = url.find("://");
    size_t p = s == std::string::npos ? std::string::npos : url.find('/', s + 3);
    origin = p == std::string::npos ? url : url.substr(0, p);
    path = p == std::string::npos ? "/" : url.substr(p);
}

std::string RemoveDots(const std::string& path)
{
    std::string query;
    std::string p = path;
    size_t q = p.find_first_of("?#");
    if (q != std::string::npos) {
        query = p.substr(q);
        p = p.substr(0, q);
    }
    std::vector<std::string> out;
    size_t i = 0;
    bool trailing = !p.empty() && p.back() == '/';
    while (i < p.size()) {
        size_t e = p.find('/', i);
        if (e == std::string::npos) e = p.size();
        std::string seg = p.substr(i, e - i);
        i = e + 1;
        if (seg.empty() || seg == ".") continue;
        if (seg == "..") {
            if (!out.empty()) out.pop_back();
            continue;
        }
        out.push_back(seg);
    }
    std::string r;
    for (const auto& s : out) r += "/" + s;
    if (r.empty() || trailing || p.size() >= 2 && (p.substr(p.size() - 2) == "/." || p.substr(p.size() - 3) == "/.."))
        r += "/";
    return r + query;
}

} // namespace

std::string ResolveUrl(const std::string& base, const std::string& ref)
{
    std::string r = ref;
    while (!r.empty() && isspace(static_cast<unsigned char>(r.front()))) r.erase(0, 1);
    while (!r.empty() && isspace(static_cast<unsigned char>(r.back()))) r.pop_back();
    if (HasScheme(r)) return r;
    std::string origin, path;
    Split(base, origin, path);
    if (r.rfind("//", 0) == 0) return base.substr(0, base.find(':') + 1) + r;
    if (r.empty()) return base.substr(0, base.find('#'));
    if (r[0] == '#') return base.substr(0, base.find('#')) + r;
    if (r[0] == '?') return origin + path.substr(0, path.find_first_of("?#")) + r;
    if (r[0] == '/') return origin + RemoveDots(r);
    std::string dir = path.substr(0, path.find_first_of("?#"));
    dir = dir.substr(0, dir.rfind('/') + 1);
    return origin + RemoveDots(dir + r);
}

std::string FormEncode(const std::vector<std::pair<std::string, std::string>>& fields)
{
    static const char* kHex = "0123456789ABCDEF";
    auto enc = [&](const std::string& s) {
        std::string o;
        for (unsigned char c : s) {
            if (isalnum(c) || c == '-' || c == '_' || c == '.' || c == '*') o += char(c);
            else if (c == ' ') o += '+';
            else {
                o += '%';
                o += kHex[c >> 4];
                o += kHex[c & 15];
            }
        }
        return o;
    };
    std::string out;
    for (const auto& f : fields) {
        if (!out.empty()) out += '&';
        out += enc(f.first) + "=" + enc(f.second);
    }
    return out;
}

} // namespace node
