#pragma once
// A time zone, over ICU's zones. The system time zone is the machine's (TZ,
// else /etc/localtime), read once per process as the platform caches it.

#include "platform/foundation/NSValues.h"

#include <memory>

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class TimeZone;
U_NAMESPACE_END

namespace platform {

class NSTimeZone : public NSObject {
    OBJC_CLASS(NSTimeZone, NSObject)
public:
    NSTimeZone();
    ~NSTimeZone() override;
    static void registerMethods(objc::ClassBuilder<NSTimeZone>&);

    // The machine's zone, the same object on every call.
    static Ref<NSTimeZone> systemTimeZone();
    // The zone of that Olson name ("Europe/Berlin"), or nil when unknown.
    static RefPtr<NSTimeZone> timeZoneWithName(const std::string& name);
    // A fixed offset from GMT in seconds (east positive).
    static Ref<NSTimeZone> timeZoneForSecondsFromGMT(long seconds);

    // The zone's identifier ("Europe/Berlin", "GMT+0100").
    RefPtr<NSString> name() const;
    // The offset from GMT in seconds at that moment.
    long secondsFromGMTForDate(NSDate* date) const;

    // The ICU zone, for the platform's own date code.
    const icu::TimeZone& icuZone() const { return *m_zone; }

private:
    explicit NSTimeZone(std::unique_ptr<icu::TimeZone> zone);
    std::unique_ptr<icu::TimeZone> m_zone;
};

} // namespace platform
