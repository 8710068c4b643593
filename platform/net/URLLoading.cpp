#include "platform/net/URLLoading.h"
#include "platform/foundation/Device.h"
#include "platform/net/HTTPClient.h"
#include "platform/foundation/NSURL.h"

#include <fstream>
#include <iterator>

namespace platform {

RefPtr<NSData> NSDataWithContentsOfURL(id object)
{
    if (!objc::object_isKindOfClass(object, NSURL::staticClass()))
        return nullptr;
    auto* url = static_cast<NSURL*>(object);
    if (url->isFileURL()) {
        auto path = url->path();
        if (!path)
            return nullptr;
        std::ifstream in(Device::path(path->str()), std::ios::binary);
        if (!in)
            return nullptr;
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad())
            return nullptr;
        return NSData::create(std::move(bytes));
    }
    auto scheme = url->scheme();
    if (!scheme || (scheme->str() != "http" && scheme->str() != "https"))
        return nullptr;
    HTTPResponse response = HTTPClient::getAndWait(url->absoluteString()->str());
    if (!response.ok)
        return nullptr;
    return NSData::create(std::move(response.body));
}

} // namespace platform
