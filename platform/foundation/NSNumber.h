#pragma once
// Numbers: booleans, integers and reals.

#include "platform/foundation/NSObject.h"

#include <cstdint>

namespace platform {

class NSNumber : public NSObject {
    OBJC_CLASS(NSNumber, NSObject)
public:
    enum class Kind { Bool, Integer, Real };
    NSNumber() = default;
    NSNumber(Kind kind, int64_t i, double d) : m_kind(kind), m_int(i), m_real(d) { }
    static Ref<NSNumber> numberWithBool(bool v) { return objc::make<NSNumber>(Kind::Bool, v ? 1 : 0, v ? 1.0 : 0.0); }
    static Ref<NSNumber> numberWithInteger(long v) { return objc::make<NSNumber>(Kind::Integer, v, double(v)); }
    static Ref<NSNumber> numberWithDouble(double v);
    static void registerMethods(objc::ClassBuilder<NSNumber>&);

    Kind kind() const { return m_kind; }
    bool boolValue() const { return m_kind == Kind::Real ? m_real != 0 : m_int != 0; }
    // Reals are truncated and saturate at LONG_MAX / LONG_MIN (NaN reads 0).
    long integerValue() const;
    int intValue() const;
    double doubleValue() const { return m_kind == Kind::Real ? m_real : double(m_int); }
    bool isEqual(id other) const;

private:
    Kind m_kind { Kind::Integer };
    int64_t m_int { 0 };
    double m_real { 0 };
};

} // namespace platform
