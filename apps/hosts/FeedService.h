#pragma once
// The feed service: a small HTTP server on 127.0.0.1 that serves one folder —
// the device's sample feed (feed.json) and its media — the way Instagram's
// servers answer the app: GET and HEAD, Content-Length, Content-Type by the
// file's extension, and byte ranges ("Range: bytes=A-B", "A-", "-N") answered
// with 206 and Content-Range, or 416 when no byte of the file is asked for.
//
// Only files inside the folder are served: a path that names a parent folder
// (".."), a folder or a missing file answers 404, and a request that is not
// HTTP answers 400. Each connection carries one request ("Connection: close").
//
// Threads: one thread accepts, each connection is answered on a thread of its
// own. Destroying the service stops accepting and waits for the answers under
// way.

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace hosts {

class FeedService {
public:
    // Serves `folder` (a path on this machine) on 127.0.0.1 at `port` (0: a
    // free port chosen by the system). Nullptr when the port cannot be bound.
    static std::unique_ptr<FeedService> start(const std::string& folder, int port = 0);
    ~FeedService();
    FeedService(const FeedService&) = delete;
    FeedService& operator=(const FeedService&) = delete;

    int port() const { return m_port; }
    // "http://127.0.0.1:PORT" followed by the path.
    std::string url(const std::string& path = "/") const;
    // How many requests have been answered (any status).
    long requestCount() const { return m_requests.load(); }

private:
    FeedService(std::string folder, int fd, int port);
    void acceptLoop();
    void answer(int client);

    std::string m_folder;
    int m_fd { -1 };
    int m_port { 0 };
    int m_wake[2] { -1, -1 };
    std::thread m_acceptor;
    std::mutex m_lock;
    std::condition_variable m_idle;
    int m_open { 0 };
    std::atomic<long> m_requests { 0 };
};

} // namespace hosts
