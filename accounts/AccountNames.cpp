#include "accounts/AccountNames.h"
#include "platform/foundation/NSValues.h"

namespace igtarvo {

namespace {
// The longest file name the device's file systems keep.
constexpr size_t kMaximumNameBytes = 255;
}

bool isUsableAccountName(const std::string& plain)
{
    return !plain.empty() && plain.size() <= kMaximumNameBytes && plain != "." && plain != ".." && plain.find('/') == std::string::npos
        && plain.find('\0') == std::string::npos;
}

std::string storedAccountName(const std::string& plain)
{
    auto text = platform::ns(plain);
    return platform::str(objc::send<objc::RefPtr<objc::Object>>(text, "base64encodedString"));
}

std::optional<std::string> plainAccountName(const std::string& stored)
{
    auto text = platform::ns(stored);
    auto decoded = objc::send<objc::RefPtr<objc::Object>>(text, "base64decodedString");
    if (!platform::isString(decoded))
        return std::nullopt;
    return platform::str(decoded);
}

} // namespace igtarvo
