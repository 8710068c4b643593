#include "platform/foundation/Preferences.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/PropertyList.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr const char* kPreferencesFolder = "/var/mobile/Library/Preferences";

bool isOneFileName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos && name.find('\0') == std::string::npos;
}

bool isCurrentUserOnAnyHost(const char* user, const char* host)
{
    return user && host && std::strcmp(user, kCFPreferencesCurrentUser) == 0 && std::strcmp(host, kCFPreferencesAnyHost) == 0;
}

std::string domainFile(const std::string& applicationID)
{
    return Device::path(preferencesDevicePath(applicationID));
}

struct Domain {
    Ref<NSDictionary> values = NSDictionary::create();
    bool unreadable = false; // a file is there but holds no dictionary
};

Domain readDomain(const std::string& file)
{
    Domain domain;
    struct stat st;
    if (::stat(file.c_str(), &st) != 0 || st.st_size == 0)
        return domain;
    auto plist = readPropertyListFile(file);
    if (objc::object_isKindOfClass(plist, NSDictionary::staticClass()))
        domain.values = Ref<NSDictionary>(*static_cast<NSDictionary*>(plist.get()));
    else
        domain.unreadable = true;
    return domain;
}

// An exclusive lock on the preferences folder, held by one writer of the
// device at a time (flock on the folder itself, so no lock file is left).
class FolderLock {
public:
    explicit FolderLock(const std::string& folder)
        : m_fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        if (m_fd >= 0) {
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) { }
        }
    }
    ~FolderLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    bool held() const { return m_fd >= 0; }

private:
    int m_fd;
};

// Re-reads the domain under the lock, lets `change` edit it and writes it back.
bool rewriteDomain(const std::string& applicationID, const std::function<void(NSMutableDictionary&)>& change)
{
    if (!isOneFileName(applicationID))
        return false;
    std::string file = domainFile(applicationID);
    std::string folder = std::filesystem::path(file).parent_path().string();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    FolderLock lock(folder);
    if (!lock.held())
        return false;
    Domain current = readDomain(file);
    if (current.unreadable && ::rename(file.c_str(), (file + ".unreadable").c_str()) != 0)
        return false;
    auto values = NSMutableDictionary::create(current.values->entries());
    change(*values);
    return writePropertyListFile(values, file, PropertyListFormat::Binary);
}

} // namespace

std::string preferencesDevicePath(const std::string& applicationID)
{
    return std::string(kPreferencesFolder) + "/" + applicationID + ".plist";
}

bool CFPreferencesAppSynchronize(const std::string& applicationID)
{
    return isOneFileName(applicationID) && !readDomain(domainFile(applicationID)).unreadable;
}

RefPtr<NSArray> CFPreferencesCopyKeyList(const std::string& applicationID, const char* user, const char* host)
{
    if (!isOneFileName(applicationID) || !isCurrentUserOnAnyHost(user, host))
        return nullptr;
    Domain domain = readDomain(domainFile(applicationID));
    if (domain.values->count() == 0)
        return nullptr;
    return domain.values->allKeys();
}

Ref<NSDictionary> CFPreferencesCopyMultiple(NSArray* keysToFetch, const std::string& applicationID, const char* user, const char* host)
{
    if (!isOneFileName(applicationID) || !isCurrentUserOnAnyHost(user, host))
        return NSDictionary::create();
    Domain domain = readDomain(domainFile(applicationID));
    if (!keysToFetch)
        return domain.values;
    std::map<std::string, Ref<Object>> found;
    for (auto& key : keysToFetch->items()) {
        if (auto value = domain.values->get(str(key.get())))
            found.emplace(str(key.get()), value.releaseNonNull());
    }
    return NSDictionary::create(std::move(found));
}

RefPtr<Object> CFPreferencesCopyAppValue(const std::string& key, const std::string& applicationID)
{
    if (!isOneFileName(applicationID))
        return nullptr;
    return readDomain(domainFile(applicationID)).values->get(key);
}

bool CFPreferencesSetMultiple(NSDictionary* keysToSet, NSArray* keysToRemove, const std::string& applicationID, const char* user, const char* host)
{
    if (!isCurrentUserOnAnyHost(user, host))
        return false;
    return rewriteDomain(applicationID, [&](NSMutableDictionary& values) {
        if (keysToSet) {
            for (auto& [key, value] : keysToSet->entries())
                values.set(key, value.get());
        }
        if (keysToRemove) {
            for (auto& key : keysToRemove->items())
                values.remove(str(key.get()));
        }
    });
}

bool CFPreferencesSetValue(const std::string& key, id value, const std::string& applicationID, const char* user, const char* host)
{
    if (!isCurrentUserOnAnyHost(user, host))
        return false;
    return rewriteDomain(applicationID, [&](NSMutableDictionary& values) {
        if (value)
            values.set(key, value);
        else
            values.remove(key);
    });
}

bool CFPreferencesSetAppValue(const std::string& key, id value, const std::string& applicationID)
{
    return CFPreferencesSetValue(key, value, applicationID, kCFPreferencesCurrentUser, kCFPreferencesAnyHost);
}

} // namespace platform
