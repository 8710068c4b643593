#include "platform/foundation/NSPathUtilities.h"

#include "platform/foundation/Device.h"

#include <mutex>

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

} // namespace platform
