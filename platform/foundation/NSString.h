#pragma once
// Text, and the shorthand the platform's code uses to make and read it.

#include "platform/foundation/NSObject.h"

#include <string>

namespace platform {

// An immutable text (UTF-8 inside; lengths and ranges count UTF-16 units, as
// the platform does).
class NSString : public NSObject {
    OBJC_CLASS(NSString, NSObject)
public:
    NSString() = default;
    explicit NSString(std::string utf8) : m_utf8(std::move(utf8)) { }
    static Ref<NSString> create(std::string utf8) { return objc::make<NSString>(std::move(utf8)); }
    static void registerMethods(objc::ClassBuilder<NSString>&);

    const std::string& str() const { return m_utf8; }
    const char* UTF8String() const { return m_utf8.c_str(); }
    // Number of UTF-16 code units.
    unsigned long length() const;
    bool isEqualToString(NSString* other) const { return other && other->m_utf8 == m_utf8; }
    bool isEqual(id other) const;
    RefPtr<NSString> description() { return RefPtr<NSString>(this); }

    // The text read as a boolean, as the platform reads it: leading white
    // space and line breaks, then an optional "+" or "-" and any zeros are
    // skipped; yes when the next character is "Y", "y", "T", "t" or a digit 1
    // to 9, whatever follows. "YES", "true", "1", " 007", "-1" and "y" are
    // yes; "NO", "0", "", "on" and "x1" are no.
    bool boolValue() const;
    // The text read as a decimal integer: leading white space as above, an
    // optional sign, then digits up to the first other character; 0 when no
    // digit comes. Saturates at LONG_MAX / LONG_MIN instead of overflowing.
    long integerValue() const;
    int intValue() const;

private:
    std::string m_utf8;
};

// Shorthand for a string object.
inline Ref<NSString> ns(std::string text) { return NSString::create(std::move(text)); }
// The text of a string object, or "" for nil or a non-string.
std::string str(id object);
template<objc::StrongReference P> std::string str(const P& object) { return str(object.get()); }
// Whether the object is a string (false for nil).
bool isString(id object);
template<objc::StrongReference P> bool isString(const P& object) { return isString(object.get()); }

// A value read as a boolean the way `boolValue` reads it: a number (non-zero
// is yes) or a string (NSString::boolValue); no for nil and anything else.
// What a preference read as a boolean answers.
bool boolValueOf(id value);
// A value read as an integer the way `integerValue` reads it: a number or a
// string, saturating; 0 for nil and anything else.
long integerValueOf(id value);

} // namespace platform
