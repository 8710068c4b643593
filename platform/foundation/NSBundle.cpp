#include "platform/foundation/NSBundle.h"
#include "platform/foundation/PropertyList.h"

#include <mutex>
#include <sys/stat.h>

namespace platform {

OBJC_CLASS_LOAD(NSBundle)

void NSBundle::registerMethods(objc::ClassBuilder<NSBundle>& b)
{
    b.method<&NSBundle::bundlePath>("bundlePath")
        .method<&NSBundle::infoDictionary>("infoDictionary")
        .method<&NSBundle::objectForInfoDictionaryKey>("objectForInfoDictionaryKey:")
        .classMethod<&NSBundle::mainBundle>("mainBundle");
}

RefPtr<NSBundle> NSBundle::bundleWithPath(const std::string& path)
{
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return nullptr;
    return objc::make<NSBundle>(path);
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
        return Ref<NSDictionary>(static_cast<NSDictionary*>(info.get()));
    return NSDictionary::create();
}

RefPtr<Object> NSBundle::objectForInfoDictionaryKey(RefPtr<NSString> key) const
{
    return key ? infoDictionary()->get(key->str()) : nullptr;
}

} // namespace platform
