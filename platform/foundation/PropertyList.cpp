#include "platform/foundation/PropertyList.h"
#include "platform/foundation/TextUnits.h"

#include <plist/plist.h>

#include <climits>
#include <cmath>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <unistd.h>

namespace platform {

namespace {

struct NodeDeleter {
    void operator()(plist_t node) const { plist_free(node); }
};
using Node = std::unique_ptr<void, NodeDeleter>;

constexpr double kSecondsFrom1970To2001 = 978307200.0;

// Text as read from a list: malformed UTF-8 becomes U+FFFD here, so that
// writing the list back gives the same text rather than one that lost bytes.
std::string wellFormed(const char* text)
{
    std::string bytes = text ? text : "";
    bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    return ascii ? bytes : toUTF8(toUTF16(bytes));
}

uint64_t bigEndian(const uint8_t* p, size_t size)
{
    uint64_t value = 0;
    for (size_t i = 0; i < size; ++i)
        value = value << 8 | p[i];
    return value;
}

// Whether a binary list holds a text object with a NUL character. The
// property-list library cannot hand such a text over (it stops the process
// on one), so such a list counts as malformed. Lists whose tables do not add
// up are left to the library, which refuses them.
bool binaryListHoldsNulInText(const std::vector<uint8_t>& bytes)
{
    constexpr size_t kTrailer = 32;
    if (bytes.size() < 8 + kTrailer || std::memcmp(bytes.data(), "bplist00", 8) != 0)
        return false;
    const uint8_t* trailer = bytes.data() + bytes.size() - kTrailer;
    size_t offsetSize = trailer[6];
    uint64_t objects = bigEndian(trailer + 8, 8);
    uint64_t table = bigEndian(trailer + 24, 8);
    if (offsetSize == 0 || offsetSize > 8 || table >= bytes.size() || objects > (bytes.size() - table) / offsetSize)
        return false;
    for (uint64_t i = 0; i < objects; ++i) {
        uint64_t at = bigEndian(bytes.data() + table + i * offsetSize, offsetSize);
        if (at >= bytes.size())
            continue;
        uint8_t marker = bytes[at];
        uint8_t kind = marker >> 4;
        if (kind != 0x5 && kind != 0x6)
            continue;
        uint64_t length = marker & 0x0F;
        uint64_t start = at + 1;
        if (length == 0x0F) {
            if (start >= bytes.size() || (bytes[start] >> 4) != 0x1)
                continue;
            size_t lengthSize = size_t(1) << (bytes[start] & 0x0F);
            if (lengthSize > 8 || start + 1 + lengthSize > bytes.size())
                continue;
            length = bigEndian(bytes.data() + start + 1, lengthSize);
            start += 1 + lengthSize;
        }
        uint64_t unitSize = kind == 0x6 ? 2 : 1;
        if (start > bytes.size() || length > (bytes.size() - start) / unitSize)
            continue;
        for (uint64_t k = 0; k < length; ++k) {
            const uint8_t* unit = bytes.data() + start + k * unitSize;
            if (unit[0] == 0 && (unitSize == 1 || unit[1] == 0))
                return true;
        }
    }
    return false;
}

// Whether an XML list holds a NUL character, as a byte or as a character
// reference ("&#0;", "&#x0;"). XML allows none; the library would read one
// into a text it then cannot hand over.
bool xmlListHoldsNul(const std::vector<uint8_t>& bytes)
{
    if (std::memchr(bytes.data(), 0, bytes.size()))
        return true;
    for (size_t i = 0; i + 2 < bytes.size(); ++i) {
        if (bytes[i] != '&' || bytes[i + 1] != '#')
            continue;
        size_t k = i + 2;
        bool hex = k < bytes.size() && (bytes[k] == 'x' || bytes[k] == 'X');
        if (hex)
            ++k;
        size_t digits = 0;
        bool zero = true;
        for (; k < bytes.size() && (hex ? std::isxdigit(bytes[k]) : std::isdigit(bytes[k])); ++k, ++digits)
            zero = zero && bytes[k] == '0';
        if (digits > 0 && zero)
            return true;
    }
    return false;
}

RefPtr<Object> fromNode(plist_t node)
{
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t b = 0;
        plist_get_bool_val(node, &b);
        return NSNumber::numberWithBool(b);
    }
    case PLIST_UINT: {
        uint64_t v = 0;
        plist_get_uint_val(node, &v);
        return NSNumber::numberWithInteger(long(v));
    }
    case PLIST_REAL: {
        double v = 0;
        plist_get_real_val(node, &v);
        return NSNumber::numberWithDouble(v);
    }
    case PLIST_STRING: {
        char* s = nullptr;
        plist_get_string_val(node, &s);
        auto result = ns(wellFormed(s));
        std::free(s);
        return result;
    }
    case PLIST_DATA: {
        char* bytes = nullptr;
        uint64_t length = 0;
        plist_get_data_val(node, &bytes, &length);
        std::vector<uint8_t> data(bytes, bytes + length);
        std::free(bytes);
        return NSData::create(std::move(data));
    }
    case PLIST_DATE: {
        // The library answers whole seconds truncated towards zero and the
        // fraction without its sign: before 2001 the fraction counts back.
        int32_t sec = 0, usec = 0;
        plist_get_date_val(node, &sec, &usec);
        double fraction = std::abs(usec) / 1e6;
        return NSDate::dateWithTimeIntervalSince1970(kSecondsFrom1970To2001 + sec + (sec < 0 ? -fraction : fraction));
    }
    case PLIST_ARRAY: {
        std::vector<Ref<Object>> items;
        uint32_t n = plist_array_get_size(node);
        for (uint32_t i = 0; i < n; ++i) {
            if (auto item = fromNode(plist_array_get_item(node, i)))
                items.push_back(item.releaseNonNull());
        }
        return NSArray::create(std::move(items));
    }
    case PLIST_DICT: {
        std::map<std::string, Ref<Object>> entries;
        plist_dict_iter it = nullptr;
        plist_dict_new_iter(node, &it);
        for (;;) {
            char* key = nullptr;
            plist_t value = nullptr;
            plist_dict_next_item(node, it, &key, &value);
            if (!key)
                break;
            if (auto v = fromNode(value))
                entries.emplace(wellFormed(key), v.releaseNonNull());
            std::free(key);
        }
        std::free(it);
        return NSDictionary::create(std::move(entries));
    }
    default:
        return nullptr;
    }
}

plist_t toNode(id value)
{
    using objc::object_isKindOfClass;
    if (!value)
        return nullptr;
    if (isString(value))
        return plist_new_string(static_cast<NSString*>(value)->UTF8String());
    if (object_isKindOfClass(value, NSNumber::staticClass())) {
        auto* n = static_cast<NSNumber*>(value);
        switch (n->kind()) {
        case NSNumber::Kind::Bool: return plist_new_bool(n->boolValue());
        case NSNumber::Kind::Integer: return plist_new_uint(uint64_t(n->integerValue()));
        case NSNumber::Kind::Real: return plist_new_real(n->doubleValue());
        }
    }
    if (object_isKindOfClass(value, NSData::staticClass())) {
        auto& bytes = static_cast<NSData*>(value)->bytes();
        return plist_new_data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    if (object_isKindOfClass(value, NSDate::staticClass())) {
        // Whole seconds towards zero and the fraction with the same sign, to
        // the nearest microsecond, so that a date read back and written again
        // does not move.
        double since2001 = static_cast<NSDate*>(value)->timeIntervalSince1970() - kSecondsFrom1970To2001;
        double whole = std::trunc(since2001);
        auto usec = std::llround((since2001 - whole) * 1e6);
        if (usec >= 1000000 || usec <= -1000000) {
            whole += usec > 0 ? 1 : -1;
            usec = 0;
        }
        // The library counts whole seconds in 32 bits (late 1901 to early
        // 2069 around 2001): a date beyond is kept at the nearest end.
        if (!(whole > INT32_MIN) || !(whole < INT32_MAX)) {
            whole = std::isnan(whole) || whole <= INT32_MIN ? INT32_MIN : INT32_MAX;
            usec = 0;
        }
        return plist_new_date(int32_t(whole), int32_t(usec));
    }
    if (object_isKindOfClass(value, NSArray::staticClass())) {
        plist_t array = plist_new_array();
        for (auto& item : static_cast<NSArray*>(value)->items()) {
            plist_t child = toNode(item.get());
            if (!child) {
                plist_free(array);
                return nullptr;
            }
            plist_array_append_item(array, child);
        }
        return array;
    }
    if (object_isKindOfClass(value, NSDictionary::staticClass())) {
        plist_t dict = plist_new_dict();
        for (auto& [key, item] : static_cast<NSDictionary*>(value)->entries()) {
            plist_t child = toNode(item.get());
            if (!child) {
                plist_free(dict);
                return nullptr;
            }
            plist_dict_set_item(dict, key.c_str(), child);
        }
        return dict;
    }
    return nullptr;
}

} // namespace

RefPtr<Object> propertyListFromData(const std::vector<uint8_t>& bytes)
{
    if (bytes.empty())
        return nullptr;
    bool binary = bytes.size() >= 8 && std::memcmp(bytes.data(), "bplist00", 8) == 0;
    if (binary ? binaryListHoldsNulInText(bytes) : xmlListHoldsNul(bytes))
        return nullptr;
    plist_t root = nullptr;
    plist_from_memory(reinterpret_cast<const char*>(bytes.data()), uint32_t(bytes.size()), &root);
    if (!root)
        return nullptr;
    Node owner(root);
    return fromNode(root);
}

std::optional<std::vector<uint8_t>> dataFromPropertyList(id plist, PropertyListFormat format)
{
    plist_t root = toNode(plist);
    if (!root)
        return std::nullopt;
    Node owner(root);
    char* out = nullptr;
    uint32_t length = 0;
    if (format == PropertyListFormat::Binary)
        plist_to_bin(root, &out, &length);
    else
        plist_to_xml(root, &out, &length);
    if (!out)
        return std::nullopt;
    std::vector<uint8_t> bytes(out, out + length);
    std::free(out);
    return bytes;
}

RefPtr<Object> readPropertyListFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return nullptr;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return propertyListFromData(bytes);
}

bool writePropertyListFile(id plist, const std::string& path, PropertyListFormat format)
{
    auto bytes = dataFromPropertyList(plist, format);
    if (!bytes)
        return false;
    // A name of this write alone: two threads of one process that write the
    // same file must not share (and interleave in) one temporary file.
    static std::atomic<unsigned> writes { 0 };
    std::string temporary = path + ".tmp." + std::to_string(::getpid()) + "-" + std::to_string(writes.fetch_add(1));
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(reinterpret_cast<const char*>(bytes->data()), std::streamsize(bytes->size()));
        out.flush();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace platform
