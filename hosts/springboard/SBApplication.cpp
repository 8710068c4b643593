#include "hosts/springboard/SBApplication.h"
#include "hosts/springboard/FBApplicationProcess.h"
#include "hosts/springboard/RunningProcesses.h"
#include "platform/foundation/Device.h"

namespace hosts::springboard {

using platform::Device;
using platform::NSDictionary;

OBJC_CLASS_DEFINE(SBApplication)

namespace {

// The device's record of an installed application: {"BundlePath", "DataContainer"}.
RefPtr<NSDictionary> installation(const std::string& bundleIdentifier)
{
    auto apps = Device::setting(platform::kSettingApplications);
    if (!objc::object_isKindOfClass(apps, NSDictionary::staticClass()))
        return nullptr;
    auto app = static_cast<NSDictionary*>(apps.get())->get(bundleIdentifier);
    if (!objc::object_isKindOfClass(app, NSDictionary::staticClass()))
        return nullptr;
    return RefPtr<NSDictionary>(static_cast<NSDictionary*>(app.get()));
}

std::string installedPath(const std::string& bundleIdentifier, const char* key)
{
    auto app = installation(bundleIdentifier);
    auto value = app ? app->get(key) : nullptr;
    return platform::isString(value) ? Device::path(platform::str(value)) : std::string();
}

RefPtr<objc::Object> processField(objc::id self)
{
    return RefPtr<objc::Object>(static_cast<SBApplication*>(self)->process().get());
}

} // namespace

void SBApplication::registerMethods(objc::ClassBuilder<SBApplication>& b)
{
    b.method<&SBApplication::bundleIdentifier>("bundleIdentifier")
        .method<&SBApplication::bundleVersion>("bundleVersion")
        .method<&SBApplication::bundle>("bundle")
        .method<&SBApplication::dataContainerPath>("dataContainerPath")
        .method<&SBApplication::isRunning>("isRunning");
    objc::class_addObjectField(b.cls(), "_process", &processField);
}

bool SBApplication::isInstalled(const std::string& bundleIdentifier)
{
    return installation(bundleIdentifier) != nullptr;
}

RefPtr<platform::NSBundle> SBApplication::bundle() const
{
    return platform::NSBundle::bundleWithPath(installedPath(m_bundleIdentifier, "BundlePath"));
}

RefPtr<NSString> SBApplication::bundleVersion() const
{
    auto b = bundle();
    auto version = b ? b->infoDictionary()->get("CFBundleVersion") : nullptr;
    return platform::isString(version) ? RefPtr<NSString>(static_cast<NSString*>(version.get())) : nullptr;
}

RefPtr<NSString> SBApplication::dataContainerPath() const
{
    std::string path = installedPath(m_bundleIdentifier, "DataContainer");
    return path.empty() ? nullptr : RefPtr<NSString>(platform::ns(path));
}

bool SBApplication::isRunning() const
{
    return process() != nullptr;
}

RefPtr<FBApplicationProcess> SBApplication::process() const
{
    auto b = bundle();
    auto executable = b ? b->infoDictionary()->get("CFBundleExecutable") : nullptr;
    if (!platform::isString(executable))
        return nullptr;
    RunningProcess running = findRunningProcess(platform::str(executable));
    if (!running)
        return nullptr;
    return objc::make<FBApplicationProcess>(m_bundleIdentifier, running);
}

} // namespace hosts::springboard
