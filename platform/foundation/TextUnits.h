#pragma once
// Conversions between UTF-8 text and the UTF-16 units that the platform's
// string lengths and ranges count.

#include <string>
#include <string_view>

namespace platform {

// UTF-8 to UTF-16; malformed bytes become U+FFFD.
std::u16string toUTF16(std::string_view utf8);
// UTF-16 to UTF-8; unpaired surrogates become U+FFFD.
std::string toUTF8(std::u16string_view utf16);

} // namespace platform
