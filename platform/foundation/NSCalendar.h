#pragma once
// The Gregorian calendar in a time zone, over ICU's calendar arithmetic. The
// current calendar uses the system time zone.
//
// components(units, from, to) answers the difference between two moments in
// the units asked for, largest unit first: each count is what remains after
// the larger units (2024-01-10 10:00 to 2024-02-28 10:00 is 1 month, 2 weeks,
// 4 days). Weeks are whole seven-day spans; asked for as week of month and
// week of year together, both answer the same count. A later `from` than `to`
// gives counts of zero or below.

#include "platform/foundation/NSDateComponents.h"
#include "platform/foundation/NSTimeZone.h"

#include <memory>
#include <mutex>

U_NAMESPACE_BEGIN
class Calendar;
U_NAMESPACE_END

namespace platform {

enum NSCalendarUnit : unsigned long {
    NSCalendarUnitYear = 1UL << 2,
    NSCalendarUnitMonth = 1UL << 3,
    NSCalendarUnitDay = 1UL << 4,
    NSCalendarUnitHour = 1UL << 5,
    NSCalendarUnitMinute = 1UL << 6,
    NSCalendarUnitSecond = 1UL << 7,
    NSCalendarUnitWeekOfMonth = 1UL << 12,
    NSCalendarUnitWeekOfYear = 1UL << 13,
};

class NSCalendar : public NSObject {
    OBJC_CLASS(NSCalendar, NSObject)
public:
    NSCalendar();
    ~NSCalendar() override;
    static void registerMethods(objc::ClassBuilder<NSCalendar>&);

    // A Gregorian calendar in the system time zone.
    static Ref<NSCalendar> currentCalendar();

    RefPtr<NSTimeZone> timeZone() const { return m_timeZone; }
    // A nil zone stands for the system time zone.
    void setTimeZone(NSTimeZone* zone);

    // The difference from `from` to `to` in the given units (an NSCalendarUnit
    // mask); nil when either date is nil.
    RefPtr<NSDateComponents> components(unsigned long units, NSDate* from, NSDate* to, unsigned long options = 0) const;
    // The same on moments in seconds since 1970.
    Ref<NSDateComponents> componentsBetween(unsigned long units, double from, double to) const;

private:
    RefPtr<NSTimeZone> m_timeZone;
    // Made on first use and kept: building an ICU calendar costs far more
    // than using one. Guarded by m_lock, so that any thread may ask.
    mutable std::mutex m_lock;
    mutable std::unique_ptr<icu::Calendar> m_calendar;
};

} // namespace platform
