#include "platform/foundation/Device.h"
#include "platform/foundation/Preferences.h"
#include "platform/foundation/PropertyList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

constexpr const char* kDomain = "com.example.prefs";
constexpr const char* kUser = kCFPreferencesCurrentUser;
constexpr const char* kHost = kCFPreferencesAnyHost;

std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class Preferences : public ::testing::Test {
protected:
    Preferences()
    {
        char pattern[] = "/tmp/igtarvo-prefs-XXXXXX";
        m_root = ::mkdtemp(pattern);
        Device::setRoot(m_root);
    }
    ~Preferences() override
    {
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }
    std::string file(const std::string& domain = kDomain) const { return m_root + "/var/mobile/Library/Preferences/" + domain + ".plist"; }

    static Ref<NSDictionary> dict(std::map<std::string, Ref<Object>> entries) { return NSDictionary::create(std::move(entries)); }
    static long integer(id value)
    {
        auto* number = objc::dynamicCast<NSNumber>(value);
        return number ? number->integerValue() : -1;
    }
    static std::vector<std::string> keys(NSArray* list)
    {
        std::vector<std::string> result;
        if (list) {
            for (auto& key : list->items())
                result.push_back(str(key.get()));
        }
        return result;
    }

    std::string m_root;
};

}

TEST_F(Preferences, AMissingDomainReadsAsEmpty)
{
    EXPECT_TRUE(CFPreferencesAppSynchronize(kDomain));
    EXPECT_EQ(CFPreferencesCopyKeyList(kDomain, kUser, kHost), nullptr);
    EXPECT_EQ(CFPreferencesCopyMultiple(nullptr, kDomain, kUser, kHost)->count(), 0u);
    EXPECT_EQ(CFPreferencesCopyAppValue("any", kDomain), nullptr);
    EXPECT_FALSE(fs::exists(file())) << "reading makes no file";
}

TEST_F(Preferences, WritesLandInTheDomainFileInTheBinaryFormat)
{
    ASSERT_TRUE(CFPreferencesSetMultiple(dict({ { "b", NSNumber::numberWithInteger(2) }, { "a", ns("one") } }).get(), nullptr, kDomain, kUser, kHost));
    EXPECT_EQ(readText(file()).substr(0, 8), "bplist00");
    EXPECT_EQ(keys(CFPreferencesCopyKeyList(kDomain, kUser, kHost).get()), (std::vector<std::string> { "a", "b" }));
    auto some = CFPreferencesCopyMultiple(NSArray::create({ ns("b"), ns("missing") }).get(), kDomain, kUser, kHost);
    EXPECT_EQ(some->count(), 1u);
    EXPECT_EQ(integer(some->get("b").get()), 2);
    EXPECT_EQ(str(CFPreferencesCopyAppValue("a", kDomain).get()), "one");
}

TEST_F(Preferences, ADomainWrittenAsXMLIsRead)
{
    fs::create_directories(fs::path(file()).parent_path());
    ASSERT_TRUE(writePropertyListFile(dict({ { "fromXML", NSNumber::numberWithInteger(7) } }).get(), file(), PropertyListFormat::XML));
    EXPECT_EQ(integer(CFPreferencesCopyAppValue("fromXML", kDomain).get()), 7);
}

TEST_F(Preferences, AWriteChangesOnlyItsKeysAndKeepsWhatOthersPutOnDiskMeanwhile)
{
    ASSERT_TRUE(CFPreferencesSetAppValue("mine", NSNumber::numberWithInteger(1).get(), kDomain));
    // Another process rewrites the file behind this one's back.
    ASSERT_TRUE(writePropertyListFile(dict({ { "mine", NSNumber::numberWithInteger(1) }, { "theirs", ns("kept") } }).get(), file(), PropertyListFormat::XML));

    ASSERT_TRUE(CFPreferencesSetMultiple(dict({ { "mine", NSNumber::numberWithInteger(2) } }).get(), NSArray::create({ ns("gone") }).get(), kDomain, kUser, kHost));
    EXPECT_EQ(integer(CFPreferencesCopyAppValue("mine", kDomain).get()), 2);
    EXPECT_EQ(str(CFPreferencesCopyAppValue("theirs", kDomain).get()), "kept");

    ASSERT_TRUE(CFPreferencesSetAppValue("mine", nullptr, kDomain));
    EXPECT_EQ(keys(CFPreferencesCopyKeyList(kDomain, kUser, kHost).get()), std::vector<std::string> { "theirs" });
}

TEST_F(Preferences, AnUnreadableFileReadsAsEmptyAndIsKeptAsideBeforeAWrite)
{
    fs::create_directories(fs::path(file()).parent_path());
    std::ofstream(file(), std::ios::binary) << "this is not a property list";
    EXPECT_FALSE(CFPreferencesAppSynchronize(kDomain));
    EXPECT_EQ(CFPreferencesCopyKeyList(kDomain, kUser, kHost), nullptr);

    ASSERT_TRUE(CFPreferencesSetAppValue("fresh", ns("start").get(), kDomain));
    EXPECT_EQ(readText(file() + ".unreadable"), "this is not a property list");
    EXPECT_EQ(keys(CFPreferencesCopyKeyList(kDomain, kUser, kHost).get()), std::vector<std::string> { "fresh" });
    EXPECT_TRUE(CFPreferencesAppSynchronize(kDomain));
}

TEST_F(Preferences, OtherUsersOtherHostsAndNamesThatAreNotOneFileNameAreRefused)
{
    auto values = dict({ { "k", ns("v") } });
    EXPECT_FALSE(CFPreferencesSetMultiple(values.get(), nullptr, kDomain, kCFPreferencesAnyUser, kHost));
    EXPECT_FALSE(CFPreferencesSetMultiple(values.get(), nullptr, kDomain, kUser, kCFPreferencesCurrentHost));
    for (const char* bad : { "", ".", "..", "../escape", "a/b" }) {
        EXPECT_FALSE(CFPreferencesSetAppValue("k", ns("v").get(), bad)) << bad;
        EXPECT_FALSE(CFPreferencesAppSynchronize(bad)) << bad;
    }
    EXPECT_FALSE(fs::exists(m_root + "/var/mobile/Library/escape.plist"));
    EXPECT_FALSE(fs::exists(file()));
    ASSERT_TRUE(CFPreferencesSetAppValue("k", ns("v").get(), kDomain));
    EXPECT_EQ(CFPreferencesCopyKeyList(kDomain, kUser, kCFPreferencesCurrentHost), nullptr);
    EXPECT_EQ(CFPreferencesCopyMultiple(nullptr, kDomain, kCFPreferencesAnyUser, kHost)->count(), 0u);
}

TEST_F(Preferences, WritersInManyThreadsAndProcessesLoseNoKey)
{
    constexpr int kWriters = 4;
    constexpr int kKeysEach = 25;
    auto writeKeys = [](const std::string& prefix) {
        for (int i = 0; i < kKeysEach; ++i)
            CFPreferencesSetAppValue(prefix + std::to_string(i), NSNumber::numberWithInteger(i).get(), kDomain);
    };
    std::vector<pid_t> children;
    for (int p = 0; p < 2; ++p) {
        pid_t pid = ::fork();
        if (pid == 0) {
            writeKeys("process" + std::to_string(p) + "-");
            ::_exit(0);
        }
        children.push_back(pid);
    }
    std::vector<std::thread> threads;
    for (int t = 0; t < kWriters; ++t)
        threads.emplace_back(writeKeys, "thread" + std::to_string(t) + "-");
    for (auto& t : threads)
        t.join();
    for (pid_t pid : children)
        ::waitpid(pid, nullptr, 0);

    auto all = keys(CFPreferencesCopyKeyList(kDomain, kUser, kHost).get());
    EXPECT_EQ(all.size(), size_t((kWriters + 2) * kKeysEach));
}
