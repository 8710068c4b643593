#include "platform/foundation/NSTimeZone.h"

#include <unicode/timezone.h>

namespace platform {

OBJC_CLASS_LOAD(NSTimeZone)

NSTimeZone::NSTimeZone()
    : m_zone(icu::TimeZone::createTimeZone("Etc/GMT"))
{
}

NSTimeZone::NSTimeZone(std::unique_ptr<icu::TimeZone> zone)
    : m_zone(std::move(zone))
{
}

NSTimeZone::~NSTimeZone() = default;

void NSTimeZone::registerMethods(objc::ClassBuilder<NSTimeZone>& b)
{
    b.method<&NSTimeZone::name>("name")
        .method<&NSTimeZone::secondsFromGMTForDate>("secondsFromGMTForDate:")
        .classMethod<&NSTimeZone::systemTimeZone>("systemTimeZone");
}

Ref<NSTimeZone> NSTimeZone::systemTimeZone()
{
    static NSTimeZone* const zone = [] {
        // Not ICU's default zone, which a program may change: the machine's own.
        std::unique_ptr<icu::TimeZone> detected(icu::TimeZone::detectHostTimeZone());
        if (!detected || *detected == icu::TimeZone::getUnknown())
            detected.reset(icu::TimeZone::createTimeZone("Etc/GMT"));
        objc::detail::pendingIsa() = staticClass();
        return new NSTimeZone(std::move(detected)); // kept for the process
    }();
    return Ref<NSTimeZone>(*zone);
}

RefPtr<NSTimeZone> NSTimeZone::timeZoneWithName(const std::string& name)
{
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(name)));
    if (!zone || *zone == icu::TimeZone::getUnknown())
        return nullptr;
    objc::detail::pendingIsa() = staticClass();
    return RefPtr<NSTimeZone>::adopt(new NSTimeZone(std::move(zone)));
}

Ref<NSTimeZone> NSTimeZone::timeZoneForSecondsFromGMT(long seconds)
{
    long minutes = std::abs(seconds) / 60;
    char id[32];
    std::snprintf(id, sizeof id, "GMT%c%02ld:%02ld", seconds < 0 ? '-' : '+', minutes / 60, minutes % 60);
    std::unique_ptr<icu::TimeZone> zone(icu::TimeZone::createTimeZone(id));
    objc::detail::pendingIsa() = staticClass();
    return Ref<NSTimeZone>::adopt(*new NSTimeZone(std::move(zone)));
}

RefPtr<NSString> NSTimeZone::name() const
{
    icu::UnicodeString id;
    m_zone->getID(id);
    std::string utf8;
    id.toUTF8String(utf8);
    return ns(utf8);
}

long NSTimeZone::secondsFromGMTForDate(NSDate* date) const
{
    if (!date)
        return 0;
    int32_t raw = 0, dst = 0;
    UErrorCode status = U_ZERO_ERROR;
    m_zone->getOffset(date->timeIntervalSince1970() * 1000.0, false, raw, dst, status);
    return U_SUCCESS(status) ? (raw + dst) / 1000 : 0;
}

} // namespace platform
