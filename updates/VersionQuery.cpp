#include "updates/VersionQuery.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSJSONSerialization.h"
#include "platform/net/HTTPClient.h"

namespace igtarvo {

using namespace platform;

void querySupportedVersion(SupportedVersionCompletion completion)
{
    std::string address = Device::stringSetting(kSettingVersionServiceURL);
    HTTPRequestOptions options;
    options.timeout = kVersionQueryTimeout;
    HTTPClient::get(address, options, [completion = std::move(completion)](HTTPResponse response) {
        RefPtr<Object> answer;
        if (response.ok) {
            answer = NSJSONSerialization::JSONObjectWithData(response.body);
            if (!objc::object_isKindOfClass(answer, NSDictionary::staticClass()))
                answer = nullptr;
        }
        completion(answer);
    });
}

} // namespace igtarvo
