#pragma once
// What the feed display tests share: a pinned time zone, the stand-in
// Instagram with the system started in it, and the expected exact text of a
// moment, made independently of the system with the C library.

#include "hosts/instagram/InstagramClasses.h"
#include "platform/foundation/NSValues.h"
#include "tweak/Startup.h"

#include <cstdlib>
#include <ctime>
#include <string>

namespace feedtest {

// Exact times are written in the system time zone: UTC for these tests.
inline const bool s_zonePinned = (setenv("TZ", "UTC", 1), tzset(), true);

// Registers Instagram's classes and starts the system in "Instagram".
inline void startInstagram()
{
    hosts::instagram::registerInstagramClasses();
    igtarvo::startUpForProcess("Instagram");
}

inline double now() { return platform::NSDate::date()->timeIntervalSince1970(); }

// "03/05/16 4:07 PM" for a moment, in UTC.
inline std::string exactText(double seconds)
{
    time_t t = time_t(seconds);
    tm utc {};
    gmtime_r(&t, &utc);
    char text[32];
    strftime(text, sizeof text, "%m/%d/%y %-I:%M %p", &utc);
    return text;
}

} // namespace feedtest
