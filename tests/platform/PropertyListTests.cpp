#include "platform/foundation/NSValues.h"
#include "platform/foundation/PropertyList.h"

#include <gtest/gtest.h>

#include <string>

using namespace platform;

namespace {

std::vector<uint8_t> bytes(const std::string& text) { return { text.begin(), text.end() }; }

// Binary lists of one entry, as a damaged or hand-made file could hold them.
const std::string kNulInAsciiValue("\x62\x70\x6c\x69\x73\x74\x30\x30\xd1\x01\x02\x51\x61\x53\x78\x00\x79\x08\x0b\x0d\x00\x00\x00\x00\x00\x00\x01\x01\x00\x00\x00\x00\x00\x00\x00\x03\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x11", 52);
const std::string kNulInKey("\x62\x70\x6c\x69\x73\x74\x30\x30\xd1\x01\x02\x52\x6b\x00\x09\x08\x0b\x0e\x00\x00\x00\x00\x00\x00\x01\x01\x00\x00\x00\x00\x00\x00\x00\x03\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x0f", 50);
const std::string kNulInUTF16Value("\x62\x70\x6c\x69\x73\x74\x30\x30\xd1\x01\x02\x51\x61\x62\x00\xe9\x00\x00\x08\x0b\x0d\x00\x00\x00\x00\x00\x00\x01\x01\x00\x00\x00\x00\x00\x00\x00\x03\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x12", 53);
// {"k\xa2": "v\xff"}: bytes that are no UTF-8 in an ASCII text object.
const std::string kMalformedText("\x62\x70\x6c\x69\x73\x74\x30\x30\xd1\x01\x02\x52\x6b\xa2\x52\x76\xff\x08\x0b\x0e\x00\x00\x00\x00\x00\x00\x01\x01\x00\x00\x00\x00\x00\x00\x00\x03\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x11", 52);

}

TEST(PropertyLists, ABinaryListWithANulInAnyTextIsMalformedNotAFatalError)
{
    EXPECT_EQ(propertyListFromData(bytes(kNulInAsciiValue)), nullptr);
    EXPECT_EQ(propertyListFromData(bytes(kNulInKey)), nullptr);
    EXPECT_EQ(propertyListFromData(bytes(kNulInUTF16Value)), nullptr);
}

TEST(PropertyLists, BytesThatAreNoUTF8ReadAsReplacementCharactersAndSurviveAWriteBack)
{
    auto list = propertyListFromData(bytes(kMalformedText));
    ASSERT_TRUE(objc::object_isKindOfClass(list, NSDictionary::staticClass()));
    auto* dictionary = static_cast<NSDictionary*>(list.get());
    EXPECT_EQ(str(dictionary->get("k\xEF\xBF\xBD")), "v\xEF\xBF\xBD");

    for (auto format : { PropertyListFormat::Binary, PropertyListFormat::XML }) {
        auto written = dataFromPropertyList(list.get(), format);
        ASSERT_TRUE(written);
        auto again = propertyListFromData(*written);
        EXPECT_TRUE(isEqual(again.get(), list.get()));
    }
}
