#include "platform/foundation/NSValues.h"
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

TEST(VersionAnswer, TheSupportedVersionReadsAsAnIntegerWhateverItsSize)
{
    auto version = [](const std::string& body) {
        auto dictionary = answer(body);
        EXPECT_TRUE(dictionary) << body;
        return dictionary ? integerValueOf(static_cast<NSDictionary*>(dictionary.get())->get("igVersion").get()) : -1;
    };
    EXPECT_EQ(version(R"({"igVersion": 89})"), 89);
    EXPECT_EQ(version(R"({"igVersion": "89abc"})"), 89);
    EXPECT_EQ(version(R"({"igVersion": [89]})"), 0);
    EXPECT_EQ(version(R"({"igVersion": "123456789012345678901234567890"})"), kLargest);
    EXPECT_EQ(version(R"({"igVersion": 1e300})"), kLargest);
    EXPECT_EQ(version(R"({"igVersion": 18446744073709551615})"), kLargest);
}
