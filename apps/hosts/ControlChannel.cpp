#include "apps/hosts/ControlChannel.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/Device.h"

#include <cstring>
#include <poll.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace hosts {

namespace {

sockaddr_un address(const std::string& processName, socklen_t& length)
{
    sockaddr_un addr {};
    addr.sun_family = AF_UNIX;
    std::string name = "igtarvo-control:" + std::to_string(std::hash<std::string> {}(platform::Device::root())) + ":" + processName;
    size_t n = std::min(name.size(), sizeof(addr.sun_path) - 2);
    std::memcpy(addr.sun_path + 1, name.data(), n);
    length = socklen_t(offsetof(sockaddr_un, sun_path) + 1 + n);
    return addr;
}

std::vector<std::string> words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

void writeAll(int fd, const std::string& text)
{
    for (size_t off = 0; off < text.size();) {
        ssize_t n = ::send(fd, text.data() + off, text.size() - off, MSG_NOSIGNAL);
        if (n <= 0)
            return;
        off += size_t(n);
    }
}

void serve(int fd, std::shared_ptr<std::map<std::string, ControlCommand>> commands)
{
    for (;;) {
        int client = ::accept4(fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return;
        std::string line;
        char c;
        while (::recv(client, &c, 1, 0) == 1 && c != '\n')
            line += c;
        auto args = words(line);
        std::string reply;
        if (args.empty()) {
            reply = "error: empty command\n";
        } else if (args[0] == "help") {
            reply = "idle\n";
            for (auto& [name, _] : *commands)
                reply += name + "\n";
        } else if (args[0] == "idle") {
            // Answered off the main thread, whose loop goes on meanwhile.
            reply = platform::RunLoop::waitUntilIdle() ? "idle\n" : "error: still busy after 30 seconds\n";
        } else if (auto it = commands->find(args[0]); it == commands->end()) {
            reply = "error: unknown command '" + args[0] + "'\n";
        } else {
            args.erase(args.begin());
            // The command runs on the main thread, as a user's input would.
            platform::dispatch_sync(platform::dispatch_get_main_queue(), [&] {
                try {
                    reply = it->second(args);
                } catch (const std::exception& e) {
                    reply = std::string("error: ") + e.what() + "\n";
                }
            });
        }
        writeAll(client, reply);
        ::close(client);
    }
}

} // namespace

bool ControlChannel::listen(const std::string& processName, std::map<std::string, ControlCommand> commands)
{
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    socklen_t length;
    sockaddr_un addr = address(processName, length);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), length) != 0 || ::listen(fd, 8) != 0) {
        ::close(fd);
        return false;
    }
    std::thread(serve, fd, std::make_shared<std::map<std::string, ControlCommand>>(std::move(commands))).detach();
    return true;
}

std::optional<std::string> ControlChannel::send(const std::string& processName, const std::string& line, int timeoutMs)
{
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return std::nullopt;
    socklen_t length;
    sockaddr_un addr = address(processName, length);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&addr), length) != 0) {
        ::close(fd);
        return std::nullopt;
    }
    writeAll(fd, line + "\n");
    std::string reply;
    char buf[4096];
    for (;;) {
        pollfd p { fd, POLLIN, 0 };
        if (::poll(&p, 1, timeoutMs) <= 0) {
            ::close(fd);
            return std::nullopt;
        }
        ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n <= 0)
            break;
        reply.append(buf, size_t(n));
    }
    ::close(fd);
    return reply;
}

} // namespace hosts
