#include "apps/hosts/FeedService.h"

#include <algorithm>
#include <arpa/inet.h>
#include <vector>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <strings.h>
#include <sys/time.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace hosts {

namespace {

bool sendAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        ssize_t n = ::send(fd, data, size, MSG_NOSIGNAL);
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

std::string contentType(const std::string& path)
{
    std::string ext = fs::path(path).extension().string();
    for (char& c : ext)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    if (ext == ".json") return "application/json";
    if (ext == ".jpg" || ext == ".jpeg") return "image/jpeg";
    if (ext == ".png") return "image/png";
    if (ext == ".mp4") return "video/mp4";
    if (ext == ".mov") return "video/quicktime";
    return "application/octet-stream";
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The request target's path, percent-decoded, without its query; nullopt
// for a malformed escape or a NUL byte.
std::optional<std::string> decodedPath(const std::string& target)
{
    std::string path = target.substr(0, target.find_first_of("?#"));
    std::string out;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] != '%') {
            out += path[i];
            continue;
        }
        int hi = i + 1 < path.size() ? hexValue(path[i + 1]) : -1;
        int lo = i + 2 < path.size() ? hexValue(path[i + 2]) : -1;
        if (hi < 0 || lo < 0)
            return std::nullopt;
        out += char(hi * 16 + lo);
        i += 2;
    }
    if (out.find('\0') != std::string::npos)
        return std::nullopt;
    return out;
}

// A file inside the folder for a request path, or nullopt when the path
// leaves the folder or names no regular file.
std::optional<std::string> fileFor(const std::string& folder, const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return std::nullopt;
    fs::path relative = fs::path(path).relative_path();
    for (const auto& part : relative) {
        if (part == "..")
            return std::nullopt;
    }
    std::error_code ec;
    fs::path full = fs::weakly_canonical(fs::path(folder) / relative, ec);
    fs::path root = fs::weakly_canonical(folder, ec);
    if (ec)
        return std::nullopt;
    auto mismatch = std::mismatch(root.begin(), root.end(), full.begin(), full.end());
    if (mismatch.first != root.end())
        return std::nullopt;
    if (!fs::is_regular_file(full, ec))
        return std::nullopt;
    return full.string();
}

struct ByteRange {
    bool asked = false;
    bool satisfiable = true;
    uint64_t first = 0;
    uint64_t last = 0; // inclusive
};

// One range of "bytes=A-B", "bytes=A-" or "bytes=-N" for a file of `size`
// bytes. Several ranges or another unit are answered with the whole file, as
// a server may.
ByteRange parseRange(const std::string& header, uint64_t size)
{
    ByteRange range;
    const std::string unit = "bytes=";
    if (header.compare(0, unit.size(), unit) != 0 || header.find(',') != std::string::npos)
        return range;
    std::string spec = header.substr(unit.size());
    auto dash = spec.find('-');
    if (dash == std::string::npos)
        return range;
    std::string a = spec.substr(0, dash), b = spec.substr(dash + 1);
    auto number = [](const std::string& text, uint64_t& value) {
        if (text.empty() || text.size() > 19 || text.find_first_not_of("0123456789") != std::string::npos)
            return false;
        value = std::stoull(text);
        return true;
    };
    uint64_t x = 0, y = 0;
    if (a.empty()) {
        if (!number(b, y))
            return range;
        range.asked = true;
        if (y == 0 || size == 0) {
            range.satisfiable = false;
            return range;
        }
        range.first = y >= size ? 0 : size - y;
        range.last = size - 1;
        return range;
    }
    if (!number(a, x) || (!b.empty() && !number(b, y)))
        return range;
    if (!b.empty() && y < x)
        return range; // invalid: ignored, the whole file is sent
    range.asked = true;
    if (x >= size) {
        range.satisfiable = false;
        return range;
    }
    range.first = x;
    range.last = b.empty() || y >= size ? size - 1 : y;
    return range;
}

std::string headerValue(const std::string& request, const std::string& name)
{
    size_t at = 0;
    while ((at = request.find("\r\n", at)) != std::string::npos) {
        at += 2;
        size_t colon = request.find(':', at);
        size_t end = request.find("\r\n", at);
        if (colon == std::string::npos || end == std::string::npos || colon > end)
            continue;
        std::string key = request.substr(at, colon - at);
        if (key.size() == name.size() && strncasecmp(key.c_str(), name.c_str(), name.size()) == 0) {
            std::string value = request.substr(colon + 1, end - colon - 1);
            size_t s = value.find_first_not_of(" \t");
            size_t e = value.find_last_not_of(" \t");
            return s == std::string::npos ? std::string() : value.substr(s, e - s + 1);
        }
    }
    return {};
}

void sendStatus(int client, int status, const char* reason)
{
    std::string body = std::string(reason) + "\n";
    std::string head = "HTTP/1.1 " + std::to_string(status) + " " + reason + "\r\nContent-Type: text/plain\r\nContent-Length: "
        + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n";
    sendAll(client, head.data(), head.size());
    sendAll(client, body.data(), body.size());
}

} // namespace

std::unique_ptr<FeedService> FeedService::start(const std::string& folder, int port)
{
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return nullptr;
    int one = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in addr {};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(uint16_t(port));
    socklen_t len = sizeof addr;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || ::listen(fd, 64) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<FeedService>(new FeedService(folder, fd, ntohs(addr.sin_port)));
}

FeedService::FeedService(std::string folder, int fd, int port)
    : m_folder(std::move(folder))
    , m_fd(fd)
    , m_port(port)
{
    if (::pipe2(m_wake, O_CLOEXEC) != 0)
        m_wake[0] = m_wake[1] = -1;
    m_acceptor = std::thread([this] { acceptLoop(); });
}

FeedService::~FeedService()
{
    if (m_wake[1] >= 0) {
        char c = 0;
        [[maybe_unused]] ssize_t n = ::write(m_wake[1], &c, 1);
    }
    ::shutdown(m_fd, SHUT_RDWR);
    m_acceptor.join();
    ::close(m_fd);
    {
        std::unique_lock guard(m_lock);
        m_idle.wait(guard, [this] { return m_open == 0; });
    }
    for (int w : m_wake) {
        if (w >= 0)
            ::close(w);
    }
}

std::string FeedService::url(const std::string& path) const
{
    return "http://127.0.0.1:" + std::to_string(m_port) + path;
}

void FeedService::acceptLoop()
{
    for (;;) {
        pollfd fds[2] = { { m_fd, POLLIN, 0 }, { m_wake[0], POLLIN, 0 } };
        int n = ::poll(fds, m_wake[0] >= 0 ? 2 : 1, -1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || (fds[1].revents & POLLIN) || (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)))
            return;
        int client = ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) {
            if (errno == EINTR || errno == ECONNABORTED || errno == EAGAIN)
                continue;
            return;
        }
        {
            std::lock_guard guard(m_lock);
            ++m_open;
        }
        std::thread([this, client] {
            answer(client);
            ::close(client);
            std::lock_guard guard(m_lock);
            if (--m_open == 0)
                m_idle.notify_all();
        }).detach();
    }
}

void FeedService::answer(int client)
{
    timeval timeout { 10, 0 };
    ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::string request;
    char buf[4096];
    while (request.find("\r\n\r\n") == std::string::npos) {
        if (request.size() > 64 * 1024)
            break;
        ssize_t n = ::recv(client, buf, sizeof buf, 0);
        if (n <= 0)
            break;
        request.append(buf, size_t(n));
    }
    ++m_requests;
    size_t lineEnd = request.find("\r\n");
    std::string line = request.substr(0, lineEnd);
    size_t sp1 = line.find(' '), sp2 = line.rfind(' ');
    if (lineEnd == std::string::npos || sp1 == std::string::npos || sp2 == sp1 || line.compare(sp2 + 1, 5, "HTTP/") != 0)
        return sendStatus(client, 400, "Bad Request");
    std::string method = line.substr(0, sp1);
    if (method != "GET" && method != "HEAD")
        return sendStatus(client, 405, "Method Not Allowed");
    auto path = decodedPath(line.substr(sp1 + 1, sp2 - sp1 - 1));
    if (!path)
        return sendStatus(client, 400, "Bad Request");
    auto file = fileFor(m_folder, *path);
    if (!file)
        return sendStatus(client, 404, "Not Found");
    int in = ::open(file->c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    if (in < 0 || ::fstat(in, &st) != 0) {
        if (in >= 0)
            ::close(in);
        return sendStatus(client, 404, "Not Found");
    }
    uint64_t size = uint64_t(st.st_size);
    ByteRange range = parseRange(headerValue(request, "Range"), size);
    if (range.asked && !range.satisfiable) {
        ::close(in);
        std::string head = "HTTP/1.1 416 Range Not Satisfiable\r\nContent-Range: bytes */" + std::to_string(size)
            + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
        sendAll(client, head.data(), head.size());
        return;
    }
    uint64_t first = range.asked ? range.first : 0;
    uint64_t count = range.asked ? range.last - range.first + 1 : size;
    std::string head = range.asked ? "HTTP/1.1 206 Partial Content\r\n" : "HTTP/1.1 200 OK\r\n";
    head += "Content-Type: " + contentType(*file) + "\r\nContent-Length: " + std::to_string(count) + "\r\nAccept-Ranges: bytes\r\n";
    if (range.asked)
        head += "Content-Range: bytes " + std::to_string(range.first) + "-" + std::to_string(range.last) + "/" + std::to_string(size) + "\r\n";
    head += "Connection: close\r\n\r\n";
    bool ok = sendAll(client, head.data(), head.size());
    if (method == "GET") {
        std::vector<char> chunk(64 * 1024);
        uint64_t at = first, left = count;
        while (ok && left > 0) {
            ssize_t n = ::pread(in, chunk.data(), size_t(std::min<uint64_t>(left, chunk.size())), off_t(at));
            if (n <= 0)
                break;
            ok = sendAll(client, chunk.data(), size_t(n));
            at += uint64_t(n);
            left -= uint64_t(n);
        }
    }
    ::close(in);
    ::shutdown(client, SHUT_WR);
}

} // namespace hosts
