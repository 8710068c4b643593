#include "feed/display/TarvoTimestamp.h"

#include "platform/foundation/NSTimeZone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

using igtarvo::TarvoTimestamp;
using namespace platform;

namespace {

// Ages are counted in the system time zone: pin it for this test program.
const bool s_zonePinned = (setenv("TZ", "UTC", 1), tzset(), true);

// Seconds since 1970 of a UTC calendar time; out-of-range fields carry over.
double utc(int year, int month, int day, int hour = 0, int minute = 0, int second = 0)
{
    std::tm t {};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return double(timegm(&t));
}

// The age text of a post taken 2015-01-01 00:00 and seen after the given
// calendar span.
std::string ageAfter(int years, int months, int weeks, int days, int hours = 0, int minutes = 0, int seconds = 0)
{
    double taken = utc(2015, 1, 1);
    double now = utc(2015 + years, 1 + months, 1 + 7 * weeks + days, hours, minutes, seconds);
    return TarvoTimestamp::relativeText(taken, now);
}

}

TEST(TarvoTimestamp, MinutesCountWholeMinutesOnly)
{
    EXPECT_EQ(ageAfter(0, 0, 0, 0, 0, 0, 59), "Now");
    EXPECT_EQ(ageAfter(0, 0, 0, 0, 0, 1), "1m");
    EXPECT_EQ(ageAfter(0, 0, 0, 0, 0, 1, 59), "1m");
    EXPECT_EQ(ageAfter(0, 0, 0, 0, 0, 30), "30m");
    EXPECT_EQ(ageAfter(0, 0, 0, 0, 0, 31), "31m");
    EXPECT_EQ(ageAfter(0, 0, 0, 0, 0, 45), "45m");
    EXPECT_EQ(ageAfter(0, 0, 0, 0, 0, 59, 59), "59m");
}

TEST(TarvoTimestamp, HoursRoundUpPastHalfAnHourExceptTheFirst)
{
    EXPECT_EQ(ageAfter(0, 0, 0, 0, 1), "1h");
    EXPECT_EQ(ageAfter(0, 0, 0, 0, 1, 59), "1h");
    EXPECT_EQ(ageAfter(0, 0, 0, 0, 2, 30), "2h");
    EXPECT_EQ(ageAfter(0, 0, 0, 0, 2, 31), "3h");
    EXPECT_EQ(ageAfter(0, 0, 0, 0, 23, 59), "24h");
}

TEST(TarvoTimestamp, DaysRoundUpPastHalfADayExceptTheFirst)
{
    EXPECT_EQ(ageAfter(0, 0, 0, 1), "1d");
    EXPECT_EQ(ageAfter(0, 0, 0, 1, 23), "1d");
    EXPECT_EQ(ageAfter(0, 0, 0, 2, 12), "2d");
    EXPECT_EQ(ageAfter(0, 0, 0, 2, 13), "3d");
    EXPECT_EQ(ageAfter(0, 0, 0, 6, 23), "7d");
}

TEST(TarvoTimestamp, WeeksRoundUpPastThreeDays)
{
    EXPECT_EQ(ageAfter(0, 0, 1, 0), "1w");
    EXPECT_EQ(ageAfter(0, 0, 1, 3, 23), "1w");
    EXPECT_EQ(ageAfter(0, 0, 1, 4), "2w");
    EXPECT_EQ(ageAfter(0, 0, 3, 3), "3w");
    EXPECT_EQ(ageAfter(0, 0, 3, 4), "4w");
}

TEST(TarvoTimestamp, MonthsRoundUpFromThreeWeeksWithoutASingularText)
{
    EXPECT_EQ(ageAfter(0, 1, 0, 0), "1mon");
    EXPECT_EQ(ageAfter(0, 1, 2, 3), "1mon");
    EXPECT_EQ(ageAfter(0, 1, 2, 4), "2mon");
    EXPECT_EQ(ageAfter(0, 1, 3, 0), "2mon");
    EXPECT_EQ(ageAfter(0, 11, 3, 0), "12mon");
}

TEST(TarvoTimestamp, YearsRoundUpPastSixMonths)
{
    EXPECT_EQ(ageAfter(1, 0, 0, 0), "1yr");
    EXPECT_EQ(ageAfter(1, 6, 0, 0), "1yr");
    EXPECT_EQ(ageAfter(1, 6, 3, 6), "1yr");
    EXPECT_EQ(ageAfter(1, 7, 0, 0), "2yrs");
    EXPECT_EQ(ageAfter(3, 7, 0, 0), "4yrs");
}

TEST(TarvoTimestamp, ADateInTheFutureIsNow)
{
    EXPECT_EQ(TarvoTimestamp::relativeText(utc(2016, 1, 1), utc(2015, 1, 1)), "Now");
    EXPECT_EQ(TarvoTimestamp::relativeText(utc(2015, 1, 1, 0, 0, 1), utc(2015, 1, 1)), "Now");
}

TEST(TarvoTimestamp, MonthsFollowTheCalendarNotFixedLengths)
{
    // January 31 to March 1 of a leap year: one month (to February 29) and a day.
    EXPECT_EQ(TarvoTimestamp::relativeText(utc(2016, 1, 31), utc(2016, 3, 1)), "1mon");
    // February 1 to March 1 is a month; a day later it is 3 weeks 6 days.
    EXPECT_EQ(TarvoTimestamp::relativeText(utc(2015, 2, 1), utc(2015, 3, 1)), "1mon");
    EXPECT_EQ(TarvoTimestamp::relativeText(utc(2015, 2, 2), utc(2015, 3, 1)), "4w");
}

TEST(TarvoTimestamp, ExactTextUsesTheFormatterZoneAndTheSystemLocale)
{
    auto date = NSDate::dateWithTimeIntervalSince1970(utc(2016, 3, 5, 16, 7));
    EXPECT_EQ(str(TarvoTimestamp::createTimestampStringFromDate(date.get())), "03/05/16 4:07 PM");
    auto formatter = TarvoTimestamp::sharedInstance()->dateFormatter();
    EXPECT_EQ(str(formatter->locale()->localeIdentifier()), "");
    formatter->setTimeZone(NSTimeZone::timeZoneWithName("America/Los_Angeles").get());
    EXPECT_EQ(str(TarvoTimestamp::createTimestampStringFromDate(date.get())), "03/05/16 8:07 AM");
    auto midnight = NSDate::dateWithTimeIntervalSince1970(utc(2016, 12, 31, 8));
    EXPECT_EQ(str(TarvoTimestamp::createTimestampStringFromDate(midnight.get())), "12/31/16 12:00 AM");
    formatter->setTimeZone(nullptr);
    EXPECT_EQ(str(TarvoTimestamp::createTimestampStringFromDate(date.get())), "03/05/16 4:07 PM");
}

TEST(TarvoTimestamp, CombinedTextPutsTheAgeInParentheses)
{
    EXPECT_EQ(TarvoTimestamp::combinedText(utc(2016, 3, 5, 16, 7), utc(2016, 3, 5, 18, 7)), "03/05/16 4:07 PM (2h)");
    EXPECT_EQ(TarvoTimestamp::combinedText(utc(2016, 3, 5, 16, 7), utc(2016, 3, 5, 16, 7, 30)), "03/05/16 4:07 PM (Now)");
}

TEST(TarvoTimestamp, AnyObjectWithSecondsSince1970ServesAsDateAndNilGivesNil)
{
    auto date = NSDate::dateWithTimeIntervalSince1970(utc(2016, 3, 5, 16, 7));
    EXPECT_EQ(str(objc::send<RefPtr<NSString>>(TarvoTimestamp::staticClass(), "createTimestampStringFromDate:", static_cast<id>(date.get()))), "03/05/16 4:07 PM");
    EXPECT_FALSE(TarvoTimestamp::createTimestampStringFromDate(nullptr));
    EXPECT_FALSE(TarvoTimestamp::relativeDateStringForDate(nullptr));
    EXPECT_FALSE(TarvoTimestamp::createTimestampStringFromDate(ns("2016").get()));
    auto recent = NSDate::dateWithTimeIntervalSince1970(NSDate::date()->timeIntervalSince1970() - 3 * 3600 - 60);
    EXPECT_EQ(str(TarvoTimestamp::relativeDateStringForDate(recent.get())), "3h");
}

TEST(TarvoTimestamp, ParsesDatesInAGivenFormat)
{
    auto parsed = TarvoTimestamp::dateFromString(ns("03/05/16 4:07 PM").get(), ns("MM/dd/yy h:mm a").get());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(objc::send<double>(parsed, "timeIntervalSince1970"), utc(2016, 3, 5, 16, 7));
    EXPECT_FALSE(TarvoTimestamp::dateFromString(ns("yesterday").get(), ns("MM/dd/yy h:mm a").get()));
    EXPECT_FALSE(TarvoTimestamp::dateFromString(ns("03/05/16 4:07 PM and more").get(), ns("MM/dd/yy h:mm a").get()));
}

TEST(TarvoTimestamp, IsOneInstance)
{
    EXPECT_EQ(TarvoTimestamp::sharedInstance(), TarvoTimestamp::sharedInstance());
    EXPECT_EQ(objc::send<RefPtr<objc::Object>>(TarvoTimestamp::staticClass(), "sharedInstance").get(), TarvoTimestamp::sharedInstance());
}
