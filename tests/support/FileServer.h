#pragma once
// An HTTP server on 127.0.0.1 for transfer tests. Each path has a route: a
// status and a body, sent with or without its length, optionally pausing
// after some bytes or dropping the connection after some bytes. It stops when
// destroyed.

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace testsupport {

struct Route {
    int status = 200;
    std::shared_ptr<const std::string> body = std::make_shared<std::string>();
    bool sendLength = true;
    size_t pauseAfter = std::string::npos;     // bytes of the body sent before the pause
    std::chrono::milliseconds pause { 0 };
    size_t dropAfter = std::string::npos;       // bytes of the body sent before closing
    std::chrono::milliseconds headerDelay { 0 };
    size_t pieceSize = 0;                       // >0: the body goes in pieces of this size…
    std::chrono::microseconds pieceGap { 0 };   // …this far apart
};

class FileServer {
public:
    FileServer()
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        int one = 1;
        ::setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in addr {};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(m_fd, 64);
        socklen_t len = sizeof addr;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
        m_thread = std::thread([this] { serve(); });
    }
    ~FileServer()
    {
        m_stopping = true;
        ::shutdown(m_fd, SHUT_RDWR);
        ::close(m_fd);
        m_thread.join();
        // Connections still sending finish on their own threads.
        while (m_open.load() > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }

    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(m_port) + path; }
    int port() const { return m_port; }
    void route(const std::string& path, Route r)
    {
        std::lock_guard guard(m_lock);
        m_routes[path] = std::move(r);
    }
    // A body of `size` bytes of a repeating pattern.
    static std::shared_ptr<const std::string> pattern(size_t size)
    {
        auto text = std::make_shared<std::string>(size, '\0');
        for (size_t i = 0; i < size; ++i)
            (*text)[i] = char('a' + i % 26);
        return text;
    }

private:
    void serve()
    {
        while (!m_stopping) {
            int client = ::accept(m_fd, nullptr, nullptr);
            if (client < 0)
                return;
            ++m_open;
            std::thread([this, client] { answer(client); --m_open; }).detach();
        }
    }
    static bool sendAll(int fd, const char* data, size_t size)
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
    void answer(int client)
    {
        std::string request;
        char buf[2048];
        while (request.find("\r\n\r\n") == std::string::npos) {
            ssize_t n = ::recv(client, buf, sizeof buf, 0);
            if (n <= 0)
                break;
            request.append(buf, size_t(n));
        }
        auto sp = request.find(' ');
        std::string path = sp == std::string::npos ? "/" : request.substr(sp + 1, request.find(' ', sp + 1) - sp - 1);
        Route r;
        {
            std::lock_guard guard(m_lock);
            auto it = m_routes.find(path);
            if (it == m_routes.end())
                r.status = 404, r.body = std::make_shared<std::string>("not here");
            else
                r = it->second;
        }
        std::this_thread::sleep_for(r.headerDelay);
        std::string head = "HTTP/1.1 " + std::to_string(r.status) + " X\r\nContent-Type: application/octet-stream\r\n";
        if (r.sendLength)
            head += "Content-Length: " + std::to_string(r.body->size()) + "\r\n";
        head += "Connection: close\r\n\r\n";
        const std::string& body = *r.body;
        size_t end = std::min(body.size(), r.dropAfter);
        bool ok = sendAll(client, head.data(), head.size());
        if (ok && r.pieceSize > 0) {
            for (size_t at = 0; ok && at < end; at += r.pieceSize) {
                ok = sendAll(client, body.data() + at, std::min(r.pieceSize, end - at));
                std::this_thread::sleep_for(r.pieceGap);
            }
        } else if (ok && r.pauseAfter < end) {
            ok = sendAll(client, body.data(), r.pauseAfter);
            std::this_thread::sleep_for(r.pause);
            if (ok)
                ok = sendAll(client, body.data() + r.pauseAfter, end - r.pauseAfter);
        } else if (ok) {
            sendAll(client, body.data(), end);
        }
        ::shutdown(client, SHUT_WR);
        ::close(client);
    }

    int m_fd = -1;
    int m_port = 0;
    std::thread m_thread;
    std::atomic<bool> m_stopping { false };
    std::atomic<int> m_open { 0 };
    std::mutex m_lock;
    std::map<std::string, Route> m_routes;
};

} // namespace testsupport
