#include "platform/foundation/Device.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include "platform/foundation/PropertyList.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace platform {

namespace {
std::mutex g_lock;
std::string g_root;

std::string normalise(std::string root)
{
    std::error_code ec;
    auto absolute = std::filesystem::absolute(root, ec);
    std::string s = ec ? root : absolute.lexically_normal().string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}
}

std::string Device::defaultRoot()
{
#ifdef IGTARVO_DEFAULT_ROOT
    return IGTARVO_DEFAULT_ROOT;
#else
    return "/tmp/igtarvo-device";
#endif
}

std::string Device::root()
{
    std::lock_guard guard(g_lock);
    if (g_root.empty()) {
        const char* env = std::getenv("IGTARVO_ROOT");
        g_root = normalise(env && *env ? env : defaultRoot());
    }
    return g_root;
}

void Device::setRoot(const std::string& root)
{
    std::lock_guard guard(g_lock);
    g_root = normalise(root);
}

std::string Device::path(std::string_view devicePath)
{
    std::string r = root();
    if (devicePath.empty())
        return r;
    if (devicePath.front() != '/')
        r += '/';
    return r + std::string(devicePath);
}

std::string Device::devicePath(std::string_view hostPath)
{
    std::string r = root();
    if (hostPath.size() >= r.size() && hostPath.substr(0, r.size()) == r && (hostPath.size() == r.size() || hostPath[r.size()] == '/')) {
        std::string rest(hostPath.substr(r.size()));
        return rest.empty() ? "/" : rest;
    }
    return std::string(hostPath);
}

void Device::putProgramsOnSearchPath()
{
    const char* current = std::getenv("PATH");
    std::string search = path("/usr/bin") + ":" + path("/bin");
    if (current && *current)
        search += std::string(":") + current;
    ::setenv("PATH", search.c_str(), 1);
}

double Device::foundationVersionNumber()
{
    auto info = readPropertyListFile(path(kSystemVersionPath));
    if (objc::object_isKindOfClass(info, NSDictionary::staticClass())) {
        auto value = static_cast<NSDictionary*>(info.get())->get("FoundationVersionNumber");
        if (objc::object_isKindOfClass(value, NSNumber::staticClass()))
            return static_cast<NSNumber*>(value.get())->doubleValue();
    }
    return NSFoundationVersionNumber_iOS_9_0;
}

RefPtr<Object> Device::setting(const std::string& key)
{
    auto settings = readPropertyListFile(path(kDeviceSettingsPath));
    if (!objc::object_isKindOfClass(settings, NSDictionary::staticClass()))
        return nullptr;
    return static_cast<NSDictionary*>(settings.get())->get(key);
}

std::string Device::stringSetting(const std::string& key, const std::string& fallback)
{
    auto value = setting(key);
    return isString(value) ? str(value) : fallback;
}

bool Device::boolSetting(const std::string& key, bool fallback)
{
    auto value = setting(key);
    if (objc::object_isKindOfClass(value, NSNumber::staticClass()))
        return static_cast<NSNumber*>(value.get())->boolValue();
    return fallback;
}

bool Device::setSetting(const std::string& key, id value)
{
    std::string file = path(kDeviceSettingsPath);
    std::error_code made;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), made);
    // Programs of the device change its settings at the same time (a host
    // records where its service listens as a test takes an app away): each
    // change reads, changes and writes under one lock, so none is lost.
    int lock = ::open((file + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (lock >= 0)
        ::flock(lock, LOCK_EX);
    struct Unlock {
        int fd;
        ~Unlock() { if (fd >= 0) ::close(fd); }
    } unlock { lock };
    auto current = readPropertyListFile(file);
    auto settings = NSMutableDictionary::create();
    if (objc::object_isKindOfClass(current, NSDictionary::staticClass()))
        settings = NSMutableDictionary::create(static_cast<NSDictionary*>(current.get())->entries());
    settings->set(key, value);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
    return writePropertyListFile(settings, file, PropertyListFormat::XML);
}

double NSFoundationVersionNumber()
{
    return Device::foundationVersionNumber();
}

} // namespace platform
