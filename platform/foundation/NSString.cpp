#include "platform/foundation/NSString.h"
#include "platform/foundation/NSNumber.h"

#include <climits>

namespace platform {

OBJC_CLASS_LOAD(NSString)

unsigned long NSString::length() const
{
    unsigned long units = 0;
    for (size_t i = 0; i < m_utf8.size();) {
        auto c = static_cast<unsigned char>(m_utf8[i]);
        size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        units += n == 4 ? 2 : 1;
        i += n;
    }
    return units;
}

bool NSString::isEqual(id other) const
{
    return isString(other) && static_cast<NSString*>(other)->m_utf8 == m_utf8;
}

namespace {

// White space and line breaks: the ASCII ones, and U+0085, U+00A0, U+1680,
// U+2000..U+200A, U+2028, U+2029, U+202F, U+205F, U+3000. Steps over one.
bool isSpaceSeparator(const std::string& text, size_t& i)
{
    auto c = static_cast<unsigned char>(text[i]);
    if (c == ' ' || (c >= '\t' && c <= '\r')) {
        ++i;
        return true;
    }
    auto at = [&](size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0; };
    if (c == 0xC2 && (at(i + 1) == 0xA0 || at(i + 1) == 0x85)) {
        i += 2;
        return true;
    }
    if (c == 0xE1 && at(i + 1) == 0x9A && at(i + 2) == 0x80) {
        i += 3;
        return true;
    }
    if (c == 0xE2 && at(i + 1) == 0x80 && ((at(i + 2) >= 0x80 && at(i + 2) <= 0x8A) || (at(i + 2) >= 0xA8 && at(i + 2) <= 0xA9) || at(i + 2) == 0xAF)) {
        i += 3;
        return true;
    }
    if (c == 0xE2 && at(i + 1) == 0x81 && at(i + 2) == 0x9F) {
        i += 3;
        return true;
    }
    if (c == 0xE3 && at(i + 1) == 0x80 && at(i + 2) == 0x80) {
        i += 3;
        return true;
    }
    return false;
}

size_t skipSpace(const std::string& text)
{
    size_t i = 0;
    while (i < text.size() && isSpaceSeparator(text, i)) { }
    return i;
}

} // namespace

bool NSString::boolValue() const
{
    size_t i = skipSpace(m_utf8);
    if (i < m_utf8.size() && (m_utf8[i] == '+' || m_utf8[i] == '-'))
        ++i;
    while (i < m_utf8.size() && m_utf8[i] == '0')
        ++i;
    if (i >= m_utf8.size())
        return false;
    char c = m_utf8[i];
    return c == 'Y' || c == 'y' || c == 'T' || c == 't' || (c >= '1' && c <= '9');
}

long NSString::integerValue() const
{
    size_t i = skipSpace(m_utf8);
    bool negative = false;
    if (i < m_utf8.size() && (m_utf8[i] == '+' || m_utf8[i] == '-'))
        negative = m_utf8[i++] == '-';
    // Accumulated as a negative number, whose range holds LONG_MIN.
    long value = 0;
    bool saturated = false;
    for (; i < m_utf8.size() && m_utf8[i] >= '0' && m_utf8[i] <= '9'; ++i) {
        int digit = m_utf8[i] - '0';
        if (value < (LONG_MIN + digit) / 10) {
            saturated = true;
            continue;
        }
        value = value * 10 - digit;
    }
    if (saturated)
        return negative ? LONG_MIN : LONG_MAX;
    if (negative)
        return value;
    return value == LONG_MIN ? LONG_MAX : -value;
}

int NSString::intValue() const
{
    return int(std::clamp<long>(integerValue(), INT_MIN, INT_MAX));
}

bool boolValueOf(id value)
{
    if (objc::object_isKindOfClass(value, NSNumber::staticClass()))
        return static_cast<NSNumber*>(value)->boolValue();
    if (isString(value))
        return static_cast<NSString*>(value)->boolValue();
    return false;
}

long integerValueOf(id value)
{
    if (objc::object_isKindOfClass(value, NSNumber::staticClass()))
        return static_cast<NSNumber*>(value)->integerValue();
    if (isString(value))
        return static_cast<NSString*>(value)->integerValue();
    return 0;
}

bool isString(id object)
{
    return objc::object_isKindOfClass(object, NSString::staticClass());
}

std::string str(id object)
{
    return isString(object) ? static_cast<NSString*>(object)->str() : std::string();
}

void NSString::registerMethods(objc::ClassBuilder<NSString>& b)
{
    b.method<&NSString::UTF8String>("UTF8String")
        .method<&NSString::length>("length")
        .method<&NSString::isEqualToString>("isEqualToString:")
        .method<&NSString::isEqual>("isEqual:")
        .method<&NSString::description>("description")
        .method<&NSString::boolValue>("boolValue")
        .method<&NSString::integerValue>("integerValue")
        .method<&NSString::intValue>("intValue");
}

} // namespace platform
