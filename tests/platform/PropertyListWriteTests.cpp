// Writing a property-list file replaces it whole: a reader sees the old
// content or the new, never a part of either, also while the file is
// rewritten again and again, from one thread or several.

#include "platform/foundation/NSValues.h"
#include "platform/foundation/PropertyList.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

// A dictionary of `count` keys, each holding `value`.
objc::RefPtr<NSDictionary> dictionaryOf(int count, const std::string& value)
{
    auto dictionary = NSMutableDictionary::create();
    for (int i = 0; i < count; ++i)
        dictionary->set("key" + std::to_string(i), ns(value + std::to_string(i)).get());
    return dictionary;
}

// How many keys a whole dictionary read from the file has; -1 when what was
// read is not a whole dictionary.
long keysIn(objc::RefPtr<objc::Object> plist)
{
    if (!objc::object_isKindOfClass(plist, NSDictionary::staticClass()))
        return -1;
    return long(static_cast<NSDictionary*>(plist.get())->count());
}

class PropertyListWrite : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_directory = fs::temp_directory_path() / ("plist-write-" + std::to_string(::getpid()) + "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_directory);
    }
    void TearDown() override { fs::remove_all(m_directory); }
    std::string file() const { return (m_directory / "domain.plist").string(); }
    std::vector<std::string> leftovers() const
    {
        std::vector<std::string> names;
        for (auto& entry : fs::directory_iterator(m_directory))
            names.push_back(entry.path().filename().string());
        return names;
    }

    fs::path m_directory;
};

}

TEST_F(PropertyListWrite, AReaderThatOpenedTheFileBeforeARewriteReadsTheWholeOldContent)
{
    for (auto format : { PropertyListFormat::Binary, PropertyListFormat::XML }) {
        ASSERT_TRUE(writePropertyListFile(dictionaryOf(2000, "old").get(), file(), format));
        std::ifstream reader(file(), std::ios::binary);
        ASSERT_TRUE(writePropertyListFile(dictionaryOf(10, "new").get(), file(), format));

        std::stringstream bytes;
        bytes << reader.rdbuf();
        std::string text = bytes.str();
        auto old = propertyListFromData(std::vector<uint8_t>(text.begin(), text.end()));
        EXPECT_EQ(keysIn(old), 2000);
        EXPECT_EQ(str(static_cast<NSDictionary*>(old.get())->get("key1999")), "old1999");
        EXPECT_EQ(keysIn(readPropertyListFile(file())), 10);
    }
    EXPECT_EQ(leftovers(), std::vector<std::string> { "domain.plist" });
}

TEST_F(PropertyListWrite, ReadersDuringRepeatedWritesFromSeveralThreadsAlwaysReadAWholeDictionary)
{
    ASSERT_TRUE(writePropertyListFile(dictionaryOf(1500, "long").get(), file()));
    std::atomic<bool> writing { true };
    std::atomic<int> failedWrites { 0 };
    auto writer = [&](int count, const char* value) {
        for (int round = 0; round < 150; ++round) {
            if (!writePropertyListFile(dictionaryOf(round % 2 ? count : 1500, value).get(), file()))
                ++failedWrites;
        }
    };
    std::vector<long> unexpected;
    std::thread reader([&] {
        while (writing) {
            long keys = keysIn(readPropertyListFile(file()));
            if (keys != 1500 && keys != 7 && keys != 300)
                unexpected.push_back(keys);
        }
    });
    std::thread first(writer, 7, "short");
    std::thread second(writer, 300, "middle");
    first.join();
    second.join();
    writing = false;
    reader.join();

    EXPECT_EQ(failedWrites, 0);
    EXPECT_TRUE(unexpected.empty()) << unexpected.size() << " reads were not a whole dictionary, e.g. " << unexpected.front() << " keys";
    EXPECT_EQ(leftovers(), std::vector<std::string> { "domain.plist" }) << "no temporary file stays behind";
}
