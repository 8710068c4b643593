#pragma once
// The two forms of an account name. The plain form is what the user typed and
// names the account's directory; the stored form (kept in the account list)
// is its Base64, made by the string category's base64encodedString and read
// back by base64decodedString, reached through messages to NSString.

#include <optional>
#include <string>

namespace igtarvo {

// Whether a plain name can serve as one path component of the account
// directory: not empty, not "." or "..", without "/" or NUL, at most 255
// bytes long.
bool isUsableAccountName(const std::string& plain);

// The stored form of a plain name.
std::string storedAccountName(const std::string& plain);
// The plain form of a stored name; nullopt when it does not decode.
std::optional<std::string> plainAccountName(const std::string& stored);

} // namespace igtarvo
