#pragma once
// Post times as the feed shows them: the exact date and time
// ("03/05/16 4:07 PM", system time zone, system locale) and the post's age
// ("2h"), combined as "03/05/16 4:07 PM (2h)".
//
// One instance per process, made on first use. Its formatter is shared and
// its format set on every call, so the class serves one thread at a time:
// the main thread.

#include "platform/foundation/NSCalendar.h"
#include "platform/foundation/NSDateFormatter.h"

#include <string>

namespace igtarvo {

using objc::id;
using objc::Ref;
using objc::RefPtr;
using platform::NSDateFormatter;
using platform::NSString;

class TarvoTimestamp : public objc::Object {
    OBJC_CLASS(TarvoTimestamp, objc::Object)
public:
    TarvoTimestamp();
    static void registerMethods(objc::ClassBuilder<TarvoTimestamp>&);

    // The one instance, made on the first call.
    static TarvoTimestamp* sharedInstance();
    // The formatter of every exact time: system time zone and system locale.
    RefPtr<NSDateFormatter> dateFormatter() const { return m_dateFormatter; }

    // The exact text ("MM/dd/yy h:mm a") of a date, or of anything that
    // answers timeIntervalSince1970; nil for nil.
    static RefPtr<NSString> createTimestampStringFromDate(id date);
    // The date's age now ("Now", "5m", "1h", "3d", "2w", "4mon", "1yr"); nil for nil.
    static RefPtr<NSString> relativeDateStringForDate(id date);
    // The date of the text in that format, or nil when it does not parse.
    static RefPtr<objc::Object> dateFromString(NSString* text, NSString* format);

    // The age of a moment at `now`, both in seconds since 1970.
    static std::string relativeText(double date, double now);
    // "exact (age)" for a moment at `now`.
    static std::string combinedText(double date, double now);
    // "exact (age)" for a date object now; empty for nil.
    static std::string combinedTextForDate(id date);

private:
    Ref<NSDateFormatter> m_dateFormatter;
    // The current calendar, kept: ages are counted in it.
    Ref<platform::NSCalendar> m_calendar;
};

} // namespace igtarvo
