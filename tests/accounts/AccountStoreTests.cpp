#include "tests/accounts/AccountsFixture.h"
#include "platform/foundation/Preferences.h"
#include "tests/support/ChildProcess.h"

#include <atomic>
#include <set>

using namespace accountstest;
using igtarvo::TarvoManager;
using platform::ns;

namespace {

class AccountStore : public AccountsTest { };

void writeDomain(std::map<std::string, objc::Ref<objc::Object>> values)
{
    ASSERT_TRUE(platform::CFPreferencesSetMultiple(platform::NSDictionary::create(std::move(values)).get(), nullptr,
        igtarvo::kTarvoPreferencesDomain, platform::kCFPreferencesCurrentUser, platform::kCFPreferencesAnyHost));
}

}

TEST_F(AccountStore, FirstStartMakesTheLiveDataTheDefaultAccountWithoutMovingAFile)
{
    auto containerBefore = treeState(container());
    auto manager = TarvoManager::create();

    EXPECT_EQ(listOf(*manager), std::vector<std::string> { "RGVmYXVsdA==" });
    EXPECT_EQ(storedList(), std::vector<std::string> { "RGVmYXVsdA==" });
    EXPECT_EQ(storedCurrent(), "Default");
    EXPECT_EQ(platform::str(manager->currentAccountName().get()), "Default");
    EXPECT_TRUE(fs::is_directory(accountsDir()));
    EXPECT_TRUE(fs::is_directory(accountDir("Default")));
    EXPECT_TRUE(entries(accountDir("Default")).empty());
    EXPECT_EQ(treeState(container()), containerBefore);
    EXPECT_TRUE(launchctlCalls().empty()) << "building the manager does not touch Instagram";
}

TEST_F(AccountStore, AnEmptyListLeftOnDiskGetsDefaultAgain)
{
    writeDomain({ { "kAccounts", platform::NSArray::create() }, { "showTimestamps", platform::NSNumber::numberWithBool(true) } });
    auto manager = TarvoManager::create();

    EXPECT_EQ(listOf(*manager), std::vector<std::string> { stored("Default") });
    EXPECT_EQ(storedCurrent(), "Default");
    EXPECT_EQ(storedList(), std::vector<std::string> { stored("Default") });
    auto kept = domain()->get("showTimestamps");
    ASSERT_TRUE(objc::object_isKindOfClass(kept, platform::NSNumber::staticClass()));
    EXPECT_TRUE(static_cast<platform::NSNumber*>(kept.get())->boolValue());
}

TEST_F(AccountStore, AStoredListIsTakenAsItIsWithItsActiveAccount)
{
    writeDomain({ { "kAccounts", platform::NSArray::create({ ns(stored("work")), ns(stored("Zoë 🎉")) }) }, { "kCurrentAccount", ns("Zoë 🎉") } });
    auto manager = TarvoManager::create();

    EXPECT_EQ(listOf(*manager), (std::vector<std::string> { "d29yaw==", "Wm/DqyDwn46J" }));
    EXPECT_EQ(platform::str(manager->currentAccountName().get()), "Zoë 🎉");
    EXPECT_FALSE(fs::exists(accountDir("Default")));
    EXPECT_EQ(manager->accounts().get(), manager->accounts().get()) << "the list is one array, handed out as it is";
    EXPECT_NE(manager->loadAccounts().get(), manager->loadAccounts().get()) << "loading makes a new array each time";
}

TEST_F(AccountStore, AccountNamesAreComparedExactly)
{
    auto manager = TarvoManager::create();
    EXPECT_TRUE(manager->hasAccountWithName(ns("Default")));
    EXPECT_FALSE(manager->hasAccountWithName(ns("default")));
    EXPECT_FALSE(manager->hasAccountWithName(ns("DEFAULT")));
    EXPECT_FALSE(manager->hasAccountWithName(ns("Default ")));
    EXPECT_FALSE(manager->hasAccountWithName(nullptr));
}

TEST_F(AccountStore, ClearingTheActiveAccountAnswersNilAndTakesTheKeyOffTheDomain)
{
    auto manager = TarvoManager::create();
    ASSERT_EQ(storedCurrent(), "Default");
    manager->setCurrentAccountName(nullptr);

    EXPECT_EQ(manager->currentAccountName(), nullptr);
    EXPECT_EQ(manager->settings()->get("kCurrentAccount"), nullptr);
    EXPECT_EQ(storedCurrent(), std::nullopt);
    EXPECT_EQ(storedList(), std::vector<std::string> { stored("Default") });

    auto later = TarvoManager::create();
    EXPECT_EQ(later->currentAccountName(), nullptr) << "a listed account is not made active again";
}

TEST_F(AccountStore, StoringWritesOnlyTheAccountKeysAndKeepsWhatOthersWroteMeanwhile)
{
    writeDomain({ { "showTimestamps", platform::NSNumber::numberWithBool(true) } });
    auto manager = TarvoManager::create();
    ASSERT_TRUE(objc::object_isKindOfClass(manager->settings()->get("showTimestamps"), platform::NSNumber::staticClass()));

    // The settings panel and the version notice write from their own processes.
    ASSERT_TRUE(platform::CFPreferencesSetAppValue("showTimestamps", platform::NSNumber::numberWithBool(false).get(), igtarvo::kTarvoPreferencesDomain));
    ASSERT_TRUE(platform::CFPreferencesSetAppValue("kDidShowNotSupported", platform::NSNumber::numberWithBool(true).get(), igtarvo::kTarvoPreferencesDomain));
    manager->setCurrentAccountName(ns("work"));
    manager->storeAccounts();

    auto now = domain();
    auto timestamps = now->get("showTimestamps");
    auto notice = now->get("kDidShowNotSupported");
    ASSERT_TRUE(objc::object_isKindOfClass(timestamps, platform::NSNumber::staticClass()));
    ASSERT_TRUE(objc::object_isKindOfClass(notice, platform::NSNumber::staticClass()));
    EXPECT_FALSE(static_cast<platform::NSNumber*>(timestamps.get())->boolValue());
    EXPECT_TRUE(static_cast<platform::NSNumber*>(notice.get())->boolValue());
    EXPECT_EQ(storedCurrent(), "work");
    EXPECT_EQ(storedList(), std::vector<std::string> { stored("Default") });
}

TEST_F(AccountStore, TheBaseDirectoryDefaultsToTheDevicesAndCanBeReplaced)
{
    auto manager = TarvoManager::create();
    EXPECT_EQ(platform::str(manager->baseDir().get()), accountsDir());
    std::string elsewhere = root() + "/var/mobile/elsewhere";
    manager->setBaseDir(ns(elsewhere));
    EXPECT_EQ(platform::str(manager->baseDir().get()), elsewhere);
}

TEST_F(AccountStore, TheQueueIsOneSerialQueueWithItsLabel)
{
    auto manager = TarvoManager::create();
    EXPECT_EQ(manager->serialQueue()->label(), "com.zr4.tarvomanager.serialqueue");
    EXPECT_EQ(manager->serialQueue()->type(), platform::DispatchQueue::Type::Serial);
    EXPECT_EQ(manager->serialQueue().get(), manager->serialQueue().get());
    EXPECT_EQ(manager->fm().get(), platform::NSFileManager::defaultManager().get());
}

TEST_F(AccountStore, TheSharedManagerIsBuiltOnceEvenWhenFirstAskedFromManyThreads)
{
    // The shared manager lives as long as its process: a child of its own.
    EXPECT_TRUE(testsupport::inChildProcess([] {
        std::atomic<bool> go { false };
        std::vector<TarvoManager*> seen(8);
        std::vector<std::thread> threads;
        for (size_t i = 0; i < seen.size(); ++i)
            threads.emplace_back([&, i] {
                while (!go) { }
                seen[i] = TarvoManager::sharedManager().get();
            });
        go = true;
        for (auto& t : threads)
            t.join();
        EXPECT_EQ(std::set<TarvoManager*>(seen.begin(), seen.end()).size(), 1u);
        auto answered = objc::send<objc::RefPtr<objc::Object>>(objc::objc_getClass("TarvoManager"), "sharedManager");
        EXPECT_EQ(answered.get(), seen[0]);
    }));
}

TEST_F(AccountStore, TheClassMethodsRunTheOperationsOnTheSharedManager)
{
    std::string base = accountsDir();
    EXPECT_TRUE(testsupport::inChildProcess([base] {
        objc::Class cls = objc::objc_getClass("TarvoManager");
        int completions = 0;
        igtarvo::Completion count = [&] { ++completions; };
        objc::send<void(objc::id, igtarvo::Completion)>(cls, "addAccount:withCompletion:", ns("work").get(), count);
        auto shared = TarvoManager::sharedManager();
        EXPECT_EQ(platform::str(shared->currentAccountName().get()), "work");
        objc::send<void(objc::id, igtarvo::Completion)>(cls, "switchToAccount:withCompletion:", ns("Default").get(), count);
        EXPECT_EQ(platform::str(shared->currentAccountName().get()), "Default");
        objc::send<void(objc::id, igtarvo::Completion)>(cls, "removeAccountForUsername:withCompletion:", ns(igtarvo::storedAccountName("work")).get(), count);
        EXPECT_FALSE(shared->hasAccountWithName(ns("work")));
        EXPECT_FALSE(fs::exists(base + "/work"));
        EXPECT_EQ(completions, 3);

        // The instance's messages, as the account list screen and the icon label send them.
        EXPECT_EQ(objc::send<objc::RefPtr<objc::Object>>(shared, "accounts").get(), shared->accounts().get());
        EXPECT_EQ(platform::str(objc::send<objc::RefPtr<objc::Object>>(shared, "currentAccountName").get()), "Default");
        EXPECT_TRUE(objc::send<bool(objc::id)>(shared, "hasAccountWithName:", ns("Default").get()));
        objc::send<void(objc::id, objc::id)>(shared, "renameAccount:toName:", ns("Default").get(), ns("Home").get());
        EXPECT_EQ(platform::str(shared->currentAccountName().get()), "Home");
    }));
}
