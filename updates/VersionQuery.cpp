#include "updates/VersionQuery.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSJSONSerialization.h"
#include "platform/net/HTTPClient.h"

#include <cstdlib>

namespace igtarvo {

using namespace platform;

std::chrono::milliseconds versionQueryTimeout()
{
    // A number, or a text of one ("igtarvo device set" writes texts).
    auto setting = Device::setting(kSettingVersionQueryTimeout);
    double seconds = 0;
    if (objc::object_isKindOfClass(setting, NSNumber::staticClass())) {
        seconds = static_cast<NSNumber*>(setting.get())->doubleValue();
    } else if (isString(setting)) {
        std::string text = str(setting);
        char* end = nullptr;
        seconds = std::strtod(text.c_str(), &end);
        if (text.empty() || *end != '\0')
            return kVersionQueryTimeout;
    }
    // Anything but a sensible positive time keeps the built-in one.
    if (!(seconds > 0) || seconds > 600)
        return kVersionQueryTimeout;
    return std::chrono::milliseconds(long(seconds * 1000));
}

RefPtr<Object> supportedVersionAnswer(const std::vector<uint8_t>& body)
{
    auto answer = NSJSONSerialization::JSONObjectWithData(body);
    return objc::object_isKindOfClass(answer, NSDictionary::staticClass()) ? answer : nullptr;
}

void querySupportedVersion(SupportedVersionCompletion completion)
{
    std::string address = Device::stringSetting(kSettingVersionServiceURL);
    HTTPRequestOptions options;
    options.timeout = versionQueryTimeout();
    HTTPClient::get(address, options, [completion = std::move(completion)](HTTPResponse response) {
        completion(response.ok ? supportedVersionAnswer(response.body) : nullptr);
    });
}

} // namespace igtarvo
