// The supported-version service's answer: any body gives a dictionary or
// nil without a crash, and what the notice and the update filter read from
// it ("igVersion" as a number, "igVersionReadable" as a text) is well defined
// whatever the dictionary holds.

#include "fuzz/FuzzCheck.h"
#include "platform/foundation/NSValues.h"
#include "updates/VersionNotice.h"
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
    long supported = supportedVersionNumber(answer.get());
    if (!answer)
        FUZZ_CHECK(supported == 0);
    if (answer)
        (void)str(static_cast<NSDictionary*>(answer.get())->get("igVersionReadable"));

    // A version text of any shape.
    std::string text(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(leadingInteger(text) >= 0);
    return 0;
}
