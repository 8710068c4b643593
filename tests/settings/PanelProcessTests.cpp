// The settings panel in a running igTarvoApp on a fresh device: what it
// shows, what its switches store and announce, the restart confirmation
// against a running Instagram, the share sheet by what the device has, the
// follow button, and the notice when the panel is not installed.

#include "platform/foundation/Device.h"
#include "platform/foundation/Preferences.h"
#include "tests/support/Files.h"
#include "tests/support/Hosts.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

using namespace platform;
using testsupport::control;

namespace {

constexpr const char* kDomain = "com.zr4.igtarvo";

class Panel : public ::testing::Test {
protected:
    void launch() { m_app.emplace(testsupport::startHost("igTarvoApp")); }
    ~Panel() override
    {
        for (const char* process : { "igTarvoApp", "Instagram" })
            testsupport::endProcess(testsupport::recordedPid(process));
    }
    static bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
    RefPtr<Object> stored(const std::string& key) { return CFPreferencesCopyAppValue(key, kDomain); }

    testsupport::TemporaryDevice m_device;
    std::optional<testsupport::ChildProgram> m_app;
};

}

TEST_F(Panel, ShowsTheBundlesRowsUnderTheHeaderWithTheVersionFooter)
{
    launch();
    std::string screen = control("igTarvoApp", "screen");
    EXPECT_EQ(screen.substr(0, screen.find('\n')), "page: igTarvo");
    EXPECT_TRUE(contains(screen, "section 0: Feed\n  0: Exact post times [on]\n  1: Grid and list button [on]\n")) << screen;
    EXPECT_TRUE(contains(screen, "section 2: Help\n  0: How to use igTarvo [button]\n")) << screen;
    EXPECT_TRUE(contains(screen, "  footer: You are running igTarvo v1.1\n")) << screen;
}

TEST_F(Panel, AFlippedSwitchIsStoredAndAnnouncedToARunningReader)
{
    launch();
    std::string screen = control("igTarvoApp", "flip 0 0");
    EXPECT_TRUE(contains(screen, "0: Exact post times [off]")) << screen;
    auto value = stored("kExactPostTimes");
    ASSERT_TRUE(value);
    EXPECT_FALSE(boolValueOf(value.get()));
    EXPECT_TRUE(contains(control("igTarvoApp", "flip 0 0"), "0: Exact post times [on]"));
    EXPECT_TRUE(boolValueOf(stored("kExactPostTimes").get()));
}

TEST_F(Panel, TheRestartRowAsksFirstCancelPutsTheSwitchBackApplyStoresAndClosesInstagram)
{
    auto instagram = testsupport::startHost("Instagram");
    pid_t instagramPid = testsupport::recordedPid("Instagram");
    ASSERT_TRUE(testsupport::isAlive(instagramPid));
    launch();

    std::string alert = control("igTarvoApp", "flip 0 1");
    EXPECT_EQ(alert, "alert: Changing Settings\n"
                     "message: Changing this setting will require Instagram to be closed. Do you want to do this now?\n"
                     "action: Apply\naction: Cancel\n");
    std::string back = control("igTarvoApp", "choose Cancel");
    EXPECT_TRUE(contains(back, "1: Grid and list button [on]")) << back;
    EXPECT_FALSE(stored("kLayoutToggleButton"));
    EXPECT_TRUE(testsupport::isAlive(instagramPid));

    control("igTarvoApp", "flip 0 1");
    std::string applied = control("igTarvoApp", "choose Apply");
    EXPECT_TRUE(contains(applied, "1: Grid and list button [off]")) << applied;
    auto value = stored("kLayoutToggleButton");
    ASSERT_TRUE(value);
    EXPECT_FALSE(boolValueOf(value.get()));
    EXPECT_TRUE(testsupport::eventually([&] { return !testsupport::isAlive(instagramPid); }));
    EXPECT_TRUE(contains(testsupport::readText(m_device.path("/var/log/killall.log")), "killall Instagram " + std::to_string(instagramPid)));
}

TEST_F(Panel, ApplyWithoutARunningInstagramStoresTheValueAndEndsNothing)
{
    launch();
    control("igTarvoApp", "flip 0 1");
    control("igTarvoApp", "choose Apply");
    EXPECT_FALSE(boolValueOf(stored("kLayoutToggleButton").get()));
    EXPECT_TRUE(testsupport::isAlive(testsupport::recordedPid("igTarvoApp")));
    EXPECT_EQ(testsupport::readText(m_device.path("/var/log/killall.log")), "");
}

TEST_F(Panel, TheShareSheetOffersWhatTheDeviceHas)
{
    ASSERT_TRUE(Device::setSetting("URLSchemes", ns("http,https,mailto").get()));
    launch();
    EXPECT_EQ(control("igTarvoApp", "tap-bar-button right"),
        "alert: Share igTarvo\nmessage: Share igTarvo to\naction: Twitter\naction: Email\naction: Cancel\n");
    // Without Twitter account or app, Twitter opens the web profile.
    control("igTarvoApp", "choose Twitter");
    EXPECT_EQ(control("igTarvoApp", "opened"), "https://mobile.twitter.com/igTarvo\n");
}

TEST_F(Panel, EveryChannelOffersItsOwnText)
{
    ASSERT_TRUE(Device::setSetting("URLSchemes", ns("http,https,mailto,instagram,whatsapp").get()));
    for (const char* setting : { "TwitterAccount", "FacebookAccount", "MailAccount", "CanSendText", "MessageSubjects" })
        ASSERT_TRUE(Device::setSetting(setting, NSNumber::numberWithBool(true).get()));
    launch();
    EXPECT_EQ(control("igTarvoApp", "tap-bar-button right"),
        "alert: Share igTarvo\nmessage: Share igTarvo to\naction: Twitter\naction: Facebook\naction: WhatsApp\naction: Instagram\naction: Email\naction: SMS\naction: Cancel\n");
    EXPECT_EQ(control("igTarvoApp", "choose Twitter"),
        "composer: com.apple.social.twitter\ntext: I just ended my suffering and also turbo boosted my Instagram experience via @igtarvo\n"
        "link: http://igtarvo.example\npictures: 1\n");

    control("igTarvoApp", "back");
    control("igTarvoApp", "tap-bar-button right");
    EXPECT_EQ(control("igTarvoApp", "choose SMS"),
        "composer: message\nsubject: igTarvo\nbody: Am using @igtarvo to end my Instagram suffering and to turbo boost my instagram experience. Check it out at igtarvo.example\n"
        "attachments: off\n");
}

TEST_F(Panel, TheInstagramEntryOpensTheShareAddressWithTheRecommendation)
{
    launch();
    control("igTarvoApp", "tap-bar-button right");
    control("igTarvoApp", "choose Instagram");
    std::string opened = control("igTarvoApp", "opened");
    // {"text":"Am using @igtarvo ... Check it out at igtarvo.example"}, in Base64.
    EXPECT_EQ(opened, "instagram://post?eyJ0ZXh0IjoiQW0gdXNpbmcgQGlndGFydm8gdG8gZW5kIG15IEluc3RhZ3JhbSBzdWZmZXJpbmcgYW5kIHRvIHR1cmJvIGJvb3N0IG15IGluc3RhZ3JhbSBleHBlcmllbmNlLiBDaGVjayBpdCBvdXQgYXQgaWd0YXJ2by5leGFtcGxlIn0=\n");
}

TEST_F(Panel, TheInstagramEntryLandsInARunningInstagramsShareScreenWithTheRecommendationAsCaption)
{
    // The address goes from the panel's process to Instagram's, whose
    // application delegate hands the bundle's share picture to its own share
    // screen with the address's text waiting as the caption.
    auto instagram = testsupport::startHost("Instagram");
    pid_t instagramPid = testsupport::recordedPid("Instagram");
    launch();
    control("igTarvoApp", "tap-bar-button right");
    control("igTarvoApp", "choose Instagram");
    std::string caption;
    EXPECT_TRUE(testsupport::eventually([&] {
        caption = control("Instagram", "share-caption");
        return contains(caption, "@igtarvo");
    }, std::chrono::seconds(20))) << caption;
    EXPECT_EQ(caption, "caption: \"Am using @igtarvo to end my Instagram suffering and to turbo boost my instagram experience. "
                       "Check it out at igtarvo.example\"\n");
    EXPECT_EQ(testsupport::recordedPid("Instagram"), instagramPid);
    // Sharing drops the waiting caption: a later share screen starts empty.
    EXPECT_EQ(control("Instagram", "share"), "shared\n");
}

TEST_F(Panel, TheFollowButtonOpensTheFirstInstalledTwitterAppWithTheLowerCasedName)
{
    ASSERT_TRUE(Device::setSetting("URLSchemes", ns("http,https,twitter,tweetbot").get()));
    launch();
    EXPECT_EQ(control("igTarvoApp", "follow 3 0"), "opened tweetbot:///user_profile/zr4dev\n");
}

TEST_F(Panel, TheHelpRowShowsTheHelpPicture)
{
    launch();
    EXPECT_EQ(control("igTarvoApp", "tap-row 2 0"), "page: igTarvo Help\npicture: 640x960\n");
}

TEST_F(Panel, WithoutTheBundleTheAppShowsANoticeAndKeepsRunning)
{
    std::filesystem::remove_all(m_device.path("/Library/PreferenceBundles/igTarvoSettings.bundle"));
    launch();
    std::string screen = control("igTarvoApp", "screen");
    EXPECT_TRUE(contains(screen, "text: igTarvo's settings are not installed")) << screen;
    EXPECT_TRUE(testsupport::isAlive(testsupport::recordedPid("igTarvoApp")));
}

TEST_F(Panel, ABrokenBundleIsTheSameNotice)
{
    std::string bundle = m_device.path("/Library/PreferenceBundles/igTarvoSettings.bundle");
    std::filesystem::remove(bundle + "/igTarvoSettings");
    testsupport::writeText(bundle + "/igTarvoSettings", "not a library");
    launch();
    std::string screen = control("igTarvoApp", "screen");
    EXPECT_TRUE(contains(screen, "text: igTarvo's settings are not installed")) << screen;
    EXPECT_TRUE(contains(screen, "does not load")) << screen;
}

TEST_F(Panel, FlippingExactTimesChangesWhatARunningInstagramsFeedShowsWithoutARestart)
{
    auto instagram = testsupport::startHost("Instagram");
    pid_t instagramPid = testsupport::recordedPid("Instagram");
    std::string exact = control("Instagram", "post-time 7500");
    EXPECT_TRUE(contains(exact, " (2h)\n")) << exact;
    launch();
    control("igTarvoApp", "flip 0 0");
    EXPECT_TRUE(testsupport::eventually([] { return control("Instagram", "post-time 7500") == "RECENTLY\n"; }));
    control("igTarvoApp", "flip 0 0");
    EXPECT_TRUE(testsupport::eventually([] { return control("Instagram", "post-time 7500").find(" (2h)\n") != std::string::npos; }));
    EXPECT_EQ(testsupport::recordedPid("Instagram"), instagramPid);
}

TEST_F(Panel, TheSettingsApplicationListsTheInstalledBundleAndOpensThePanel)
{
    auto settings = testsupport::startHost("Preferences");
    EXPECT_EQ(control("Preferences", "screen"), "page: Settings\nsection 0: Tweaks\n  0: igTarvo [link]\n");
    std::string panel = control("Preferences", "tap-row 0 0");
    EXPECT_EQ(panel.substr(0, panel.find('\n')), "page: igTarvo");
    EXPECT_TRUE(contains(panel, "0: Exact post times [on]")) << panel;
    EXPECT_TRUE(contains(control("Preferences", "flip 0 0"), "0: Exact post times [off]"));
    EXPECT_FALSE(boolValueOf(stored("kExactPostTimes").get()));
    testsupport::endProcess(testsupport::recordedPid("Preferences"));
}
