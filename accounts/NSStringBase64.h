#pragma once
// The string category that turns account names into their stored form and
// back: standard Base64 (RFC 4648 alphabet, "=" padding, no line breaks) of
// the text's UTF-8 bytes. The account library adds both methods to NSString
// when it loads; the tweak library links it, so every process the tweak is
// loaded into has them:
//   base64encodedString  ("@@:")  the Base64 of the receiver's UTF-8 bytes;
//   base64decodedString  ("@@:")  the UTF-8 text the receiver encodes, or nil
//                                 when it is not padded Base64 without other
//                                 characters, or its bytes are not UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace igtarvo {

// Adds the two methods to NSString; repeated calls change nothing.
void addBase64CategoryToNSString();

// The codec the methods use.
std::string base64Encode(std::string_view bytes);
std::optional<std::string> base64Decode(std::string_view text);
// Whether bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool isValidUTF8(std::string_view bytes);

} // namespace igtarvo
