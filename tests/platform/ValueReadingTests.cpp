// Numbers and texts read as booleans and integers the way the platform reads
// them: what a preference or a service's answer means when it holds a text
// where a number was expected, or a number too large for an integer.

#include "platform/foundation/NSJSONSerialization.h"
#include "platform/foundation/NSValues.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace platform;

TEST(ValueReading, ATextIsYesWhenItsFirstSignificantCharacterIsYTOrANonZeroDigit)
{
    for (const char* yes : { "YES", "yes", "Y", "true", "T", "t", "1", "9", "0001", "-1", "+2", " YES", "\t\n  true", "\xE3\x80\x80y",
             "\xC2\xA0" "1", "Yo", "7 dwarves", "+000t" }) {
        EXPECT_TRUE(ns(yes)->boolValue()) << '"' << yes << '"';
        EXPECT_TRUE(boolValueOf(ns(yes).get())) << '"' << yes << '"';
    }
    for (const char* no : { "", "NO", "no", "false", "0", "000", "-0", "+", "-", "on", "x1", "- 1", "++1", ".5", "\xC3\xBF", "\xE2\x80\x8B" "1" }) {
        EXPECT_FALSE(ns(no)->boolValue()) << '"' << no << '"';
        EXPECT_FALSE(boolValueOf(ns(no).get())) << '"' << no << '"';
    }
}

TEST(ValueReading, BooleansOfNumbersAndOfOtherValues)
{
    EXPECT_TRUE(boolValueOf(NSNumber::numberWithBool(true).get()));
    EXPECT_FALSE(boolValueOf(NSNumber::numberWithBool(false).get()));
    EXPECT_TRUE(boolValueOf(NSNumber::numberWithInteger(-3).get()));
    EXPECT_TRUE(boolValueOf(NSNumber::numberWithDouble(0.25).get()));
    EXPECT_FALSE(boolValueOf(NSNumber::numberWithDouble(0.0).get()));
    EXPECT_FALSE(boolValueOf(nullptr));
    EXPECT_FALSE(boolValueOf(NSArray::create({ ns("YES") }).get()));
    EXPECT_FALSE(boolValueOf(NSDictionary::create().get()));
    // The same reading through the runtime, as a sender of boolValue sees it.
    EXPECT_TRUE(objc::send<bool>(ns(" y"), "boolValue"));
    EXPECT_FALSE(objc::send<bool>(ns("n"), "boolValue"));
}

TEST(ValueReading, ATextsIntegerIsItsLeadingDigitsAndSaturatesInsteadOfOverflowing)
{
    EXPECT_EQ(ns("71701")->integerValue(), 71701);
    EXPECT_EQ(ns("17882765.1")->integerValue(), 17882765);
    EXPECT_EQ(ns("  -42abc")->integerValue(), -42);
    EXPECT_EQ(ns("+7")->integerValue(), 7);
    EXPECT_EQ(ns("")->integerValue(), 0);
    EXPECT_EQ(ns("v7")->integerValue(), 0);
    EXPECT_EQ(ns("9223372036854775807")->integerValue(), LONG_MAX);
    EXPECT_EQ(ns("9223372036854775808")->integerValue(), LONG_MAX);
    EXPECT_EQ(ns("18446744073709551617")->integerValue(), LONG_MAX) << "2^64 + 1 does not wrap to 1";
    EXPECT_EQ(ns(std::string(400, '9'))->integerValue(), LONG_MAX);
    EXPECT_EQ(ns("-9223372036854775808")->integerValue(), LONG_MIN);
    EXPECT_EQ(ns("-99999999999999999999")->integerValue(), LONG_MIN);
    EXPECT_EQ(ns("00000000000000000000000000012")->integerValue(), 12) << "leading zeros are no overflow";
    EXPECT_EQ(ns("99999999999")->intValue(), INT_MAX);
    EXPECT_EQ(ns("-99999999999")->intValue(), INT_MIN);
    EXPECT_EQ(objc::send<long>(ns("12x"), "integerValue"), 12);
}

TEST(ValueReading, ANumbersIntegerSaturatesForRealsOutsideTheIntegersRange)
{
    EXPECT_EQ(NSNumber::numberWithDouble(1e20)->integerValue(), LONG_MAX);
    EXPECT_EQ(NSNumber::numberWithDouble(-1e20)->integerValue(), LONG_MIN);
    EXPECT_EQ(NSNumber::numberWithDouble(INFINITY)->integerValue(), LONG_MAX);
    EXPECT_EQ(NSNumber::numberWithDouble(NAN)->integerValue(), 0);
    EXPECT_EQ(NSNumber::numberWithDouble(-7.9)->integerValue(), -7);
    EXPECT_EQ(NSNumber::numberWithDouble(1e20)->intValue(), INT_MAX);
    EXPECT_EQ(integerValueOf(ns("123").get()), 123);
    EXPECT_EQ(integerValueOf(NSNumber::numberWithInteger(-5).get()), -5);
    EXPECT_EQ(integerValueOf(NSArray::create().get()), 0);
    EXPECT_EQ(integerValueOf(nullptr), 0);
}

TEST(ValueReading, JSONWholeNumbersPastTheIntegersRangeDoNotWrapToNegative)
{
    auto first = [](const char* text) {
        std::string json = text;
        auto value = NSJSONSerialization::JSONObjectWithData(std::vector<uint8_t>(json.begin(), json.end()));
        if (!objc::object_isKindOfClass(value.get(), NSArray::staticClass()))
            return -1L;
        return integerValueOf(static_cast<NSArray*>(value.get())->firstObject().get());
    };
    EXPECT_EQ(first("[18446744073709551615]"), LONG_MAX);
    EXPECT_EQ(first("[9223372036854775808]"), LONG_MAX);
    EXPECT_EQ(first("[9223372036854775807]"), LONG_MAX);
    EXPECT_EQ(first("[100000000000000000000]"), LONG_MAX);
    EXPECT_EQ(first("[-9223372036854775808]"), LONG_MIN);
    EXPECT_EQ(first("[71701]"), 71701);
}
