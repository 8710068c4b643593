#include "platform/foundation/NSValues.h"
#include "platform/foundation/PropertyList.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>

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

TEST(PropertyLists, AnXMLListWithANulIsMalformed)
{
    auto xml = [](const std::string& text) {
        return bytes("<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist version=\"1.0\"><dict><key>k</key><string>" + text + "</string></dict></plist>");
    };
    EXPECT_TRUE(propertyListFromData(xml("plain")));
    EXPECT_EQ(propertyListFromData(xml(std::string("a\0b", 3))), nullptr);
    EXPECT_EQ(propertyListFromData(xml("a&#0;b")), nullptr);
    EXPECT_EQ(propertyListFromData(xml("a&#x000;b")), nullptr);
    EXPECT_TRUE(propertyListFromData(xml("a&#65;b")));
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

TEST(PropertyLists, DatesKeepTheirPlaceThroughRepeatedWritesOnBothSidesOf2001)
{
    // 1950, a date before 2001 with a fraction; one just after 2001; today.
    for (double seconds : { -631152000.75, 978393706.25, 1796800000.123456 }) {
        RefPtr<Object> value = NSDate::dateWithTimeIntervalSince1970(seconds);
        for (auto format : { PropertyListFormat::Binary, PropertyListFormat::XML }) {
            RefPtr<Object> read = value;
            for (int trip = 0; trip < 5; ++trip) {
                auto bytes = dataFromPropertyList(read.get(), format);
                ASSERT_TRUE(bytes);
                read = propertyListFromData(*bytes);
                ASSERT_TRUE(objc::dynamicCast<NSDate>(read.get()));
            }
            double kept = static_cast<NSDate*>(read.get())->timeIntervalSince1970();
            // The binary form keeps microseconds; the XML form whole seconds.
            double precision = format == PropertyListFormat::Binary ? 2e-6 : 1.0;
            EXPECT_NEAR(kept, seconds, precision) << "after five trips of " << std::fixed << seconds;
        }
    }
}

TEST(PropertyLists, ADateBeyondWhatTheFormatCountsIsKeptAtItsNearestEndNotWrappedAround)
{
    const double earliest = 978307200.0 + INT32_MIN, latest = 978307200.0 + INT32_MAX;
    for (auto [seconds, kept] : { std::pair { -2208988800.0, earliest }, std::pair { 4102444800.0, latest } }) {
        auto bytes = dataFromPropertyList(NSDate::dateWithTimeIntervalSince1970(seconds).get(), PropertyListFormat::Binary);
        ASSERT_TRUE(bytes);
        auto read = objc::dynamicCast<NSDate>(propertyListFromData(*bytes));
        ASSERT_TRUE(read);
        EXPECT_EQ(read->timeIntervalSince1970(), kept) << std::fixed << seconds;
    }
}
