#include "tests/accounts/AccountsFixture.h"

#include <functional>
#include <sys/stat.h>

using namespace accountstest;
using igtarvo::TarvoManager;
using platform::ns;

namespace {

const std::vector<std::string> kUsualEntries { "Documents", "Library", "StoreKit", "tmp" };
const std::vector<std::string> kFixedEntries { ".com.apple.mobile_container_manager.metadata.plist", "iTunesArtwork", "iTunesMetadata.plist" };
const char* kDefaultsFeed = "feed cache of the signed-in account\n";

ino_t inode(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

class AccountOperations : public AccountsTest {
protected:
    AccountOperations() : m_manager(TarvoManager::create()) { }

    // Runs an operation and answers how many times its completion ran.
    template<class Operation>
    int completions(Operation operation)
    {
        int count = 0;
        operation([&count] { ++count; });
        return count;
    }

    std::vector<std::string> fixedEntriesWithInodes() const
    {
        std::vector<std::string> result;
        for (auto& name : kFixedEntries)
            result.push_back(name + "@" + std::to_string(inode(container() + "/" + name)) + "=" + readText(container() + "/" + name));
        return result;
    }

    objc::RefPtr<TarvoManager> m_manager;
};

}

// Adding -------------------------------------------------------------------------

TEST_F(AccountOperations, AddingPutsTheActiveAccountsDataAwayAndStartsTheNewAccountEmpty)
{
    auto fixedBefore = fixedEntriesWithInodes();
    int ran = completions([&](auto done) { m_manager->addAccount(ns("B"), done); });

    EXPECT_EQ(ran, 1);
    EXPECT_EQ(listOf(*m_manager), (std::vector<std::string> { stored("Default"), stored("B") }));
    EXPECT_EQ(storedList(), (std::vector<std::string> { stored("Default"), stored("B") }));
    EXPECT_EQ(storedCurrent(), "B");
    EXPECT_EQ(entries(accountDir("Default")), kUsualEntries);
    EXPECT_EQ(readText(accountDir("Default") + "/Documents/feed-cache.db"), kDefaultsFeed);
    EXPECT_TRUE(fs::exists(accountDir("Default") + "/Library/Preferences/com.burbn.instagram.plist"));
    EXPECT_EQ(movableContainerEntries(), kUsualEntries);
    EXPECT_EQ(entries(container() + "/Library"), (std::vector<std::string> { "Caches", "Preferences" }));
    for (const char* fresh : { "tmp", "Documents", "StoreKit", "Library/Preferences", "Library/Caches" })
        EXPECT_TRUE(entries(container() + "/" + fresh).empty()) << fresh;
    EXPECT_EQ(fixedEntriesWithInodes(), fixedBefore) << "the fixed entries never move";
    EXPECT_TRUE(fs::is_directory(accountDir("B")));
    EXPECT_TRUE(entries(accountDir("B")).empty());
    EXPECT_EQ(launchctlCalls(), std::vector<std::string> { "stop com.apple.cfprefsd.xpc.daemon" });
}

TEST_F(AccountOperations, ACaptureDestinationThatExistsIsMergedEntryByEntryAndNotCleared)
{
    writeText(accountDir("Default") + "/Documents/kept.txt", "already in the account\n");

    auto outcome = m_manager->addAccount(ns("B"), nullptr);

    EXPECT_EQ(outcome.status, igtarvo::AccountOutcome::Status::Done) << outcome.reason;
    EXPECT_EQ(entries(accountDir("Default") + "/Documents"), (std::vector<std::string> { "feed-cache.db", "kept.txt" }));
    EXPECT_EQ(readText(accountDir("Default") + "/Documents/kept.txt"), "already in the account\n");
    EXPECT_EQ(readText(accountDir("Default") + "/Documents/feed-cache.db"), kDefaultsFeed);
    EXPECT_TRUE(entries(container() + "/Documents").empty());
    EXPECT_EQ(movableContainerEntries(), kUsualEntries) << "the fresh directories are made around what stayed";
}

// An add whose capture would leave part of the active account's data in the
// container (an entry in the way, a link where a directory should be) would
// hand that data to the new account: it is taken back whole instead.
TEST_F(AccountOperations, AnAddWhoseCaptureCannotTakeEverythingIsUndoneAndSaysWhy)
{
    std::string outside = root() + "/outside";
    fs::create_directories(outside);
    struct Obstacle {
        const char* what;
        std::function<void()> put;
        const char* entry;
    };
    std::vector<Obstacle> obstacles {
        { "an entry of the same name", [&] {
             writeText(accountDir("Default") + "/Documents/clash.txt", "account's copy\n");
             writeText(container() + "/Documents/clash.txt", "container's copy\n");
         },
            "Documents/clash.txt" },
        { "a link", [&] { fs::create_directory_symlink(outside, accountDir("Default") + "/Library"); }, "Library" },
    };
    for (auto& obstacle : obstacles) {
        obstacle.put();
        auto before = treeState(root());
        int ran = 0;
        auto outcome = m_manager->addAccount(ns("B"), [&] { ++ran; });

        EXPECT_EQ(outcome.status, igtarvo::AccountOutcome::Status::Undone) << obstacle.what;
        EXPECT_NE(outcome.reason.find(obstacle.entry), std::string::npos) << outcome.reason;
        EXPECT_EQ(ran, 1);
        auto after = treeState(root());
        std::erase_if(after, [](const std::string& e) { return e.starts_with("var/log/"); });
        std::erase_if(before, [](const std::string& e) { return e.starts_with("var/log/"); });
        EXPECT_EQ(after, before) << obstacle.what;
        EXPECT_EQ(listOf(*m_manager), std::vector<std::string> { stored("Default") });
        EXPECT_EQ(storedList(), std::vector<std::string> { stored("Default") });
        EXPECT_EQ(storedCurrent(), "Default");
        EXPECT_FALSE(fs::exists(journalFile()));
        EXPECT_TRUE(entries(outside).empty());
        fs::remove(accountDir("Default") + "/Documents/clash.txt");
        fs::remove(container() + "/Documents/clash.txt");
    }
    // A later manager finds nothing to finish.
    auto next = TarvoManager::create();
    EXPECT_EQ(listOf(*next), std::vector<std::string> { stored("Default") });
    EXPECT_EQ(readText(container() + "/Documents/feed-cache.db"), kDefaultsFeed);
}

TEST_F(AccountOperations, AddingWithoutAnActiveAccountAdoptsTheLiveData)
{
    m_manager->setCurrentAccountName(nullptr);
    auto before = treeState(container());
    int ran = completions([&](auto done) { m_manager->addAccount(ns("C"), done); });

    EXPECT_EQ(ran, 1);
    EXPECT_EQ(treeState(container()), before);
    EXPECT_EQ(storedCurrent(), "C");
    EXPECT_TRUE(entries(accountDir("Default")).empty());
}

TEST_F(AccountOperations, AddingANameWhoseDirectoryExistsStillPutsTheActiveAccountsDataAway)
{
    writeText(accountDir("B") + "/Documents/b.txt", "left by an earlier B\n");
    m_manager->addAccount(ns("B"), nullptr);

    EXPECT_EQ(entries(accountDir("Default")), kUsualEntries) << "Default's live data stays Default's";
    EXPECT_EQ(readText(accountDir("Default") + "/Documents/feed-cache.db"), kDefaultsFeed);
    EXPECT_EQ(entries(container() + "/Documents"), std::vector<std::string> { "b.txt" }) << "what B's directory held is B's";
    EXPECT_EQ(movableContainerEntries(), kUsualEntries);
    EXPECT_TRUE(entries(accountDir("B")).empty());
    EXPECT_EQ(storedCurrent(), "B");
}

TEST_F(AccountOperations, AddingRefusesNamesThatAreNotOnePathComponent)
{
    auto before = treeState(root());
    for (std::string name : { std::string(), std::string("."), std::string(".."), std::string("a/b"), std::string("/"), std::string("x\0y", 3), std::string(256, 'x') }) {
        int ran = completions([&](auto done) { m_manager->addAccount(ns(name), done); });
        EXPECT_EQ(ran, 1) << "'" << name << "'";
    }
    m_manager->addAccount(nullptr, nullptr);
    EXPECT_EQ(listOf(*m_manager), std::vector<std::string> { stored("Default") });
    EXPECT_EQ(treeState(root()), before);
    EXPECT_TRUE(launchctlCalls().empty());
}

TEST_F(AccountOperations, AddingRefusesANameWhoseDirectoryPlaceHoldsSomethingElse)
{
    writeText(accountDir("file"), "not a directory\n");
    fs::create_directory_symlink(root() + "/var", accountDir("link"));
    auto before = treeState(root());
    for (const char* name : { "file", "link" }) {
        int ran = completions([&](auto done) { m_manager->addAccount(ns(name), done); });
        EXPECT_EQ(ran, 1) << name;
    }
    EXPECT_EQ(treeState(root()), before);
    EXPECT_EQ(listOf(*m_manager), std::vector<std::string> { stored("Default") });
}

// Switching -----------------------------------------------------------------------

TEST_F(AccountOperations, SwitchingBackExchangesTheDataAndLeavesTheFixedEntries)
{
    m_manager->addAccount(ns("B"), nullptr);
    writeText(container() + "/Documents/b.txt", "B's own\n");
    auto fixedBefore = fixedEntriesWithInodes();

    int ran = completions([&](auto done) { m_manager->switchToAccount(ns("Default"), done); });

    EXPECT_EQ(ran, 1);
    EXPECT_EQ(storedCurrent(), "Default");
    EXPECT_EQ(movableContainerEntries(), kUsualEntries);
    EXPECT_EQ(entries(container() + "/Documents"), std::vector<std::string> { "feed-cache.db" });
    EXPECT_TRUE(entries(accountDir("Default")).empty());
    EXPECT_EQ(entries(accountDir("B")), kUsualEntries);
    EXPECT_EQ(readText(accountDir("B") + "/Documents/b.txt"), "B's own\n");
    EXPECT_EQ(fixedEntriesWithInodes(), fixedBefore);
    EXPECT_EQ(launchctlCalls().size(), 2u);
}

TEST_F(AccountOperations, SwitchingToTheActiveAccountOnlyEndsInstagram)
{
    auto before = treeState(root());
    int ran = completions([&](auto done) { m_manager->switchToAccount(ns("Default"), done); });

    EXPECT_EQ(ran, 0);
    EXPECT_EQ(launchctlCalls(), std::vector<std::string> { "stop com.apple.cfprefsd.xpc.daemon" });
    auto after = treeState(root());
    std::erase_if(after, [](const std::string& e) { return e.starts_with("var/log/"); });
    std::erase_if(before, [](const std::string& e) { return e.starts_with("var/log/"); });
    EXPECT_EQ(after, before);
}

TEST_F(AccountOperations, SwitchingToAnAccountWithoutDirectoryLeavesOnlyTheFixedEntries)
{
    m_manager->switchToAccount(ns("Ghost"), nullptr);

    EXPECT_EQ(entries(container()), kFixedEntries);
    EXPECT_EQ(entries(accountDir("Default")), kUsualEntries);
    EXPECT_EQ(storedCurrent(), "Ghost");
}

TEST_F(AccountOperations, ASwitchRemakesAMissingActiveDirectorySoThatNothingIsOverwritten)
{
    m_manager->addAccount(ns("B"), nullptr);
    writeText(container() + "/Documents/b.txt", "B's own\n");
    fs::remove_all(accountDir("B")); // deleted from outside

    m_manager->switchToAccount(ns("Default"), nullptr);

    EXPECT_EQ(entries(accountDir("B")), kUsualEntries);
    EXPECT_EQ(readText(accountDir("B") + "/Documents/b.txt"), "B's own\n");
    EXPECT_EQ(entries(container() + "/Documents"), std::vector<std::string> { "feed-cache.db" });
}

TEST_F(AccountOperations, ASwitchWhoseActiveDirectoryIsNotADirectoryMovesNothing)
{
    m_manager->addAccount(ns("B"), nullptr);
    writeText(container() + "/Documents/b.txt", "B's own\n");
    std::string outside = root() + "/outside";
    fs::create_directories(outside);
    for (bool link : { false, true }) {
        fs::remove_all(accountDir("B"));
        if (link)
            fs::create_directory_symlink(outside, accountDir("B"));
        else
            writeText(accountDir("B"), "a file where the directory should be\n");
        auto before = treeState(root());
        int ran = completions([&](auto done) { m_manager->switchToAccount(ns("Default"), done); });
        EXPECT_EQ(ran, 1);
        EXPECT_EQ(treeState(root()), before) << (link ? "link" : "file");
        EXPECT_EQ(storedCurrent(), "B");
    }
    EXPECT_TRUE(entries(outside).empty());
}

TEST_F(AccountOperations, SwitchingRefusesNamesThatAreNotOnePathComponent)
{
    auto before = treeState(root());
    for (const char* name : { "", ".", "..", "../Default", "a/b" }) {
        int ran = completions([&](auto done) { m_manager->switchToAccount(ns(name), done); });
        EXPECT_EQ(ran, 1) << name;
    }
    EXPECT_EQ(treeState(root()), before);
    EXPECT_TRUE(launchctlCalls().empty());
}

// Removing -----------------------------------------------------------------------

TEST_F(AccountOperations, RemovingAnInactiveAccountLeavesTheContainerAlone)
{
    m_manager->addAccount(ns("B"), nullptr);
    m_manager->switchToAccount(ns("Default"), nullptr);
    auto containerBefore = treeState(container());
    size_t callsBefore = launchctlCalls().size();

    int ran = completions([&](auto done) { m_manager->removeAccountForUsername(ns(stored("B")), done); });

    EXPECT_EQ(ran, 1);
    EXPECT_EQ(listOf(*m_manager), std::vector<std::string> { stored("Default") });
    EXPECT_EQ(storedList(), std::vector<std::string> { stored("Default") });
    EXPECT_FALSE(fs::exists(accountDir("B")));
    EXPECT_EQ(treeState(container()), containerBefore);
    EXPECT_EQ(storedCurrent(), "Default");
    EXPECT_EQ(launchctlCalls().size(), callsBefore) << "Instagram is left alone";
    EXPECT_FALSE(fs::exists(journalFile()));
}

TEST_F(AccountOperations, RemovingTheOnlyAccountLeavesNoActiveAccountAndKeepsTheLiveData)
{
    auto containerBefore = treeState(container());
    int ran = completions([&](auto done) { m_manager->removeAccountForUsername(ns(stored("Default")), done); });

    EXPECT_EQ(ran, 1);
    EXPECT_EQ(m_manager->accounts()->count(), 0u);
    EXPECT_TRUE(storedList().empty());
    EXPECT_TRUE(objc::object_isKindOfClass(domain()->get("kAccounts"), platform::NSArray::staticClass()));
    EXPECT_EQ(m_manager->currentAccountName(), nullptr);
    EXPECT_EQ(storedCurrent(), std::nullopt);
    EXPECT_FALSE(fs::exists(accountDir("Default")));
    EXPECT_TRUE(fs::is_directory(accountsDir()));
    EXPECT_EQ(treeState(container()), containerBefore);
}

TEST_F(AccountOperations, RemovingTheActiveAccountSwitchesToARemainingOneAndDiscardsItsData)
{
    m_manager->addAccount(ns("B"), nullptr);
    writeText(container() + "/Documents/b.txt", "B's own\n");
    m_manager->addAccount(ns("C"), nullptr);
    writeText(container() + "/Documents/c.txt", "C's own\n");

    int ran = completions([&](auto done) { m_manager->removeAccountForUsername(ns(stored("C")), done); });

    EXPECT_EQ(ran, 1);
    EXPECT_EQ(listOf(*m_manager), (std::vector<std::string> { stored("Default"), stored("B") }));
    auto chosen = storedCurrent();
    ASSERT_TRUE(chosen == "Default" || chosen == "B") << chosen.value_or("(none)");
    std::string other = *chosen == "B" ? "Default" : "B";
    EXPECT_EQ(entries(container() + "/Documents"), std::vector<std::string> { *chosen == "B" ? "b.txt" : "feed-cache.db" });
    EXPECT_TRUE(entries(accountDir(*chosen)).empty());
    EXPECT_EQ(entries(accountDir(other)), kUsualEntries);
    EXPECT_FALSE(fs::exists(accountDir("C")));
    EXPECT_EQ(launchctlCalls().size(), 3u) << "the removal ended Instagram once";
}

TEST_F(AccountOperations, RemovingANameThatIsNotListedStillRemovesItsDirectory)
{
    writeText(accountDir("Stray") + "/Documents/x", "x");
    int ran = completions([&](auto done) { m_manager->removeAccountForUsername(ns(stored("Stray")), done); });

    EXPECT_EQ(ran, 1);
    EXPECT_FALSE(fs::exists(accountDir("Stray")));
    EXPECT_EQ(listOf(*m_manager), std::vector<std::string> { stored("Default") });
}

TEST_F(AccountOperations, AListedEntryThatStandsForNoUsableNameOnlyLeavesTheList)
{
    // A hand-edited domain: "..", text that is not Base64, and bytes that are not UTF-8.
    for (const char* entry : { "Li4=", "!!!", "/w==" })
        m_manager->accounts()->addObject(ns(entry).get());
    m_manager->storeAccounts();
    auto before = treeState(root());
    std::erase_if(before, [](const std::string& e) { return e.find("com.zr4.igtarvo.plist") != std::string::npos; });

    for (const char* entry : { "Li4=", "!!!", "/w==" }) {
        int ran = 0;
        auto outcome = m_manager->removeAccountForUsername(ns(entry), [&] { ++ran; });
        EXPECT_EQ(outcome.status, igtarvo::AccountOutcome::Status::Done) << entry << ": " << outcome.reason;
        EXPECT_EQ(ran, 1);
    }

    EXPECT_EQ(listOf(*m_manager), std::vector<std::string> { stored("Default") });
    EXPECT_EQ(storedList(), std::vector<std::string> { stored("Default") });
    EXPECT_EQ(storedCurrent(), "Default");
    auto after = treeState(root());
    std::erase_if(after, [](const std::string& e) { return e.find("com.zr4.igtarvo.plist") != std::string::npos; });
    EXPECT_EQ(after, before) << "no file but the domain changed";
}

TEST_F(AccountOperations, RemovingRefusesUnlistedStoredNamesThatDoNotStandForOnePathComponent)
{
    auto before = treeState(root());
    // Not Base64, "..", ".", "", "a/b", "x\0y", and bytes that are not UTF-8.
    for (const char* name : { "!!!", "Li4=", "Lg==", "", "YS9i", "eAB5", "/w==" }) {
        int ran = 0;
        auto outcome = m_manager->removeAccountForUsername(ns(name), [&] { ++ran; });
        EXPECT_EQ(outcome.status, igtarvo::AccountOutcome::Status::Refused) << name;
        EXPECT_EQ(ran, 1) << name;
    }
    EXPECT_EQ(m_manager->removeAccountForUsername(nullptr, nullptr).status, igtarvo::AccountOutcome::Status::Refused);
    EXPECT_EQ(treeState(root()), before);
    EXPECT_EQ(listOf(*m_manager), std::vector<std::string> { stored("Default") });
}

// Renaming -----------------------------------------------------------------------

TEST_F(AccountOperations, RenamingTheActiveAccountKeepsItsPlaceAndItsLiveData)
{
    m_manager->addAccount(ns("B"), nullptr);
    m_manager->addAccount(ns("C"), nullptr);
    m_manager->switchToAccount(ns("B"), nullptr);
    auto containerBefore = treeState(container());
    size_t callsBefore = launchctlCalls().size();

    m_manager->renameAccount(ns("B"), ns("Bee"));

    EXPECT_TRUE(fs::is_directory(accountDir("Bee")));
    EXPECT_FALSE(fs::exists(accountDir("B")));
    EXPECT_EQ(listOf(*m_manager), (std::vector<std::string> { stored("Default"), stored("Bee"), stored("C") }));
    EXPECT_EQ(storedList(), listOf(*m_manager));
    EXPECT_EQ(storedCurrent(), "Bee");
    EXPECT_EQ(platform::str(m_manager->currentAccountName().get()), "Bee");
    EXPECT_EQ(treeState(container()), containerBefore);
    EXPECT_EQ(launchctlCalls().size(), callsBefore);
    EXPECT_FALSE(fs::exists(journalFile()));
}

TEST_F(AccountOperations, RenamingAnInactiveAccountMovesItsDirectoryWithItsData)
{
    m_manager->addAccount(ns("B"), nullptr);
    m_manager->renameAccount(ns("Default"), ns("Home"));

    EXPECT_EQ(entries(accountDir("Home")), kUsualEntries);
    EXPECT_EQ(listOf(*m_manager), (std::vector<std::string> { stored("Home"), stored("B") }));
    EXPECT_EQ(storedCurrent(), "B");
}

TEST_F(AccountOperations, RenamingOntoAnExistingDirectoryOrWithoutADirectoryChangesNothing)
{
    fs::create_directories(accountDir("Taken"));
    auto before = treeState(root());
    m_manager->renameAccount(ns("Default"), ns("Taken"));
    m_manager->renameAccount(ns("Nobody"), ns("Someone"));
    for (const char* bad : { "", ".", "..", "../../escaped", "a/b" }) {
        m_manager->renameAccount(ns("Default"), ns(bad));
        m_manager->renameAccount(ns(bad), ns("Fine"));
    }
    EXPECT_EQ(treeState(root()), before);
    EXPECT_EQ(storedCurrent(), "Default");
    EXPECT_EQ(listOf(*m_manager), std::vector<std::string> { stored("Default") });
}

// Threads -------------------------------------------------------------------------

TEST_F(AccountOperations, EveryStepAndTheCompletionRunOnTheCallingThreadBeforeTheCallReturns)
{
    std::thread::id caller;
    std::vector<std::thread::id> ranOn;
    std::thread worker([&] {
        caller = std::this_thread::get_id();
        m_manager->addAccount(ns("B"), [&] { ranOn.push_back(std::this_thread::get_id()); });
        EXPECT_EQ(ranOn.size(), 1u);
        m_manager->switchToAccount(ns("Default"), [&] { ranOn.push_back(std::this_thread::get_id()); });
        EXPECT_EQ(ranOn.size(), 2u);
        m_manager->removeAccountForUsername(ns(stored("B")), [&] { ranOn.push_back(std::this_thread::get_id()); });
        EXPECT_EQ(ranOn.size(), 3u);
    });
    worker.join();
    EXPECT_EQ(ranOn, std::vector<std::thread::id>(3, caller));
}

TEST_F(AccountOperations, ACompletionMayStartTheNextOperation)
{
    bool switched = false;
    m_manager->addAccount(ns("B"), [&] {
        m_manager->switchToAccount(ns("Default"), [&] { switched = true; });
    });
    EXPECT_TRUE(switched);
    EXPECT_EQ(storedCurrent(), "Default");
    EXPECT_EQ(entries(container() + "/Documents"), std::vector<std::string> { "feed-cache.db" });
}
