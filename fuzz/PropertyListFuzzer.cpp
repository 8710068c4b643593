// Property lists in both formats through the platform's reader: any bytes
// decode to a tree or to nothing without a crash, and a decoded tree encodes
// in both formats to bytes that read back to the same tree (after one trip,
// the tree no longer changes). Trees are compared by their XML form, which
// gives dates to the second: the property-list library's dates move by a
// microsecond, or lose the sign of their fraction before 2001, on a trip
// through the binary format.

#include "fuzz/FuzzCheck.h"
#include "platform/foundation/PropertyList.h"

#include <cstdint>
#include <cstdio>
#include <vector>

using namespace platform;

namespace {

std::vector<uint8_t> xmlOf(Object* tree)
{
    auto xml = dataFromPropertyList(tree, PropertyListFormat::XML);
    FUZZ_CHECK(xml.has_value());
    return *xml;
}

RefPtr<Object> trip(Object* tree, PropertyListFormat format)
{
    auto encoded = dataFromPropertyList(tree, format);
    FUZZ_CHECK(encoded.has_value());
    auto decoded = propertyListFromData(*encoded);
    FUZZ_CHECK(decoded);
    return decoded;
}

void checkRoundTrip(Object* tree, PropertyListFormat format)
{
    auto once = trip(tree, format);
    auto twice = trip(once.get(), format);
    auto first = xmlOf(once.get()), second = xmlOf(twice.get());
    if (first != second)
        std::fprintf(stderr, "after one trip:\n%.*s\nafter two:\n%.*s\n", int(first.size()), reinterpret_cast<const char*>(first.data()),
            int(second.size()), reinterpret_cast<const char*>(second.data()));
    FUZZ_CHECK(second == first);
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
