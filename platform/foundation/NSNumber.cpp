#include "platform/foundation/NSNumber.h"

#include <climits>
#include <cmath>

namespace platform {

OBJC_CLASS_LOAD(NSNumber)

namespace {

// A real truncated towards zero into a long, saturating; NaN reads 0.
long saturatingLong(double v)
{
    if (std::isnan(v))
        return 0;
    // 2^63 is exactly representable; every double below it fits a long.
    constexpr double limit = 9223372036854775808.0;
    if (v >= limit)
        return LONG_MAX;
    if (v < -limit)
        return LONG_MIN;
    return long(v);
}

} // namespace

Ref<NSNumber> NSNumber::numberWithDouble(double v)
{
    return objc::make<NSNumber>(Kind::Real, int64_t(saturatingLong(v)), v);
}

long NSNumber::integerValue() const
{
    return m_kind == Kind::Real ? saturatingLong(m_real) : long(m_int);
}

int NSNumber::intValue() const
{
    return int(std::clamp<long>(integerValue(), INT_MIN, INT_MAX));
}

bool NSNumber::isEqual(id other) const
{
    if (!objc::object_isKindOfClass(other, NSNumber::staticClass()))
        return false;
    auto* n = static_cast<NSNumber*>(other);
    if (m_kind == Kind::Real || n->m_kind == Kind::Real)
        return doubleValue() == n->doubleValue();
    return m_int == n->m_int;
}

void NSNumber::registerMethods(objc::ClassBuilder<NSNumber>& b)
{
    b.method<&NSNumber::boolValue>("boolValue")
        .method<&NSNumber::integerValue>("integerValue")
        .method<&NSNumber::intValue>("intValue")
        .method<&NSNumber::doubleValue>("doubleValue")
        .method<&NSNumber::isEqual>("isEqual:")
        .classMethod<&NSNumber::numberWithBool>("numberWithBool:")
        .classMethod<&NSNumber::numberWithInteger>("numberWithInteger:")
        .classMethod<&NSNumber::numberWithDouble>("numberWithDouble:");
}

} // namespace platform
