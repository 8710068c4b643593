#include "updates/VersionQuery.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSJSONSerialization.h"
#include "platform/net/HTTPClient.h"

namespace igtarvo {

using namespace platform;

RefPtr<Object> supportedVersionAnswer(const std::vector<uint8_t>& body)
{
    auto answer = NSJSONSerialization::JSONObjectWithData(body);
    return objc::object_isKindOfClass(answer, NSDictionary::staticClass()) ? answer : nullptr;
}

void querySupportedVersion(SupportedVersionCompletion completion)
{
    std::string address = Device::stringSetting(kSettingVersionServiceURL);
    HTTPRequestOptions options;
    options.timeout = kVersionQueryTimeout;
    HTTPClient::get(address, options, [completion = std::move(completion)](HTTPResponse response) {
        completion(response.ok ? supportedVersionAnswer(response.body) : nullptr);
    });
}

} // namespace igtarvo
