#pragma once
// Moments in time.

#include "platform/foundation/NSObject.h"

namespace platform {

// A moment in time, in seconds since 1970-01-01 00:00 UTC.
class NSDate : public NSObject {
    OBJC_CLASS(NSDate, NSObject)
public:
    NSDate() = default;
    explicit NSDate(double seconds) : m_seconds(seconds) { }
    static Ref<NSDate> dateWithTimeIntervalSince1970(double s) { return objc::make<NSDate>(s); }
    static Ref<NSDate> date();
    static void registerMethods(objc::ClassBuilder<NSDate>&);
    double timeIntervalSince1970() const { return m_seconds; }
    bool isEqual(id other) const;

private:
    double m_seconds { 0 };
};

} // namespace platform
