#include "platform/foundation/NSBundle.h"
#include "platform/foundation/PropertyList.h"

#include <algorithm>
#include <dlfcn.h>
#include <filesystem>
#include <map>
#include <mutex>
#include <sys/stat.h>

namespace platform {

OBJC_CLASS_LOAD(NSBundle)

void NSBundle::registerMethods(objc::ClassBuilder<NSBundle>& b)
{
    b.method<&NSBundle::bundlePath>("bundlePath")
        .method<&NSBundle::infoDictionary>("infoDictionary")
        .method<&NSBundle::objectForInfoDictionaryKey>("objectForInfoDictionaryKey:")
        .method<&NSBundle::loadCode>("load")
        .method<&NSBundle::isLoaded>("isLoaded")
        .method<&NSBundle::loadErrorDescription>("loadErrorDescription")
        .method<&NSBundle::principalClass>("principalClass")
        .method<&NSBundle::classNamed>("classNamed:")
        .method<&NSBundle::pathForResource>("pathForResource:ofType:")
        .classMethod<&NSBundle::bundleWithPathObject>("bundleWithPath:")
        .classMethod<&NSBundle::mainBundle>("mainBundle");
}

RefPtr<NSBundle> NSBundle::bundleWithPath(const std::string& path)
{
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return nullptr;
    std::error_code ec;
    std::string canonical = std::filesystem::weakly_canonical(path, ec).string();
    if (ec || canonical.empty())
        canonical = path;
    // One object per folder: bundles are kept for the life of the process.
    static std::mutex lock;
    static auto* bundles = new std::map<std::string, Ref<NSBundle>>;
    std::lock_guard guard(lock);
    auto found = bundles->find(canonical);
    if (found != bundles->end())
        return found->second;
    auto bundle = objc::make<NSBundle>(path);
    bundles->emplace(canonical, bundle);
    return bundle;
}

RefPtr<NSBundle> NSBundle::bundleWithPathObject(NSString* path)
{
    return path ? bundleWithPath(path->str()) : nullptr;
}

namespace {
std::mutex g_classOwnersLock;
std::map<objc::Class, NSBundle*> g_classOwners; // bundles live as long as the process
}

RefPtr<NSBundle> NSBundle::bundleForClass(objc::Class cls)
{
    std::lock_guard guard(g_classOwnersLock);
    auto found = g_classOwners.find(cls);
    return found == g_classOwners.end() ? nullptr : RefPtr<NSBundle>(found->second);
}

bool NSBundle::loadCode()
{
    std::lock_guard guard(m_lock);
    if (m_handle)
        return true;
    std::string executable = str(infoDictionary()->get("CFBundleExecutable").get());
    if (executable.empty()) {
        m_loadError = "the bundle's Info.plist names no executable (CFBundleExecutable)";
        return false;
    }
    if (executable.find('/') != std::string::npos || executable == "." || executable == "..") {
        m_loadError = "the executable name '" + executable + "' is not a file of the bundle";
        return false;
    }
    std::string file = m_path + "/" + executable;
    struct stat st;
    if (::stat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        m_loadError = "the bundle's executable " + executable + " is missing";
        return false;
    }
    ::dlerror();
    auto before = objc::objc_copyClassList();
    void* handle = ::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        m_loadError = "the bundle's executable does not load: " + std::string(why ? why : "unknown error");
        return false;
    }
    m_handle = handle; // never closed: the classes it registered stay in use
    std::sort(before.begin(), before.end());
    std::lock_guard owners(g_classOwnersLock);
    for (objc::Class cls : objc::objc_copyClassList()) {
        if (!std::binary_search(before.begin(), before.end(), cls))
            g_classOwners.emplace(cls, this);
    }
    m_loadError.clear();
    return true;
}

bool NSBundle::isLoaded() const
{
    std::lock_guard guard(m_lock);
    return m_handle != nullptr;
}

std::string NSBundle::loadError() const
{
    std::lock_guard guard(m_lock);
    return m_loadError;
}

objc::Class NSBundle::principalClass()
{
    if (!loadCode())
        return nullptr;
    std::string name = str(infoDictionary()->get("NSPrincipalClass").get());
    return name.empty() ? nullptr : objc::objc_getClass(name.c_str());
}

objc::Class NSBundle::classNamed(NSString* name)
{
    if (!name || !loadCode())
        return nullptr;
    return objc::objc_getClass(name->UTF8String());
}

RefPtr<NSString> NSBundle::pathForResource(NSString* name, NSString* type) const
{
    if (!name || name->str().empty())
        return nullptr;
    std::string file = name->str();
    if (type && !type->str().empty())
        file += "." + type->str();
    if (file.find('/') != std::string::npos || file == "." || file == "..")
        return nullptr;
    std::string path = m_path + "/" + file;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return nullptr;
    return ns(path);
}

namespace {
std::mutex g_mainBundleLock;
std::string g_mainBundlePath;
}

RefPtr<NSBundle> NSBundle::mainBundle()
{
    std::lock_guard guard(g_mainBundleLock);
    return g_mainBundlePath.empty() ? nullptr : bundleWithPath(g_mainBundlePath);
}

void NSBundle::setMainBundlePath(const std::string& path)
{
    std::lock_guard guard(g_mainBundleLock);
    g_mainBundlePath = path;
}

Ref<NSDictionary> NSBundle::infoDictionary() const
{
    auto info = readPropertyListFile(m_path + "/Info.plist");
    if (objc::object_isKindOfClass(info, NSDictionary::staticClass()))
        return Ref<NSDictionary>(*static_cast<NSDictionary*>(info.get()));
    return NSDictionary::create();
}

RefPtr<Object> NSBundle::objectForInfoDictionaryKey(RefPtr<NSString> key) const
{
    return key ? infoDictionary()->get(key->str()) : nullptr;
}

} // namespace platform
