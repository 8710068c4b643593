#include "platform/foundation/NSCalendar.h"

#include <unicode/gregocal.h>

#include <memory>

namespace platform {

OBJC_CLASS_LOAD(NSCalendar)

NSCalendar::NSCalendar()
    : m_timeZone(NSTimeZone::systemTimeZone())
{
}

NSCalendar::~NSCalendar() = default;

void NSCalendar::registerMethods(objc::ClassBuilder<NSCalendar>& b)
{
    b.method<&NSCalendar::components>("components:fromDate:toDate:options:")
        .method<&NSCalendar::timeZone>("timeZone")
        .method<&NSCalendar::setTimeZone>("setTimeZone:")
        .classMethod<&NSCalendar::currentCalendar>("currentCalendar");
}

Ref<NSCalendar> NSCalendar::currentCalendar()
{
    return objc::make<NSCalendar>();
}

void NSCalendar::setTimeZone(NSTimeZone* zone)
{
    std::lock_guard guard(m_lock);
    m_timeZone = zone ? RefPtr<NSTimeZone>(zone) : RefPtr<NSTimeZone>(NSTimeZone::systemTimeZone());
    m_calendar.reset();
}

RefPtr<NSDateComponents> NSCalendar::components(unsigned long units, NSDate* from, NSDate* to, unsigned long) const
{
    if (!from || !to)
        return nullptr;
    return componentsBetween(units, from->timeIntervalSince1970(), to->timeIntervalSince1970());
}

Ref<NSDateComponents> NSCalendar::componentsBetween(unsigned long units, double from, double to) const
{
    auto result = NSDateComponents::create();
    std::lock_guard guard(m_lock);
    if (!m_calendar) {
        UErrorCode status = U_ZERO_ERROR;
        auto made = std::make_unique<icu::GregorianCalendar>(m_timeZone->icuZone(), icu::Locale::getRoot(), status);
        if (U_FAILURE(status))
            return result;
        m_calendar = std::move(made);
    }
    icu::Calendar& calendar = *m_calendar;
    UErrorCode status = U_ZERO_ERROR;
    calendar.setTime(from * 1000.0, status);
    const UDate target = to * 1000.0;
    // fieldDifference moves the calendar on by the count it answers, so each
    // smaller unit counts what the larger ones left.
    auto take = [&](UCalendarDateFields field) -> long {
        UErrorCode s = U_ZERO_ERROR;
        long n = calendar.fieldDifference(target, field, s);
        return U_SUCCESS(s) ? n : 0;
    };
    if (units & NSCalendarUnitYear)
        result->setYear(take(UCAL_YEAR));
    if (units & NSCalendarUnitMonth)
        result->setMonth(take(UCAL_MONTH));
    if (units & (NSCalendarUnitWeekOfYear | NSCalendarUnitWeekOfMonth)) {
        long weeks = take(UCAL_WEEK_OF_YEAR);
        if (units & NSCalendarUnitWeekOfYear)
            result->setWeekOfYear(weeks);
        if (units & NSCalendarUnitWeekOfMonth)
            result->setWeekOfMonth(weeks);
    }
    if (units & NSCalendarUnitDay)
        result->setDay(take(UCAL_DATE));
    if (units & NSCalendarUnitHour)
        result->setHour(take(UCAL_HOUR_OF_DAY));
    if (units & NSCalendarUnitMinute)
        result->setMinute(take(UCAL_MINUTE));
    if (units & NSCalendarUnitSecond)
        result->setSecond(take(UCAL_SECOND));
    return result;
}

} // namespace platform
