#include "tests/accounts/AccountsFixture.h"

using namespace accountstest;
using igtarvo::TarvoManager;
using platform::ns;

// Whatever stays in the container during a switch (the fixed entries, or an
// entry that could not be moved out) belongs to the outgoing account or to
// the app itself: an incoming entry of the same name must not replace it.
TEST_F(AccountsTest, ASwitchNeverReplacesAnEntryThatStayedInTheContainer)
{
    auto manager = TarvoManager::create();
    manager->addAccount(ns("work"), {});
    std::string artwork = readText(container() + "/iTunesArtwork");
    // An account directory that holds an entry of a fixed entry's name, put
    // there by hand or by an older release.
    writeText(accountDir("Default") + "/iTunesArtwork", "a stray copy\n");

    manager->switchToAccount(ns("Default"), {});

    EXPECT_EQ(readText(container() + "/iTunesArtwork"), artwork);
    EXPECT_EQ(readText(accountDir("Default") + "/iTunesArtwork"), "a stray copy\n");
    EXPECT_EQ(readText(container() + "/Documents/feed-cache.db"), "feed cache of the signed-in account\n");
}
