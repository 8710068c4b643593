#include "settings/TarvoSettings.h"
#include "core/Notifications.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/Preferences.h"
#include "platform/foundation/PropertyList.h"

namespace igtarvo {

using namespace platform;

namespace {

RefPtr<NSDictionary> readSettingsFile()
{
    auto plist = readPropertyListFile(Device::path(preferencesDevicePath(kSettingsDomain)));
    if (!objc::object_isKindOfClass(plist, NSDictionary::staticClass()))
        return nullptr;
    return RefPtr<NSDictionary>(static_cast<NSDictionary*>(plist.get()));
}

bool hasBooleanReading(id value)
{
    return objc::object_isKindOfClass(value, NSNumber::staticClass()) || objc::object_isKindOfClass(value, NSString::staticClass());
}

} // namespace

void TarvoSettings::registerMethods(objc::ClassBuilder<TarvoSettings>& b)
{
    b.classMethod<&TarvoSettings::sharedSettings>("sharedSettings")
        .classMethod<static_cast<bool (*)(NSString*)>(&TarvoSettings::boolForKey)>("boolForKey:")
        .classMethod<&TarvoSettings::boolForKeyWithDefault>("boolForKey:defaultValue:")
        .method<&TarvoSettings::init>("init")
        .method<&TarvoSettings::updateSettings>("updateSettings")
        .method<&TarvoSettings::settings>("settings");
}

TarvoSettings* TarvoSettings::sharedSettings()
{
    // A function-local static is initialised once, whichever thread comes first.
    static TarvoSettings* const shared = [] {
        auto* instance = objc::make<TarvoSettings>().leak();
        instance->init();
        return instance;
    }();
    return shared;
}

RefPtr<Object> TarvoSettings::init()
{
    {
        std::lock_guard guard(m_lock);
        m_settings = readSettingsFile();
    }
    CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), nullptr, &settingsChanged,
        ns(kSettingsChangedNotification).get(), nullptr, CFNotificationSuspensionBehaviorCoalesce);
    return RefPtr<Object>(this);
}

void TarvoSettings::updateSettings()
{
    {
        std::lock_guard guard(m_lock);
        m_settings = nullptr;
    }
    auto fresh = readSettingsFile();
    std::lock_guard guard(m_lock);
    m_settings = std::move(fresh);
}

RefPtr<NSDictionary> TarvoSettings::settings() const
{
    std::lock_guard guard(m_lock);
    return m_settings;
}

bool TarvoSettings::boolForKey(NSString* key)
{
    return boolForKey(key, false);
}

bool TarvoSettings::boolForKey(NSString* key, bool defaultValue)
{
    auto snapshot = sharedSettings()->settings();
    if (!snapshot || !key)
        return defaultValue;
    auto value = snapshot->objectForKey(key);
    if (!hasBooleanReading(value.get()))
        return defaultValue;
    return boolValueOf(value.get());
}

OBJC_CLASS_LOAD(TarvoSettings)

} // namespace igtarvo

void settingsChanged(platform::CFNotificationCenterRef, void*, platform::CFStringRef, const void*, platform::CFDictionaryRef)
{
    igtarvo::TarvoSettings::sharedSettings()->updateSettings();
    igtarvo::postLocalNotification(igtarvo::kSettingsChangedNotification);
}
