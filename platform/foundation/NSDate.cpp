#include "platform/foundation/NSDate.h"

#include <chrono>

namespace platform {

OBJC_CLASS_LOAD(NSDate)

Ref<NSDate> NSDate::date()
{
    using namespace std::chrono;
    return dateWithTimeIntervalSince1970(duration<double>(system_clock::now().time_since_epoch()).count());
}

bool NSDate::isEqual(id other) const
{
    return objc::object_isKindOfClass(other, NSDate::staticClass()) && static_cast<NSDate*>(other)->m_seconds == m_seconds;
}

void NSDate::registerMethods(objc::ClassBuilder<NSDate>& b)
{
    b.method<&NSDate::timeIntervalSince1970>("timeIntervalSince1970")
        .method<&NSDate::isEqual>("isEqual:")
        .classMethod<&NSDate::date>("date")
        .classMethod<&NSDate::dateWithTimeIntervalSince1970>("dateWithTimeIntervalSince1970:");
}

} // namespace platform
