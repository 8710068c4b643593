// The incoming "instagram://post?BASE64" address from any bytes: any address
// reads as a text or as nothing, never a crash; a text comes only from an
// address in Instagram's scheme whose query decodes to a JSON object with a
// "text" string; and a text put into an address as the settings panel puts
// it (JSON, then Base64) is read back whole (as JSON carries it: bytes that
// are not UTF-8 travel as U+FFFD).

#include "accounts/NSStringBase64.h"
#include "feed/actions/RepostHandOffHooks.h"
#include "fuzz/FuzzCheck.h"
#include "platform/foundation/NSJSONSerialization.h"
#include "platform/foundation/NSURL.h"

#include <cstdint>
#include <string>

using namespace platform;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // The bytes as a whole address, and as the query of a share address.
    for (const std::string& address : { bytes, "instagram://post?" + bytes }) {
        auto url = NSURL::create(address);
        auto text = igtarvo::shareAddressText(url.get());
        if (!text)
            continue;
        FUZZ_CHECK(url && url->scheme() && url->scheme()->str() == "instagram");
        FUZZ_CHECK(url->query());
        auto json = igtarvo::base64Decode(url->query()->str());
        FUZZ_CHECK(json);
        auto object = objc::dynamicCast<NSDictionary>(NSJSONSerialization::JSONObjectWithData(std::vector<uint8_t>(json->begin(), json->end())));
        FUZZ_CHECK(object && isString(object->get("text").get()) && str(object->get("text").get()) == *text);
    }

    // The bytes as the text to share (as the platform's strings hold it).
    const std::string text = str(ns(bytes).get());
    auto payload = NSDictionary::create({ { "text", ns(text) } });
    auto json = NSJSONSerialization::dataWithJSONObject(payload.get());
    FUZZ_CHECK(json);
    auto url = NSURL::create("instagram://post?" + igtarvo::base64Encode(*json));
    FUZZ_CHECK(url);
    auto carried = objc::dynamicCast<NSDictionary>(NSJSONSerialization::JSONObjectWithData(std::vector<uint8_t>(json->begin(), json->end())));
    FUZZ_CHECK(carried && isString(carried->get("text").get()));
    auto read = igtarvo::shareAddressText(url.get());
    FUZZ_CHECK(read && *read == str(carried->get("text").get()));
    return 0;
}
