#include "platform/foundation/NSJSONSerialization.h"
#include "platform/foundation/NSValues.h"
#include "platform/foundation/PropertyList.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace platform;

namespace {

constexpr long kLargest = std::numeric_limits<long>::max();
constexpr long kSmallest = std::numeric_limits<long>::min();

std::vector<uint8_t> bytes(const std::string& text) { return { text.begin(), text.end() }; }

long integerOfJSON(const std::string& text)
{
    auto value = NSJSONSerialization::JSONObjectWithData(bytes(text));
    EXPECT_TRUE(objc::object_isKindOfClass(value, NSArray::staticClass())) << text;
    auto* array = static_cast<NSArray*>(value.get());
    return static_cast<NSNumber*>(array->items().at(0).get())->integerValue();
}

}

TEST(Numbers, RealsTruncateTowardZeroAsIntegers)
{
    EXPECT_EQ(NSNumber::numberWithDouble(2.9)->integerValue(), 2);
    EXPECT_EQ(NSNumber::numberWithDouble(-2.9)->integerValue(), -2);
    EXPECT_EQ(NSNumber::numberWithDouble(-2.9)->intValue(), -2);
    EXPECT_TRUE(NSNumber::numberWithDouble(0.25)->boolValue());
}

TEST(Numbers, RealsBeyondTheIntegersReadAsTheNearestEnd)
{
    EXPECT_EQ(NSNumber::numberWithDouble(1e300)->integerValue(), kLargest);
    EXPECT_EQ(NSNumber::numberWithDouble(-1e300)->integerValue(), kSmallest);
    EXPECT_EQ(NSNumber::numberWithDouble(9223372036854775808.0)->integerValue(), kLargest);
    EXPECT_EQ(NSNumber::numberWithDouble(std::numeric_limits<double>::infinity())->integerValue(), kLargest);
    EXPECT_EQ(NSNumber::numberWithDouble(std::nan(""))->integerValue(), 0);
    EXPECT_DOUBLE_EQ(NSNumber::numberWithDouble(1e300)->doubleValue(), 1e300);
}

TEST(Numbers, HugeNumbersInJSONAndPropertyListsReadAsTheNearestEnd)
{
    EXPECT_EQ(integerOfJSON("[1e300]"), kLargest);
    EXPECT_EQ(integerOfJSON("[-1.5e19]"), kSmallest);
    EXPECT_EQ(integerOfJSON("[123.9]"), 123);

    auto list = propertyListFromData(bytes(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><array><real>1e300</real></array></plist>"));
    ASSERT_TRUE(objc::object_isKindOfClass(list, NSArray::staticClass()));
    auto* number = static_cast<NSNumber*>(static_cast<NSArray*>(list.get())->items().at(0).get());
    EXPECT_EQ(number->integerValue(), kLargest);
}
