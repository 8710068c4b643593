#include "platform/foundation/NSPathUtilities.h"

#include "platform/foundation/Device.h"

#include <cstdio>
#include <filesystem>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace platform {

namespace {
std::mutex g_lock;
std::string g_home;
}

std::string NSHomeDirectory()
{
    std::lock_guard guard(g_lock);
    return g_home.empty() ? Device::path("/var/mobile") : g_home;
}

void setHomeDirectory(const std::string& path)
{
    std::lock_guard guard(g_lock);
    g_home = path;
}

std::string NSTemporaryDirectory()
{
    std::string folder = NSHomeDirectory() + "/tmp/";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return folder;
}

Ref<NSArray> NSSearchPathForDirectoriesInDomains(NSSearchPathDirectory directory, NSSearchPathDomainMask, bool)
{
    std::string home = NSHomeDirectory();
    switch (directory) {
    case NSDocumentDirectory:
        return NSArray::create({ ns(home + "/Documents") });
    case NSCachesDirectory:
        return NSArray::create({ ns(home + "/Library/Caches") });
    }
    return NSArray::create();
}

std::string lastPathComponent(const std::string& path)
{
    std::string p = path;
    while (p.size() > 1 && p.back() == '/')
        p.pop_back();
    auto slash = p.rfind('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
}

std::string NSDocumentsDirectoryPath()
{
    return NSHomeDirectory() + "/Documents";
}

bool NSDataWriteToFile(std::span<const uint8_t> bytes, const std::string& devicePath, bool atomically)
{
    return writeBytesToHostFile(bytes, Device::path(devicePath), atomically);
}

bool writeBytesToHostFile(std::span<const uint8_t> bytes, const std::string& target, bool atomically)
{
    std::string temporary = atomically ? target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(reinterpret_cast<uintptr_t>(&bytes)) : target;
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    size_t done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            ok = false;
            break;
        }
        done += size_t(n);
    }
    if (ok && atomically && ::fsync(fd) != 0)
        ok = false;
    if (::close(fd) != 0)
        ok = false;
    if (ok && atomically && std::rename(temporary.c_str(), target.c_str()) != 0)
        ok = false;
    if (!ok && atomically)
        std::remove(temporary.c_str());
    return ok;
}

} // namespace platform
