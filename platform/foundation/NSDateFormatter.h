#pragma once
// Formats dates as text and parses text as dates with a fixed pattern
// ("MM/dd/yy h:mm a"), in a time zone and a locale, over ICU's formatter.
// New formatters use the system time zone and the current locale.
//
// Not thread-safe: one formatter serves one thread at a time, as on the
// platform.

#include "platform/foundation/NSLocale.h"
#include "platform/foundation/NSTimeZone.h"

#include <memory>

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class SimpleDateFormat;
U_NAMESPACE_END

namespace platform {

class NSDateFormatter : public NSObject {
    OBJC_CLASS(NSDateFormatter, NSObject)
public:
    NSDateFormatter();
    ~NSDateFormatter() override;
    static void registerMethods(objc::ClassBuilder<NSDateFormatter>&);
    static Ref<NSDateFormatter> create() { return objc::make<NSDateFormatter>(); }

    RefPtr<NSString> dateFormat() const { return ns(m_format); }
    void setDateFormat(NSString* format);
    RefPtr<NSTimeZone> timeZone() const { return m_timeZone; }
    // A nil zone stands for the system time zone.
    void setTimeZone(NSTimeZone* zone);
    RefPtr<NSLocale> locale() const { return m_locale; }
    // A nil locale stands for the current locale.
    void setLocale(NSLocale* locale);

    // The date's text; "" for nil.
    RefPtr<NSString> stringFromDate(NSDate* date);
    // The text of a moment given in seconds since 1970.
    std::string stringFromTimeInterval(double secondsSince1970);
    // The date the whole text stands for, or nil when it does not parse.
    RefPtr<NSDate> dateFromString(NSString* text);

private:
    icu::SimpleDateFormat* formatter();

    std::string m_format;
    RefPtr<NSTimeZone> m_timeZone;
    RefPtr<NSLocale> m_locale;
    std::unique_ptr<icu::SimpleDateFormat> m_formatter; // rebuilt after a change
};

} // namespace platform
