#include "tests/accounts/AccountsFixture.h"

using namespace accountstest;

namespace {

class AccountsCommand : public AccountsTest {
protected:
    CommandResult accounts(std::vector<std::string> args)
    {
        args.insert(args.begin(), { "--root", root(), "accounts" });
        return runIgtarvo(args);
    }
};

}

TEST_F(AccountsCommand, ListShowsTheAccountsInOrderWithTheActiveOneMarked)
{
    ASSERT_EQ(accounts({ "add", "work" }).status, 0);
    ASSERT_EQ(accounts({ "add", "Zoë" }).status, 0);
    ASSERT_EQ(accounts({ "switch", "work" }).status, 0);

    auto plain = accounts({ "list" });
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out, "  Default\n* work\n  Zoë\n");
    auto json = accounts({ "list", "--json" });
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out, "{\"accounts\": [\"Default\", \"work\", \"Zoë\"], \"current\": \"work\"}\n");
    EXPECT_EQ(json.err, "");
}

TEST_F(AccountsCommand, TheOperationsChangeTheDeviceAsTheManagerDoesAndSayWhatMoved)
{
    auto added = accounts({ "add", "work" });
    EXPECT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out,
        "added \"work\" and made it the active account (before: \"Default\")\n"
        "  moved from the container to account \"Default\": Documents, Library, StoreKit, tmp\n"
        "  created in the container: Documents, Library, StoreKit, tmp\n");
    writeText(container() + "/Documents/work.txt", "work\n");

    auto switched = accounts({ "switch", "Default" });
    EXPECT_EQ(switched.status, 0) << switched.err;
    EXPECT_EQ(switched.out,
        "switched from \"work\" to \"Default\"\n"
        "  moved from account \"Default\" to the container: Documents, Library, StoreKit, tmp\n"
        "  moved from the container to account \"work\": Documents, Library, StoreKit, tmp\n");
    EXPECT_EQ(entries(container() + "/Documents"), std::vector<std::string> { "feed-cache.db" });

    auto renamed = accounts({ "rename", "work", "job" });
    EXPECT_EQ(renamed.status, 0) << renamed.err;
    EXPECT_EQ(renamed.out, "renamed \"work\" to \"job\"\n");
    EXPECT_EQ(readText(accountDir("job") + "/Documents/work.txt"), "work\n");

    auto removed = accounts({ "remove", "job" });
    EXPECT_EQ(removed.status, 0) << removed.err;
    EXPECT_FALSE(fs::exists(accountDir("job")));
    EXPECT_EQ(accounts({ "list", "--json" }).out, "{\"accounts\": [\"Default\"], \"current\": \"Default\"}\n");

    auto last = accounts({ "remove", "Default" });
    EXPECT_EQ(last.status, 0) << last.err;
    EXPECT_EQ(last.out, "removed \"Default\"; it was the only account, so there is no active account now\n");
    EXPECT_EQ(storedList(), std::vector<std::string> {});
    EXPECT_EQ(storedCurrent(), std::nullopt);
    EXPECT_EQ(entries(container() + "/Documents"), std::vector<std::string> { "feed-cache.db" }) << "the live data stays";
    // The next manager finds an empty list and makes the live data "Default" again.
    EXPECT_EQ(accounts({ "list", "--json" }).out, "{\"accounts\": [\"Default\"], \"current\": \"Default\"}\n");
}

TEST_F(AccountsCommand, SwitchingToTheActiveAccountSaysSoAndMovesNothing)
{
    auto before = treeState(root());
    auto result = accounts({ "switch", "Default" });
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "\"Default\" is the active account already; nothing moved\n");
    EXPECT_EQ(entries(container() + "/Documents"), std::vector<std::string> { "feed-cache.db" });
}

TEST_F(AccountsCommand, RefusedRequestsSayWhyOnOneLineExitOneAndChangeNothing)
{
    ASSERT_EQ(accounts({ "add", "work" }).status, 0);
    waitForLaunchctl();
    std::vector<std::vector<std::string>> refused {
        { "add", "work" },
        { "add", "Default" },
        { "add", "" },
        { "add", "." },
        { "add", ".." },
        { "add", "a/b" },
        { "switch", "nobody" },
        { "switch", "WORK" },
        { "switch", "../work" },
        { "rename", "nobody", "somebody" },
        { "rename", "work", "Default" },
        { "rename", "work", "" },
        { "rename", "work", "x/y" },
        { "remove", "nobody" },
        { "remove", ".." },
        { "remove", "" },
        { "add" },
        { "rename", "work" },
        { "fly" },
    };
    auto before = treeState(root());
    for (auto& args : refused) {
        auto result = accounts(args);
        std::string what = args[0] + (args.size() > 1 ? " '" + args[1] + "'" : "");
        EXPECT_EQ(result.status, 1) << what;
        EXPECT_EQ(result.out, "") << what;
        EXPECT_TRUE(result.err.starts_with("igtarvo: ")) << what << ": " << result.err;
        EXPECT_EQ(lines(result.err).size(), 1u) << what << ": " << result.err;
    }
    EXPECT_EQ(treeState(root()), before);
}

TEST_F(AccountsCommand, ARefusedRequestOnAFreshDeviceDoesNotEvenMakeTheDefaultAccount)
{
    auto before = treeState(root());
    EXPECT_EQ(accounts({ "switch", "nobody" }).status, 1);
    EXPECT_EQ(accounts({ "add", "Default" }).status, 1);
    EXPECT_EQ(accounts({ "remove", "a/b" }).status, 1);
    EXPECT_EQ(treeState(root()), before);
}

TEST_F(AccountsCommand, ADeviceThatIsNotThereIsReportedAndNotMade)
{
    std::string missing = root() + "-missing";
    auto result = runIgtarvo({ "--root", missing, "accounts", "list" });
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(lines(result.err).size(), 1u);
    EXPECT_FALSE(fs::exists(missing));
}
