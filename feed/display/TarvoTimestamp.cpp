#include "feed/display/TarvoTimestamp.h"

namespace igtarvo {

using namespace platform;

OBJC_CLASS_LOAD(TarvoTimestamp)

namespace {
constexpr const char* kAbsoluteFormat = "MM/dd/yy h:mm a";

bool timeOf(id date, double& seconds)
{
    if (!date || !objc::respondsTo(date, "timeIntervalSince1970"))
        return false;
    seconds = objc::send<double>(date, "timeIntervalSince1970");
    return true;
}

std::string counted(long n, const char* unit) { return std::to_string(n) + unit; }
}

TarvoTimestamp::TarvoTimestamp()
    : m_dateFormatter(NSDateFormatter::create())
    , m_calendar(NSCalendar::currentCalendar())
{
    m_dateFormatter->setTimeZone(NSTimeZone::systemTimeZone().get());
    m_dateFormatter->setLocale(NSLocale::systemLocale().get());
}

void TarvoTimestamp::registerMethods(objc::ClassBuilder<TarvoTimestamp>& b)
{
    b.method<&TarvoTimestamp::dateFormatter>("dateFormatter")
        .classMethod<&TarvoTimestamp::sharedInstance>("sharedInstance")
        .classMethod<&TarvoTimestamp::createTimestampStringFromDate>("createTimestampStringFromDate:")
        .classMethod<&TarvoTimestamp::relativeDateStringForDate>("relativeDateStringForDate:")
        .classMethod<&TarvoTimestamp::dateFromString>("dateFromString:withFormat:");
}

TarvoTimestamp* TarvoTimestamp::sharedInstance()
{
    // Made once, safely against concurrent first calls; lives as long as the process.
    static TarvoTimestamp* const instance = objc::make<TarvoTimestamp>().leak();
    return instance;
}

RefPtr<NSString> TarvoTimestamp::createTimestampStringFromDate(id date)
{
    double seconds;
    if (!timeOf(date, seconds))
        return nullptr;
    auto formatter = sharedInstance()->dateFormatter();
    formatter->setDateFormat(ns(kAbsoluteFormat).get());
    return ns(formatter->stringFromTimeInterval(seconds));
}

RefPtr<NSString> TarvoTimestamp::relativeDateStringForDate(id date)
{
    double seconds;
    if (!timeOf(date, seconds))
        return nullptr;
    return ns(relativeText(seconds, NSDate::date()->timeIntervalSince1970()));
}

RefPtr<objc::Object> TarvoTimestamp::dateFromString(NSString* text, NSString* format)
{
    auto formatter = sharedInstance()->dateFormatter();
    formatter->setDateFormat(format);
    return formatter->dateFromString(text);
}

std::string TarvoTimestamp::relativeText(double date, double now)
{
    constexpr unsigned long units = NSCalendarUnitYear | NSCalendarUnitMonth | NSCalendarUnitWeekOfMonth
        | NSCalendarUnitWeekOfYear | NSCalendarUnitDay | NSCalendarUnitHour | NSCalendarUnitMinute;
    auto c = sharedInstance()->m_calendar->componentsBetween(units, date, now);
    long years = c->year(), months = c->month(), weeks = c->weekOfYear();
    long days = c->day(), hours = c->hour(), minutes = c->minute();

    // Each count rounds up by one when the unit below is past its half:
    // more than 6 months, 3 weeks or more (a remainder of more than 3 days
    // counting as a week), more than 3 days, more than 12 hours, more than
    // 30 minutes; never a count of exactly one day or one hour.
    if (years >= 1) {
        long n = years + (months > 6 ? 1 : 0);
        return n == 1 ? "1yr" : counted(n, "yrs");
    }
    if (months >= 1) {
        long roundedWeeks = weeks + (days > 3 ? 1 : 0);
        return counted(months + (roundedWeeks > 2 ? 1 : 0), "mon");
    }
    if (weeks >= 1) {
        long n = weeks + (days > 3 ? 1 : 0);
        return n == 1 ? "1w" : counted(n, "w");
    }
    if (days >= 1)
        return days == 1 ? "1d" : counted(days + (hours > 12 ? 1 : 0), "d");
    if (hours >= 1)
        return hours == 1 ? "1h" : counted(hours + (minutes > 30 ? 1 : 0), "h");
    if (minutes >= 1)
        return minutes == 1 ? "1m" : counted(minutes, "m");
    return "Now";
}

std::string TarvoTimestamp::combinedText(double date, double now)
{
    auto formatter = sharedInstance()->dateFormatter();
    formatter->setDateFormat(ns(kAbsoluteFormat).get());
    return formatter->stringFromTimeInterval(date) + " (" + relativeText(date, now) + ")";
}

std::string TarvoTimestamp::combinedTextForDate(id date)
{
    double seconds;
    if (!timeOf(date, seconds))
        return {};
    return combinedText(seconds, NSDate::date()->timeIntervalSince1970());
}

} // namespace igtarvo
