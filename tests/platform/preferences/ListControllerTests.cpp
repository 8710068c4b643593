// A settings page built from a row-definition list: its sections, the values
// its switches show, what flipping one writes and announces, a row setter
// that asks first, and button rows.

#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/foundation/Preferences.h"
#include "platform/foundation/PropertyList.h"
#include "platform/notify/DarwinNotify.h"
#include "platform/preferences/PSListController.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/preferences/PSTableCell.h"
#include "platform/uikit/UISwitch.h"
#include "platform/uikit/UITableView.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace platform;
namespace fs = std::filesystem;

namespace {

constexpr const char* kDomain = "com.example.page";

// A page whose rows come from "Page.plist" of the main bundle, with a setter
// that only records (as a confirmation would before storing) and a button.
class TestPage : public PSListController {
    OBJC_CLASS(TestPage, PSListController)
public:
    static void registerMethods(objc::ClassBuilder<TestPage>& b)
    {
        b.method<&TestPage::rows>("specifiers")
            .method<&TestPage::askFirst>("askFirst:forSpecifier:")
            .method<&TestPage::pressed>("pressed:");
    }
    RefPtr<NSArray> rows()
    {
        if (!m_rows)
            m_rows = loadSpecifiersFromPlistName(ns("Page").get(), this);
        return m_rows;
    }
    void askFirst(id value, PSSpecifier* specifier)
    {
        asked.push_back(str(specifier->identifier().get()) + "=" + (boolValueOf(value) ? "on" : "off"));
    }
    void pressed(PSSpecifier* specifier) { presses.push_back(str(specifier->identifier().get())); }

    std::vector<std::string> asked;
    std::vector<std::string> presses;

private:
    RefPtr<NSArray> m_rows;
};
OBJC_CLASS_DEFINE(TestPage)

Ref<NSDictionary> row(std::map<std::string, Ref<Object>> entries) { return NSDictionary::create(std::move(entries)); }

class SettingsPage : public ::testing::Test {
protected:
    SettingsPage()
    {
        char pattern[] = "/tmp/igtarvo-page-XXXXXX";
        m_root = ::mkdtemp(pattern);
        Device::setRoot(m_root);
        fs::create_directories(m_root + "/Page.bundle");
        NSBundle::setMainBundlePath(m_root + "/Page.bundle");
        auto items = NSArray::create({
            row({ { "cell", ns("PSGroupCell") }, { "label", ns("Feed") }, { "footerText", ns("Shown in the feed") } }),
            row({ { "cell", ns("PSSwitchCell") }, { "label", ns("Exact times") }, { "id", ns("exact") }, { "key", ns("kExact") },
                { "defaults", ns(kDomain) }, { "default", NSNumber::numberWithBool(true) }, { "PostNotification", ns("com.example.page/changed") } }),
            row({ { "cell", ns("PSSwitchCell") }, { "label", ns("Layout button") }, { "id", ns("layout") }, { "key", ns("kLayout") },
                { "defaults", ns(kDomain) }, { "default", NSNumber::numberWithBool(false) }, { "set", ns("askFirst:forSpecifier:") } }),
            row({ { "cell", ns("PSNoSuchCell") }, { "label", ns("Ignored") } }),
            ns("not a row"),
            row({ { "cell", ns("PSGroupCell") }, { "label", ns("More") }, { "id", ns("versionSpec") } }),
            row({ { "cell", ns("PSButtonCell") }, { "label", ns("Help") }, { "id", ns("help") }, { "action", ns("pressed:") } }),
        });
        EXPECT_TRUE(writePropertyListFile(NSDictionary::create({ { "items", items }, { "title", ns("Test") } }).get(),
            m_root + "/Page.bundle/Page.plist", PropertyListFormat::XML));
        m_page = objc::make<TestPage>();
        m_page->initForContentSize(CGSize { 320, 2000 });
        m_page->view();
        m_page->table()->layoutIfNeeded();
    }
    ~SettingsPage() override
    {
        NSBundle::setMainBundlePath("");
        std::error_code ec;
        fs::remove_all(m_root, ec);
    }
    RefPtr<UISwitch> switchAt(long section, long rowIndex)
    {
        m_page->table()->layoutIfNeeded();
        auto cell = m_page->table()->cellForRowAtIndexPath(NSIndexPath::indexPathForRow(rowIndex, section).get());
        return objc::object_isKindOfClass(cell.get(), PSTableCell::staticClass()) ? static_cast<PSTableCell*>(cell.get())->control() : nullptr;
    }
    RefPtr<Object> stored(const std::string& key) { return CFPreferencesCopyAppValue(key, kDomain); }

    std::string m_root;
    RefPtr<TestPage> m_page;
};

}

TEST_F(SettingsPage, GroupsMakeSectionsWithHeadersAndFootersAndUnknownRowsAreLeftOut)
{
    EXPECT_EQ(m_page->describe(),
        "section 0: Feed\n"
        "  0: Exact times [on]\n"
        "  1: Layout button [off]\n"
        "  footer: Shown in the feed\n"
        "section 1: More\n"
        "  0: Help [button]\n");
    EXPECT_EQ(m_page->table()->numberOfSections(), 2);
    EXPECT_EQ(m_page->table()->numberOfRowsInSection(0), 2);
    EXPECT_EQ(str(m_page->title().get()), "Test");
    ASSERT_TRUE(switchAt(0, 0));
    EXPECT_TRUE(switchAt(0, 0)->isOn());
    EXPECT_FALSE(switchAt(0, 1)->isOn());
    EXPECT_FALSE(m_page->specifierForID(ns("nothing").get()));
    EXPECT_EQ(m_page->specifierForID(ns("exact").get())->stringProperty("key"), "kExact");
}

TEST_F(SettingsPage, FlippingASwitchWritesTheDomainAndPostsTheRowsNotification)
{
    int posted = 0;
    int token = 0;
    ASSERT_EQ(notify_register_dispatch("com.example.page/changed", &token, dispatch_get_main_queue(), [&](int) { ++posted; }), NOTIFY_STATUS_OK);

    ASSERT_TRUE(m_page->userFlipSwitch(0, 0));
    auto value = stored("kExact");
    ASSERT_TRUE(objc::object_isKindOfClass(value, NSNumber::staticClass()));
    EXPECT_FALSE(static_cast<NSNumber*>(value.get())->boolValue());
    EXPECT_TRUE(RunLoop::runUntil([&] { return posted == 1; }, std::chrono::seconds(5)));
    EXPECT_NE(m_page->describe().find("Exact times [off]"), std::string::npos);

    // What was stored is what the page shows when it is built again.
    ASSERT_TRUE(m_page->userFlipSwitch(0, 0));
    EXPECT_TRUE(boolValueOf(stored("kExact").get()));
    notify_cancel(token);
}

TEST_F(SettingsPage, ARowsOwnSetterIsAskedInsteadAndReloadingPutsTheSwitchBack)
{
    ASSERT_TRUE(m_page->userFlipSwitch(0, 1));
    EXPECT_EQ(m_page->asked, std::vector<std::string> { "layout=on" });
    EXPECT_FALSE(stored("kLayout"));
    EXPECT_TRUE(switchAt(0, 1)->isOn()); // as the person left it, until reloaded

    m_page->reloadSpecifierID(ns("layout").get());
    EXPECT_FALSE(switchAt(0, 1)->isOn());

    // The setter may store through the standard one.
    objc::send<void(id, PSSpecifier*)>(m_page, "setPreferenceValue:specifier:", NSNumber::numberWithBool(true).get(),
        m_page->specifierForID(ns("layout").get()).get());
    m_page->reloadSpecifierID(ns("layout").get());
    EXPECT_TRUE(switchAt(0, 1)->isOn());
}

TEST_F(SettingsPage, AButtonRowSendsItsActionWithTheRowAndSwitchRowsAreNotButtons)
{
    EXPECT_TRUE(m_page->userTapRow(1, 0));
    EXPECT_EQ(m_page->presses, std::vector<std::string> { "help" });
    EXPECT_FALSE(m_page->userFlipSwitch(1, 0));
    EXPECT_FALSE(m_page->userFlipSwitch(5, 0));
    EXPECT_FALSE(m_page->userTapRow(0, 7));
}

TEST_F(SettingsPage, AFooterSetLaterShowsAfterItsGroupIsReloaded)
{
    auto group = m_page->specifierForID(ns("versionSpec").get());
    ASSERT_TRUE(group);
    group->setPropertyForKey(ns("You are running v2").get(), ns("footerText").get());
    m_page->reloadSpecifier(group.get());
    EXPECT_NE(m_page->describe().find("section 1: More\n  0: Help [button]\n  footer: You are running v2\n"), std::string::npos);
}
