// What a switch does with entries that meet at the same name: the outgoing
// account's directory gives way to the container's live version, and an
// incoming entry that cannot take its place in the container is set aside in
// its own directory, never lost.

#include "tests/accounts/AccountsFixture.h"

using namespace accountstest;
using igtarvo::TarvoManager;
using platform::ns;

namespace {

std::string keptAside(const std::string& accountDirectory, const std::string& relative)
{
    return accountDirectory + "/" + igtarvo::kKeptAsideFolder + "/" + relative;
}

}

// Whatever stays in the container during a switch (the fixed entries) belongs
// to the app itself: an incoming entry of the same name must not replace it.
TEST_F(AccountsTest, ASwitchNeverReplacesAnEntryThatStayedInTheContainer)
{
    auto manager = TarvoManager::create();
    manager->addAccount(ns("work"), {});
    std::string artwork = readText(container() + "/iTunesArtwork");
    // An account directory that holds an entry of a fixed entry's name, put
    // there by hand or by an older release.
    writeText(accountDir("Default") + "/iTunesArtwork", "a stray copy\n");

    auto outcome = manager->switchToAccount(ns("Default"), {});

    EXPECT_EQ(readText(container() + "/iTunesArtwork"), artwork);
    EXPECT_EQ(readText(keptAside(accountDir("Default"), "iTunesArtwork")), "a stray copy\n");
    EXPECT_EQ(outcome.keptAside, std::vector<std::string> { keptAside(accountDir("Default"), "iTunesArtwork") });
    EXPECT_EQ(readText(container() + "/Documents/feed-cache.db"), "feed cache of the signed-in account\n");
}

// The outgoing account's directory is cleared where the container's live
// version takes its place, when switching and when removing the active account.
TEST_F(AccountsTest, TheOutgoingDirectoryGivesWayToTheLiveVersionAndTheContainerGetsOnlyTheIncomingData)
{
    for (bool removal : { false, true }) {
        SCOPED_TRACE(removal ? "removing the active account" : "switching");
        auto manager = TarvoManager::create();
        ASSERT_TRUE(manager->addAccount(ns("B"), {}).succeeded());
        writeText(container() + "/Documents/b.txt", "B's live\n");
        writeText(container() + "/notes.txt", "B's live notes\n");
        // Left in B's directory from an earlier time.
        writeText(accountDir("B") + "/Documents/stale.txt", "stale\n");
        writeText(accountDir("B") + "/notes.txt", "stale notes\n");

        if (!removal) {
            ASSERT_TRUE(manager->switchToAccount(ns("Default"), {}).succeeded());
            EXPECT_EQ(entries(accountDir("B") + "/Documents"), std::vector<std::string> { "b.txt" });
            EXPECT_EQ(readText(accountDir("B") + "/notes.txt"), "B's live notes\n");
        } else {
            ASSERT_TRUE(manager->removeAccountForUsername(ns(stored("B")), {}).succeeded());
            EXPECT_FALSE(fs::exists(accountDir("B")));
        }
        EXPECT_EQ(storedCurrent(), "Default");
        EXPECT_EQ(entries(container() + "/Documents"), std::vector<std::string> { "feed-cache.db" });
        EXPECT_FALSE(fs::exists(container() + "/notes.txt"));
        EXPECT_TRUE(entries(accountDir("Default")).empty());
        if (!removal) {
            ASSERT_TRUE(manager->removeAccountForUsername(ns(stored("B")), {}).succeeded());
        }
    }
}

// With no active account the container's live data belongs to nobody and
// stays; an incoming entry of the same name is set aside, and the next
// switch away does not clear it.
TEST_F(AccountsTest, AnIncomingEntryThatCouldNotComeInSurvivesTheNextSwitchAway)
{
    const std::string live = "feed cache of the signed-in account\n";
    auto manager = TarvoManager::create();
    ASSERT_TRUE(manager->addAccount(ns("B"), {}).succeeded());
    writeText(container() + "/Documents/feed-cache.db", "B's feed\n");
    writeText(container() + "/Documents/b.txt", "B's own\n");
    ASSERT_TRUE(manager->switchToAccount(ns("Default"), {}).succeeded());
    manager->setCurrentAccountName(nullptr);

    auto in = manager->switchToAccount(ns("B"), {});
    ASSERT_TRUE(in.succeeded()) << in.reason;
    EXPECT_EQ(readText(container() + "/Documents/feed-cache.db"), live) << "the live data stays";
    EXPECT_EQ(readText(container() + "/Documents/b.txt"), "B's own\n") << "what does not meet anything comes in";
    std::string kept = keptAside(accountDir("B"), "Documents/feed-cache.db");
    EXPECT_EQ(in.keptAside, std::vector<std::string> { kept });

    auto away = manager->switchToAccount(ns("Default"), {});
    ASSERT_TRUE(away.succeeded()) << away.reason;
    EXPECT_EQ(readText(kept), "B's feed\n");
    EXPECT_EQ(readText(accountDir("B") + "/Documents/feed-cache.db"), live);

    // And it never comes into the container with a later switch.
    ASSERT_TRUE(manager->switchToAccount(ns("B"), {}).succeeded());
    EXPECT_FALSE(fs::exists(container() + "/" + igtarvo::kKeptAsideFolder));
    EXPECT_EQ(readText(kept), "B's feed\n");
}
