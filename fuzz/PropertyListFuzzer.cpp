// Property lists in both formats through the platform's reader: any bytes
// decode to a tree or to nothing without a crash, and a decoded tree encodes
// in both formats to bytes that read back to the same tree (after one trip,
// encoding again gives the very same bytes).

#include "fuzz/FuzzCheck.h"
#include "platform/foundation/PropertyList.h"

#include <cstdint>
#include <vector>

using namespace platform;

namespace {

void checkRoundTrip(Object* tree, PropertyListFormat format)
{
    auto encoded = dataFromPropertyList(tree, format);
    FUZZ_CHECK(encoded.has_value());
    auto decoded = propertyListFromData(*encoded);
    FUZZ_CHECK(decoded);
    auto again = dataFromPropertyList(decoded.get(), format);
    FUZZ_CHECK(again.has_value());
    auto settled = propertyListFromData(*again);
    FUZZ_CHECK(settled);
    FUZZ_CHECK(dataFromPropertyList(settled.get(), format) == again);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> bytes(data, data + size);
    auto tree = propertyListFromData(bytes);
    if (!tree)
        return 0;
    checkRoundTrip(tree.get(), PropertyListFormat::Binary);
    checkRoundTrip(tree.get(), PropertyListFormat::XML);
    return 0;
}
