#include "platform/notify/DarwinNotify.h"
#include "platform/foundation/Device.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace platform {

namespace {

constexpr const char* kRegistryDir = "/var/run/igtarvo-notify";

std::string registryDir() { return Device::path(kRegistryDir); }

// Sockets live in the abstract namespace (no path length limit, no files to
// clean up), named after the device root and the process.
sockaddr_un socketAddress(pid_t pid, socklen_t& length)
{
    sockaddr_un addr {};
    addr.sun_family = AF_UNIX;
    std::string name = "igtarvo-notify:" + std::to_string(std::hash<std::string> {}(Device::root())) + ":" + std::to_string(pid);
    addr.sun_path[0] = '\0';
    std::memcpy(addr.sun_path + 1, name.data(), std::min(name.size(), sizeof(addr.sun_path) - 2));
    length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + std::min(name.size(), sizeof(addr.sun_path) - 2));
    return addr;
}

struct Registration {
    std::string name;
    RefPtr<DispatchQueue> queue;
    NotifyHandler handler;
};

struct Subscriber {
    std::mutex lock;
    std::map<int, Registration> registrations;
    int nextToken = 1;
    int socket = -1;
    pid_t pid = 0;
    std::string root;
};

Subscriber& subscriber()
{
    static auto* s = new Subscriber;
    return *s;
}

void listen(int fd)
{
    char buffer[1024];
    for (;;) {
        // Wait with the datagram left in place, so that it counts as waiting
        // input until its handling is under way.
        if (::recv(fd, buffer, sizeof buffer, MSG_PEEK) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        RunLoop::beginActivity();
        ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n >= 0) {
            std::string name(buffer, size_t(n));
            auto& s = subscriber();
            std::lock_guard guard(s.lock);
            for (auto& [token, reg] : s.registrations) {
                if (reg.name == name)
                    reg.queue->async([handler = reg.handler, token = token] { handler(token); });
            }
        }
        RunLoop::endActivity();
        if (n < 0 && errno != EINTR)
            return;
    }
}

// Opens this process's socket and lists it, once per process (again after a fork).
bool ensureListening(Subscriber& s)
{
    pid_t pid = ::getpid();
    if (s.socket >= 0 && s.pid == pid && s.root == Device::root())
        return true;
    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    socklen_t length;
    sockaddr_un addr = socketAddress(pid, length);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), length) != 0) {
        ::close(fd);
        return false;
    }
    std::string dir = registryDir();
    std::string partial;
    for (size_t i = 1; i <= dir.size(); ++i) {
        if (i == dir.size() || dir[i] == '/')
            ::mkdir(dir.substr(0, i).c_str(), 0755);
    }
    int entry = ::open((dir + "/" + std::to_string(pid)).c_str(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
    if (entry >= 0)
        ::close(entry);
    s.socket = fd;
    s.pid = pid;
    s.root = Device::root();
    static std::once_flag source;
    std::call_once(source, [] {
        RunLoop::addSource([] {
            auto& s = subscriber();
            std::lock_guard guard(s.lock);
            int waiting = 0;
            return s.socket >= 0 && ::ioctl(s.socket, FIONREAD, &waiting) == 0 && waiting > 0;
        });
    });
    std::thread(listen, fd).detach();
    return true;
}

} // namespace

uint32_t notify_post(const char* name)
{
    if (!name)
        return NOTIFY_STATUS_FAILED;
    std::string dir = registryDir();
    DIR* d = ::opendir(dir.c_str());
    if (!d)
        return NOTIFY_STATUS_OK; // nobody has ever subscribed
    int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    size_t nameLength = std::strlen(name);
    while (dirent* e = ::readdir(d)) {
        char* end = nullptr;
        long pid = std::strtol(e->d_name, &end, 10);
        if (!*e->d_name || *end || pid <= 0)
            continue;
        socklen_t length;
        sockaddr_un addr = socketAddress(pid_t(pid), length);
        ssize_t sent;
        do {
            sent = ::sendto(fd, name, nameLength, 0, reinterpret_cast<sockaddr*>(&addr), length);
        } while (sent < 0 && errno == EINTR);
        if (sent < 0 && (errno == ECONNREFUSED || errno == ENOENT))
            ::unlink((dir + "/" + e->d_name).c_str()); // the subscriber has gone
    }
    ::closedir(d);
    if (fd >= 0)
        ::close(fd);
    return NOTIFY_STATUS_OK;
}

uint32_t notify_register_dispatch(const char* name, int* outToken, DispatchQueue* queue, NotifyHandler handler)
{
    if (!name || !queue || !handler)
        return NOTIFY_STATUS_FAILED;
    auto& s = subscriber();
    std::lock_guard guard(s.lock);
    if (!ensureListening(s))
        return NOTIFY_STATUS_FAILED;
    int token = s.nextToken++;
    s.registrations.emplace(token, Registration { name, RefPtr<DispatchQueue>(queue), std::move(handler) });
    if (outToken)
        *outToken = token;
    return NOTIFY_STATUS_OK;
}

uint32_t notify_cancel(int token)
{
    auto& s = subscriber();
    std::lock_guard guard(s.lock);
    return s.registrations.erase(token) ? NOTIFY_STATUS_OK : NOTIFY_STATUS_FAILED;
}

} // namespace platform
