// The project's one translation unit that includes the JSON library.

#include "platform/foundation/NSJSONSerialization.h"

#include <climits>

#include <nlohmann/json.hpp>

namespace platform {

namespace {

using json = nlohmann::ordered_json;

RefPtr<Object> fromJSON(const json& j)
{
    switch (j.type()) {
    case json::value_t::boolean: return NSNumber::numberWithBool(j.get<bool>());
    case json::value_t::number_integer: return NSNumber::numberWithInteger(j.get<long>());
    case json::value_t::number_unsigned: {
        // Past LONG_MAX a whole number is kept as a real rather than wrapped
        // round to a negative one.
        auto value = j.get<unsigned long>();
        if (value > static_cast<unsigned long>(LONG_MAX))
            return NSNumber::numberWithDouble(double(value));
        return NSNumber::numberWithInteger(long(value));
    }
    case json::value_t::number_float: return NSNumber::numberWithDouble(j.get<double>());
    case json::value_t::string: return ns(j.get<std::string>());
    case json::value_t::array: {
        std::vector<Ref<Object>> items;
        for (auto& item : j) {
            if (auto v = fromJSON(item))
                items.push_back(v.releaseNonNull());
        }
        return NSArray::create(std::move(items));
    }
    case json::value_t::object: {
        std::map<std::string, Ref<Object>> entries;
        for (auto& [key, value] : j.items()) {
            if (auto v = fromJSON(value))
                entries.emplace(key, v.releaseNonNull());
        }
        return NSDictionary::create(std::move(entries));
    }
    default: return nullptr;
    }
}

std::optional<json> toJSON(id value)
{
    using objc::object_isKindOfClass;
    if (isString(value))
        return json(str(value));
    if (object_isKindOfClass(value, NSNumber::staticClass())) {
        auto* n = static_cast<NSNumber*>(value);
        switch (n->kind()) {
        case NSNumber::Kind::Bool: return json(n->boolValue());
        case NSNumber::Kind::Integer: return json(n->integerValue());
        case NSNumber::Kind::Real: return json(n->doubleValue());
        }
    }
    if (object_isKindOfClass(value, NSArray::staticClass())) {
        json array = json::array();
        for (auto& item : static_cast<NSArray*>(value)->items()) {
            auto j = toJSON(item.get());
            if (!j)
                return std::nullopt;
            array.push_back(std::move(*j));
        }
        return array;
    }
    if (object_isKindOfClass(value, NSDictionary::staticClass())) {
        json object = json::object();
        for (auto& [key, item] : static_cast<NSDictionary*>(value)->entries()) {
            auto j = toJSON(item.get());
            if (!j)
                return std::nullopt;
            object[key] = std::move(*j);
        }
        return object;
    }
    return std::nullopt;
}

} // namespace

RefPtr<Object> NSJSONSerialization::JSONObjectWithData(const std::vector<uint8_t>& bytes)
{
    json j = json::parse(bytes.begin(), bytes.end(), nullptr, false);
    if (j.is_discarded())
        return nullptr;
    return fromJSON(j);
}

std::optional<std::string> NSJSONSerialization::dataWithJSONObject(id object, bool pretty)
{
    auto j = toJSON(object);
    if (!j)
        return std::nullopt;
    return j->dump(pretty ? 2 : -1, ' ', false, json::error_handler_t::replace);
}

} // namespace platform
