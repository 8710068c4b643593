#include "platform/foundation/NSPathUtilities.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSBundle.h"

#include <cstdio>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace platform {

namespace {
std::mutex g_homeLock;
std::string g_home;

std::string recordedContainer()
{
    auto bundle = NSBundle::mainBundle();
    if (!bundle)
        return {};
    auto identifier = bundle->objectForInfoDictionaryKey(ns("CFBundleIdentifier"));
    if (!isString(identifier))
        return {};
    auto apps = Device::setting(kSettingApplications);
    if (!objc::object_isKindOfClass(apps, NSDictionary::staticClass()))
        return {};
    auto app = static_cast<NSDictionary*>(apps.get())->get(str(identifier));
    if (!objc::object_isKindOfClass(app, NSDictionary::staticClass()))
        return {};
    auto container = static_cast<NSDictionary*>(app.get())->get("DataContainer");
    return isString(container) ? str(container) : std::string();
}
}

std::string NSHomeDirectory()
{
    {
        std::lock_guard guard(g_homeLock);
        if (!g_home.empty())
            return g_home;
    }
    std::string container = recordedContainer();
    return container.empty() ? std::string("/var/mobile") : container;
}

void setHomeDirectory(const std::string& devicePath)
{
    std::lock_guard guard(g_homeLock);
    g_home = devicePath;
}

std::string NSDocumentsDirectoryPath()
{
    return NSHomeDirectory() + "/Documents";
}

RefPtr<NSArray> NSSearchPathForDirectoriesInDomains(unsigned long directory, unsigned long, bool)
{
    std::string home = NSHomeDirectory();
    switch (directory) {
    case NSDocumentDirectory: return NSArray::create({ ns(home + "/Documents") });
    case NSLibraryDirectory: return NSArray::create({ ns(home + "/Library") });
    case NSCachesDirectory: return NSArray::create({ ns(home + "/Library/Caches") });
    default: return NSArray::create({});
    }
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
