#pragma once
// International host names in their ASCII form, as current browsers read
// them (IDNA with the Unicode mapping: "foobar.みんな" is
// "foobar.xn--q9jyb4c", "Google.Com" is "google.com"). Any thread.

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The host name's ASCII form; nullopt when it is no valid host name (an empty
// label, a label that begins or ends with "-", a character no host name may
// hold such as "_" or a space, mixed writing directions, invalid UTF-8).
std::optional<std::string> hostNameToASCII(std::string_view utf8);
// The same for one label (no dots).
std::optional<std::string> hostLabelToASCII(std::string_view utf8);

} // namespace platform
