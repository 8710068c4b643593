#pragma once
// The platform's value objects: strings, numbers, arrays, dictionaries, data
// and dates, as runtime objects so that they cross message sends. Each keeps
// its content in a plain C++ member for the platform's own code; the runtime
// methods registered for each are the ones the system and hosts send.

#include "platform/objc/ClassBuilder.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace platform {

using objc::id;
using objc::Object;
using objc::Ref;
using objc::RefPtr;
using NSObject = objc::Object;

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
bool isString(id object);

// A value read as a boolean the way `boolValue` reads it: a number (non-zero
// is yes) or a string (NSString::boolValue); no for nil and anything else.
// What a preference read as a boolean answers.
bool boolValueOf(id value);
// A value read as an integer the way `integerValue` reads it: a number or a
// string, saturating; 0 for nil and anything else.
long integerValueOf(id value);

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

class NSArray : public NSObject {
    OBJC_CLASS(NSArray, NSObject)
public:
    NSArray() = default;
    explicit NSArray(std::vector<Ref<Object>> items) : m_items(std::move(items)) { }
    static Ref<NSArray> create(std::vector<Ref<Object>> items = {}) { return objc::make<NSArray>(std::move(items)); }
    static void registerMethods(objc::ClassBuilder<NSArray>&);

    const std::vector<Ref<Object>>& items() const { return m_items; }
    unsigned long count() const { return m_items.size(); }
    RefPtr<Object> objectAtIndex(unsigned long i) const { return i < m_items.size() ? m_items[i] : nullptr; }
    RefPtr<Object> firstObject() const { return m_items.empty() ? nullptr : m_items.front(); }
    RefPtr<Object> lastObject() const { return m_items.empty() ? nullptr : m_items.back(); }
    bool isEqual(id other) const;

protected:
    std::vector<Ref<Object>> m_items;
};

class NSMutableArray : public NSArray {
    OBJC_CLASS(NSMutableArray, NSArray)
public:
    NSMutableArray() = default;
    explicit NSMutableArray(std::vector<Ref<Object>> items) : NSArray(std::move(items)) { }
    static Ref<NSMutableArray> create(std::vector<Ref<Object>> items = {}) { return objc::make<NSMutableArray>(std::move(items)); }
    static void registerMethods(objc::ClassBuilder<NSMutableArray>&);

    void addObject(id object) { if (object) m_items.emplace_back(object); }
    void insertObject(id object, unsigned long index);
    void removeObjectAtIndex(unsigned long index);
    void replaceObjectAtIndex(unsigned long index, id object);
    // Removes every element equal (isEqual:) to object.
    void removeObject(id object);
    void removeAllObjects() { m_items.clear(); }
};

// A dictionary keyed by text (the only keys the system's dictionaries use).
class NSDictionary : public NSObject {
    OBJC_CLASS(NSDictionary, NSObject)
public:
    NSDictionary() = default;
    explicit NSDictionary(std::map<std::string, Ref<Object>> entries) : m_entries(std::move(entries)) { }
    static Ref<NSDictionary> create(std::map<std::string, Ref<Object>> entries = {}) { return objc::make<NSDictionary>(std::move(entries)); }
    static void registerMethods(objc::ClassBuilder<NSDictionary>&);

    const std::map<std::string, Ref<Object>>& entries() const { return m_entries; }
    unsigned long count() const { return m_entries.size(); }
    RefPtr<Object> objectForKey(id key) const { return get(str(key)); }
    RefPtr<Object> get(const std::string& key) const;
    RefPtr<NSArray> allKeys() const;
    bool isEqual(id other) const;

protected:
    std::map<std::string, Ref<Object>> m_entries;
};

class NSMutableDictionary : public NSDictionary {
    OBJC_CLASS(NSMutableDictionary, NSDictionary)
public:
    NSMutableDictionary() = default;
    explicit NSMutableDictionary(std::map<std::string, Ref<Object>> entries) : NSDictionary(std::move(entries)) { }
    static Ref<NSMutableDictionary> create(std::map<std::string, Ref<Object>> entries = {}) { return objc::make<NSMutableDictionary>(std::move(entries)); }
    static void registerMethods(objc::ClassBuilder<NSMutableDictionary>&);

    void setObjectForKey(id object, id key) { set(str(key), object); }
    void set(const std::string& key, id object);
    void removeObjectForKey(id key) { m_entries.erase(str(key)); }
    void remove(const std::string& key) { m_entries.erase(key); }
};

class NSData : public NSObject {
    OBJC_CLASS(NSData, NSObject)
public:
    NSData() = default;
    explicit NSData(std::vector<uint8_t> bytes) : m_bytes(std::move(bytes)) { }
    static Ref<NSData> create(std::vector<uint8_t> bytes) { return objc::make<NSData>(std::move(bytes)); }
    static void registerMethods(objc::ClassBuilder<NSData>&);
    const std::vector<uint8_t>& bytes() const { return m_bytes; }
    unsigned long length() const { return m_bytes.size(); }
    bool isEqual(id other) const;

private:
    std::vector<uint8_t> m_bytes;
};

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

// Deep equality of value objects (isEqual:), nil equal to nil.
bool isEqual(id a, id b);

} // namespace platform
