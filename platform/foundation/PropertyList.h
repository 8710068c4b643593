#pragma once
// Property lists: value objects to and from the XML and binary file formats.

#include "platform/foundation/NSValues.h"

#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class PropertyListFormat { Binary, XML };

// Decodes XML or binary property-list bytes; nullptr when malformed.
RefPtr<Object> propertyListFromData(const std::vector<uint8_t>& bytes);
// Encodes a tree of strings, numbers, booleans, dates, data, arrays and
// dictionaries; nullopt when it holds anything else.
std::optional<std::vector<uint8_t>> dataFromPropertyList(id plist, PropertyListFormat format);

// Reads a property-list file; nullptr when missing, unreadable or malformed.
RefPtr<Object> readPropertyListFile(const std::string& path);
// Writes atomically: a temporary file in the same folder, then a rename over
// the target. Answers whether the file now holds the list.
bool writePropertyListFile(id plist, const std::string& path, PropertyListFormat format = PropertyListFormat::Binary);
template<objc::StrongReference P>
bool writePropertyListFile(const P& plist, const std::string& path, PropertyListFormat format = PropertyListFormat::Binary)
{
    return writePropertyListFile(plist.get(), path, format);
}

} // namespace platform
