// The settings reader in one process: what a snapshot answers. The reader is
// one per process, so each test writes the file and then takes a fresh
// snapshot (updateSettings), as a delivered change would.

#include "platform/foundation/Device.h"
#include "platform/foundation/Preferences.h"
#include "platform/foundation/PropertyList.h"
#include "settings/TarvoSettings.h"
#include "tests/support/Files.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace platform;
using igtarvo::TarvoSettings;

namespace {

class SettingsReader : public ::testing::Test {
protected:
    std::string file() const { return m_device.path(preferencesDevicePath(igtarvo::kSettingsDomain)); }
    void store(std::map<std::string, Ref<Object>> values)
    {
        ASSERT_TRUE(writePropertyListFile(NSDictionary::create(std::move(values)), file(), PropertyListFormat::XML));
    }
    void refresh() { TarvoSettings::sharedSettings()->updateSettings(); }

    testsupport::TemporaryDevice m_device;
};

// What a key reads as, with both defaults: "YES", "NO", or "default".
std::string reading(const std::string& key)
{
    bool withNo = TarvoSettings::boolForKey(key, false);
    bool withYes = TarvoSettings::boolForKey(key, true);
    if (withNo != withYes)
        return "default";
    EXPECT_EQ(TarvoSettings::boolForKey(ns(key).get()), withNo);
    return withNo ? "YES" : "NO";
}

}

TEST_F(SettingsReader, TextsAndNumbersReadAsThePlatformReadsThem)
{
    store({
        { "textYES", ns("YES") },
        { "textNO", ns("NO") },
        { "textTrue", ns("true") },
        { "textZeroSeven", ns(" 007") },
        { "textOn", ns("on") },
        { "number1", NSNumber::numberWithInteger(1) },
        { "number0", NSNumber::numberWithInteger(0) },
        { "booleanTrue", NSNumber::numberWithBool(true) },
        { "booleanFalse", NSNumber::numberWithBool(false) },
        { "realHalf", NSNumber::numberWithDouble(0.5) },
    });
    refresh();
    EXPECT_EQ(reading("textYES"), "YES");
    EXPECT_EQ(reading("textNO"), "NO");
    EXPECT_EQ(reading("textTrue"), "YES");
    EXPECT_EQ(reading("textZeroSeven"), "YES");
    EXPECT_EQ(reading("textOn"), "NO");
    EXPECT_EQ(reading("number1"), "YES");
    EXPECT_EQ(reading("number0"), "NO");
    EXPECT_EQ(reading("booleanTrue"), "YES");
    EXPECT_EQ(reading("booleanFalse"), "NO");
    EXPECT_EQ(reading("realHalf"), "YES");
}

TEST_F(SettingsReader, AbsentKeysAndValuesWithoutABooleanReadingGiveTheCallersDefault)
{
    store({
        { "list", NSArray::create({ ns("YES") }) },
        { "when", NSDate::dateWithTimeIntervalSince1970(1) },
        { "bytes", NSData::create({ 1 }) },
        { "nested", NSDictionary::create({ { "a", ns("YES") } }) },
    });
    refresh();
    for (const char* key : { "absent", "list", "when", "bytes", "nested" })
        EXPECT_EQ(reading(key), "default") << key;
}

TEST_F(SettingsReader, AMissingOrMalformedFileIsNoSnapshotAndEveryLookUpAnswersItsDefault)
{
    store({ { "flag", ns("YES") } });
    refresh();
    ASSERT_TRUE(TarvoSettings::sharedSettings()->settings());

    std::filesystem::remove(file());
    refresh();
    EXPECT_FALSE(TarvoSettings::sharedSettings()->settings());
    EXPECT_EQ(reading("flag"), "default");

    testsupport::writeText(file(), "<plist><dict><key>flag</key>");
    refresh();
    EXPECT_FALSE(TarvoSettings::sharedSettings()->settings());
    EXPECT_EQ(reading("flag"), "default");

    ASSERT_TRUE(writePropertyListFile(NSArray::create({ ns("flag") }), file()));
    refresh();
    EXPECT_FALSE(TarvoSettings::sharedSettings()->settings());
}

TEST_F(SettingsReader, AChangeToTheFileAloneIsNotSeenUntilTheSnapshotIsRetaken)
{
    store({ { "flag", ns("YES") } });
    refresh();
    store({ { "flag", ns("NO") } });
    EXPECT_EQ(reading("flag"), "YES");
    refresh();
    EXPECT_EQ(reading("flag"), "NO");
}

TEST_F(SettingsReader, TheSnapshotReadsTheBinaryFormatThePreferenceCallsWrite)
{
    ASSERT_TRUE(CFPreferencesSetValue("flag", NSNumber::numberWithBool(true).get(), igtarvo::kSettingsDomain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost));
    refresh();
    EXPECT_EQ(reading("flag"), "YES");
    EXPECT_TRUE(isEqual(TarvoSettings::sharedSettings()->settings().get(),
        CFPreferencesCopyMultiple(nullptr, igtarvo::kSettingsDomain, kCFPreferencesCurrentUser, kCFPreferencesAnyHost).get()));
}

TEST_F(SettingsReader, TheLookUpsAreTheClassesOwnMessages)
{
    store({ { "flag", ns("YES") } });
    refresh();
    objc::Class cls = objc::objc_getClass("TarvoSettings");
    ASSERT_TRUE(cls);
    EXPECT_TRUE((objc::send<bool(NSString*)>(cls, "boolForKey:", ns("flag").get())));
    EXPECT_FALSE((objc::send<bool(NSString*)>(cls, "boolForKey:", ns("absent").get())));
    EXPECT_TRUE((objc::send<bool(NSString*, bool)>(cls, "boolForKey:defaultValue:", ns("absent").get(), true)));
    auto shared = objc::send<RefPtr<Object>>(cls, "sharedSettings");
    EXPECT_EQ(shared.get(), TarvoSettings::sharedSettings());
}
