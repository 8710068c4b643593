#pragma once
// A range of text in UTF-16 units, as foundation's string and attributed
// string calls take it. It crosses message sends with the platform's encoding.

#include "platform/objc/Encoding.h"

#include <iosfwd>

namespace platform {

struct NSRange {
    unsigned long location { 0 };
    unsigned long length { 0 };
    bool operator==(const NSRange&) const = default;
};

// Answered for "not found".
inline constexpr unsigned long NSNotFound = static_cast<unsigned long>(-1) >> 1;

inline constexpr NSRange NSMakeRange(unsigned long location, unsigned long length) { return { location, length }; }
inline unsigned long NSMaxRange(const NSRange& r) { return r.location + r.length; }
// Whether the range lies within a text of `length` units.
inline bool NSRangeFits(const NSRange& r, unsigned long length) { return r.location <= length && r.length <= length - r.location; }

// "{location, length}", for test failure messages.
std::ostream& operator<<(std::ostream&, const NSRange&);

} // namespace platform

namespace objc {
template<> struct StructEncoding<platform::NSRange> { static constexpr const char* value = "{_NSRange=QQ}"; };
template<> struct StructEncoding<platform::NSRange*> { static constexpr const char* value = "^{_NSRange=QQ}"; };
// The "stop" flag of enumeration blocks.
template<> struct StructEncoding<bool*> { static constexpr const char* value = "^B"; };
}
