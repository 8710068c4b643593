// The supported-version service's answer: any body gives a dictionary or
// nil without a crash, and what the notice and the update filter read from
// it ("igVersion" as an integer, "igVersionReadable" as a text) is well
// defined whatever the dictionary holds; a version text of any length reads
// as an integer without overflowing.

#include "fuzz/FuzzCheck.h"
#include "platform/foundation/NSValues.h"
#include "updates/VersionQuery.h"

#include <cstdint>
#include <string>
#include <vector>

using namespace igtarvo;
using namespace platform;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto answer = supportedVersionAnswer(std::vector<uint8_t>(data, data + size));
    FUZZ_CHECK(!answer || objc::object_isKindOfClass(answer, NSDictionary::staticClass()));
    if (answer) {
        auto* dictionary = static_cast<NSDictionary*>(answer.get());
        (void)integerValueOf(dictionary->get("igVersion").get());
        (void)str(dictionary->get("igVersionReadable"));
    }

    std::string text(reinterpret_cast<const char*>(data), size);
    (void)integerValueOf(ns(text).get());
    (void)boolValueOf(ns(text).get());
    return 0;
}
