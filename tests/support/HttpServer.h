#pragma once
// A small HTTP server on 127.0.0.1 for tests: answers every GET with one
// configured status and body (optionally after a delay) and counts requests.
// It stops when destroyed, after every answer under way is sent.
//
// Tests fork children while a server runs (testsupport::inChildProcess); a
// child can only allocate memory safely when no thread of the parent was
// allocating at the fork. So the constructor returns only once the server's
// thread waits for its first client, and answers run on threads the server
// joins rather than on detached ones that could outlive it.

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace testsupport {

class HttpServer {
public:
    HttpServer()
    {
        m_fd = ::socket(AF_INET, SOCK_STREAM, 0);
        int one = 1;
        ::setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        sockaddr_in addr {};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        addr.sin_port = 0;
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        ::listen(m_fd, 16);
        socklen_t len = sizeof addr;
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&addr), &len);
        m_port = ntohs(addr.sin_port);
        m_thread = std::thread([this] { serve(); });
        std::unique_lock guard(m_lock);
        m_started.wait(guard, [this] { return m_serving; });
    }
    ~HttpServer()
    {
        m_stopping = true;
        ::shutdown(m_fd, SHUT_RDWR);
        ::close(m_fd);
        m_thread.join();
        for (auto& answering : m_answers)
            answering.join();
    }

    // The address of `path` on this server.
    std::string url(const std::string& path = "/") const { return "http://127.0.0.1:" + std::to_string(m_port) + path; }
    void respond(int status, std::string body, std::string contentType = "application/json")
    {
        std::lock_guard guard(m_lock);
        m_status = status;
        m_body = std::move(body);
        m_contentType = std::move(contentType);
    }
    void delay(std::chrono::milliseconds d) { m_delay = d; }
    int requestCount() const { return m_requests; }
    std::vector<std::string> paths() const { std::lock_guard guard(m_lock); return m_paths; }

private:
    void serve()
    {
        {
            std::lock_guard guard(m_lock);
            m_serving = true;
        }
        m_started.notify_all();
        while (!m_stopping) {
            int client = ::accept(m_fd, nullptr, nullptr);
            if (client < 0)
                return;
            m_answers.emplace_back([this, client] { answer(client); });
        }
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
        std::string status, body, type;
        {
            std::lock_guard guard(m_lock);
            auto sp = request.find(' ');
            m_paths.push_back(request.substr(sp + 1, request.find(' ', sp + 1) - sp - 1));
            status = std::to_string(m_status);
            body = m_body;
            type = m_contentType;
        }
        ++m_requests;
        std::this_thread::sleep_for(m_delay.load());
        std::string response = "HTTP/1.1 " + status + " X\r\nContent-Type: " + type + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
        ::send(client, response.data(), response.size(), MSG_NOSIGNAL);
        ::close(client);
    }

    int m_fd = -1;
    int m_port = 0;
    std::thread m_thread;
    std::vector<std::thread> m_answers; // the serving thread's own; joined after it
    std::condition_variable m_started;
    bool m_serving = false;
    std::atomic<bool> m_stopping { false };
    std::atomic<int> m_requests { 0 };
    std::atomic<std::chrono::milliseconds> m_delay { std::chrono::milliseconds(0) };
    mutable std::mutex m_lock;
    int m_status = 200;
    std::string m_body = "{}";
    std::string m_contentType = "application/json";
    std::vector<std::string> m_paths;
};

} // namespace testsupport
