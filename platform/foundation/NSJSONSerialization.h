#pragma once
// JSON to and from value objects (dictionaries, arrays, strings, numbers,
// booleans; null is left out).

#include "platform/foundation/NSValues.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

class NSJSONSerialization {
public:
    // The decoded value, or nullptr when the bytes are not JSON.
    static RefPtr<Object> JSONObjectWithData(const std::vector<uint8_t>& bytes);
    // The encoded text; nullopt when the tree holds anything JSON cannot say.
    static std::optional<std::string> dataWithJSONObject(id object, bool pretty = false);
};

} // namespace platform
