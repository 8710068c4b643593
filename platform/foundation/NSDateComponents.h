#pragma once
// Calendar quantities: a year, month, week, day, hour, minute and second
// count. A unit that was not asked for reads as NSDateComponentUndefined.

#include "platform/foundation/NSValues.h"

#include <climits>

namespace platform {

inline constexpr long NSDateComponentUndefined = LONG_MAX;

class NSDateComponents : public NSObject {
    OBJC_CLASS(NSDateComponents, NSObject)
public:
    static void registerMethods(objc::ClassBuilder<NSDateComponents>&);
    static Ref<NSDateComponents> create() { return objc::make<NSDateComponents>(); }

    long year() const { return m_year; }
    long month() const { return m_month; }
    long weekOfMonth() const { return m_weekOfMonth; }
    long weekOfYear() const { return m_weekOfYear; }
    long day() const { return m_day; }
    long hour() const { return m_hour; }
    long minute() const { return m_minute; }
    long second() const { return m_second; }
    void setYear(long v) { m_year = v; }
    void setMonth(long v) { m_month = v; }
    void setWeekOfMonth(long v) { m_weekOfMonth = v; }
    void setWeekOfYear(long v) { m_weekOfYear = v; }
    void setDay(long v) { m_day = v; }
    void setHour(long v) { m_hour = v; }
    void setMinute(long v) { m_minute = v; }
    void setSecond(long v) { m_second = v; }

private:
    long m_year { NSDateComponentUndefined };
    long m_month { NSDateComponentUndefined };
    long m_weekOfMonth { NSDateComponentUndefined };
    long m_weekOfYear { NSDateComponentUndefined };
    long m_day { NSDateComponentUndefined };
    long m_hour { NSDateComponentUndefined };
    long m_minute { NSDateComponentUndefined };
    long m_second { NSDateComponentUndefined };
};

} // namespace platform
