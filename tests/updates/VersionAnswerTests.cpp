#include "platform/foundation/NSValues.h"
#include "updates/VersionNotice.h"
#include "updates/VersionQuery.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace igtarvo;
using namespace platform;

namespace {

constexpr long kLargest = std::numeric_limits<long>::max();

RefPtr<Object> answer(const std::string& body)
{
    return supportedVersionAnswer(std::vector<uint8_t>(body.begin(), body.end()));
}

}

TEST(VersionAnswer, OnlyAJSONObjectIsAnAnswer)
{
    EXPECT_TRUE(answer(R"({"igVersion": 89, "igVersionReadable": "8.9"})"));
    EXPECT_FALSE(answer("[89]"));
    EXPECT_FALSE(answer("89"));
    EXPECT_FALSE(answer(R"({"igVersion": )"));
    EXPECT_FALSE(answer(""));
}

TEST(VersionAnswer, TheSupportedVersionIsANumberOrTheLeadingDigitsOfAText)
{
    EXPECT_EQ(supportedVersionNumber(answer(R"({"igVersion": 89})").get()), 89);
    EXPECT_EQ(supportedVersionNumber(answer(R"({"igVersion": "89abc"})").get()), 89);
    EXPECT_EQ(supportedVersionNumber(answer(R"({"igVersion": 89.7})").get()), 89);
    EXPECT_EQ(supportedVersionNumber(answer(R"({"igVersion": [89]})").get()), 0);
    EXPECT_EQ(supportedVersionNumber(answer(R"({"other": 89})").get()), 0);
    EXPECT_EQ(supportedVersionNumber(nullptr), 0);
}

TEST(VersionAnswer, VersionsTooLargeToCountReadAsTheLargestNumber)
{
    EXPECT_EQ(leadingInteger("9223372036854775807"), kLargest);
    EXPECT_EQ(leadingInteger("9223372036854775808"), kLargest);
    EXPECT_EQ(leadingInteger("99999999999999999999999999.1"), kLargest);
    EXPECT_EQ(leadingInteger("922337203685477580"), 922337203685477580L);
    EXPECT_EQ(supportedVersionNumber(answer(R"({"igVersion": "123456789012345678901234567890"})").get()), kLargest);
    EXPECT_EQ(supportedVersionNumber(answer(R"({"igVersion": 1e300})").get()), kLargest);
}
