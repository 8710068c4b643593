#include "platform/foundation/NSValues.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>

namespace platform {

OBJC_CLASS_LOAD(NSString)
OBJC_CLASS_LOAD(NSNumber)
OBJC_CLASS_LOAD(NSArray)
OBJC_CLASS_LOAD(NSMutableArray)
OBJC_CLASS_LOAD(NSDictionary)
OBJC_CLASS_LOAD(NSMutableDictionary)
OBJC_CLASS_LOAD(NSData)
OBJC_CLASS_LOAD(NSDate)

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

bool NSArray::isEqual(id other) const
{
    if (!objc::object_isKindOfClass(other, NSArray::staticClass()))
        return false;
    auto& theirs = static_cast<NSArray*>(other)->m_items;
    return std::equal(m_items.begin(), m_items.end(), theirs.begin(), theirs.end(),
        [](const Ref<Object>& a, const Ref<Object>& b) { return platform::isEqual(a.get(), b.get()); });
}

void NSArray::registerMethods(objc::ClassBuilder<NSArray>& b)
{
    b.method<&NSArray::count>("count")
        .method<&NSArray::objectAtIndex>("objectAtIndex:")
        .method<&NSArray::firstObject>("firstObject")
        .method<&NSArray::lastObject>("lastObject")
        .method<&NSArray::isEqual>("isEqual:");
}

void NSMutableArray::insertObject(id object, unsigned long index)
{
    if (object && index <= m_items.size())
        m_items.insert(m_items.begin() + long(index), Ref<Object>(object));
}

void NSMutableArray::removeObjectAtIndex(unsigned long index)
{
    if (index < m_items.size())
        m_items.erase(m_items.begin() + long(index));
}

void NSMutableArray::replaceObjectAtIndex(unsigned long index, id object)
{
    if (object && index < m_items.size())
        m_items[index] = Ref<Object>(object);
}

void NSMutableArray::removeObject(id object)
{
    std::erase_if(m_items, [object](const Ref<Object>& item) { return platform::isEqual(item.get(), object); });
}

void NSMutableArray::registerMethods(objc::ClassBuilder<NSMutableArray>& b)
{
    b.method<&NSMutableArray::addObject>("addObject:")
        .method<&NSMutableArray::insertObject>("insertObject:atIndex:")
        .method<&NSMutableArray::removeObjectAtIndex>("removeObjectAtIndex:")
        .method<&NSMutableArray::replaceObjectAtIndex>("replaceObjectAtIndex:withObject:")
        .method<&NSMutableArray::removeObject>("removeObject:")
        .method<&NSMutableArray::removeAllObjects>("removeAllObjects");
}

RefPtr<Object> NSDictionary::get(const std::string& key) const
{
    auto it = m_entries.find(key);
    return it == m_entries.end() ? nullptr : RefPtr<Object>(it->second);
}

RefPtr<NSArray> NSDictionary::allKeys() const
{
    std::vector<Ref<Object>> keys;
    for (auto& [key, value] : m_entries)
        keys.push_back(ns(key));
    return NSArray::create(std::move(keys));
}

bool NSDictionary::isEqual(id other) const
{
    if (!objc::object_isKindOfClass(other, NSDictionary::staticClass()))
        return false;
    auto& theirs = static_cast<NSDictionary*>(other)->m_entries;
    return std::equal(m_entries.begin(), m_entries.end(), theirs.begin(), theirs.end(),
        [](auto& a, auto& b) { return a.first == b.first && platform::isEqual(a.second.get(), b.second.get()); });
}

void NSDictionary::registerMethods(objc::ClassBuilder<NSDictionary>& b)
{
    b.method<&NSDictionary::count>("count")
        .method<&NSDictionary::objectForKey>("objectForKey:")
        .method<&NSDictionary::allKeys>("allKeys")
        .method<&NSDictionary::isEqual>("isEqual:");
}

void NSMutableDictionary::set(const std::string& key, id object)
{
    if (object)
        m_entries[key] = Ref<Object>(object);
    else
        m_entries.erase(key);
}

void NSMutableDictionary::registerMethods(objc::ClassBuilder<NSMutableDictionary>& b)
{
    b.method<&NSMutableDictionary::setObjectForKey>("setObject:forKey:")
        .method<&NSMutableDictionary::removeObjectForKey>("removeObjectForKey:");
}

bool NSData::isEqual(id other) const
{
    return objc::object_isKindOfClass(other, NSData::staticClass()) && static_cast<NSData*>(other)->m_bytes == m_bytes;
}

void NSData::registerMethods(objc::ClassBuilder<NSData>& b)
{
    b.method<&NSData::length>("length").method<&NSData::isEqual>("isEqual:");
}

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

bool isEqual(id a, id b)
{
    if (a == b)
        return true;
    if (!a || !b)
        return false;
    return objc::send<bool(id)>(a, "isEqual:", b);
}

namespace {
// Key-value reading on every object: a named private field, else a getter of
// that name answering an object, else nil.
RefPtr<Object> valueForKey(id self, objc::SEL, id key)
{
    std::string name = str(key);
    if (objc::Ivar ivar = objc::class_getInstanceVariable(self->isa(), name.c_str()))
        return objc::object_getIvar(self, ivar);
    objc::SEL getter = objc::sel_registerName(name.c_str());
    objc::Method m = objc::class_getInstanceMethod(self->isa(), getter);
    if (m && objc::method_getTypeEncoding(m) == objc::signatureEncoding<RefPtr<Object>>())
        return objc::send<RefPtr<Object>>(self, getter);
    return nullptr;
}

RefPtr<Object> describe(id self, objc::SEL)
{
    return ns(std::string("<") + objc::object_getClassName(self) + ">");
}

// The root class's key-value read and description, foundation's category on
// NSObject.
void addNSObjectKeyValueCategory()
{
    objc::Class root = NSObject::staticClass();
    objc::class_addMethod(root, objc::sel_registerName("valueForKey:"), reinterpret_cast<objc::IMP>(&valueForKey), objc::impEncoding(&valueForKey));
    objc::class_addMethod(root, objc::sel_registerName("description"), reinterpret_cast<objc::IMP>(&describe), objc::impEncoding(&describe));
}
}

OBJC_CATEGORY_LOAD(NSObjectKeyValue, &addNSObjectKeyValueCategory)

} // namespace platform
