#include "hosts/springboard/SBApplicationIcon.h"
#include "hosts/springboard/SBApplication.h"

namespace hosts::springboard {

OBJC_CLASS_DEFINE(SBApplicationIcon)

void SBApplicationIcon::registerMethods(objc::ClassBuilder<SBApplicationIcon>& b)
{
    b.method<&SBApplicationIcon::application>("application")
        .method<&SBApplicationIcon::applicationBundleID>("applicationBundleID")
        .method<&SBApplicationIcon::displayName>("displayName")
        .method<&SBApplicationIcon::displayNameForLocation>("displayNameForLocation:");
}

RefPtr<SBApplicationIcon> SBApplicationIcon::create(SBApplication* application, std::string displayName)
{
    auto icon = objc::make<SBApplicationIcon>();
    icon->m_application = application;
    icon->m_fallbackName = std::move(displayName);
    return icon;
}

RefPtr<NSString> SBApplicationIcon::applicationBundleID() const
{
    return objc::send<RefPtr<NSString>>(m_application, "bundleIdentifier");
}

RefPtr<NSString> SBApplicationIcon::displayName() const
{
    auto* app = static_cast<SBApplication*>(m_application.get());
    if (auto bundle = app ? app->bundle() : nullptr) {
        auto name = bundle->infoDictionary()->get("CFBundleDisplayName");
        if (platform::isString(name))
            return RefPtr<NSString>(static_cast<NSString*>(name.get()));
    }
    return platform::ns(m_fallbackName);
}

} // namespace hosts::springboard
