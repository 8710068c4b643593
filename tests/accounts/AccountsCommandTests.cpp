#include "tests/accounts/AccountsFixture.h"
#include "platform/foundation/Preferences.h"

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

// Refusals that only the manager can see (what stands in an account's
// directory place) reach the command as a result: one line, exit status 1,
// and the device exactly as it was.
TEST_F(AccountsCommand, WhatTheManagerRefusesIsReportedOnOneLineAndChangesNothing)
{
    ASSERT_EQ(accounts({ "add", "B" }).status, 0);
    ASSERT_EQ(accounts({ "add", "C" }).status, 0);
    writeText(container() + "/Documents/c.txt", "C's own\n");
    std::string outside = root() + "/outside";
    fs::create_directories(outside);
    writeText(outside + "/keep.txt", "not an account's\n");
    fs::remove_all(accountDir("B"));
    fs::create_directory_symlink(outside, accountDir("B"));
    writeText(accountDir("Z"), "a file where Z's directory would go\n");
    waitForLaunchctl();

    struct Case {
        std::vector<std::string> args;
        std::string says;
    };
    std::vector<Case> cases {
        { { "switch", "B" }, "a link" },
        { { "add", "Z" }, "not a directory" },
    };
    for (auto& c : cases) {
        auto listBefore = accounts({ "list", "--json" }).out;
        auto before = treeState(root());
        auto result = accounts(c.args);
        EXPECT_EQ(result.status, 1) << c.args[0];
        EXPECT_EQ(result.out, "") << c.args[0];
        EXPECT_EQ(lines(result.err).size(), 1u) << result.err;
        EXPECT_NE(result.err.find(c.says), std::string::npos) << result.err;
        EXPECT_EQ(accounts({ "list", "--json" }).out, listBefore);
        EXPECT_EQ(treeState(root()), before) << c.args[0];
    }
    EXPECT_EQ(entries(outside), std::vector<std::string> { "keep.txt" });
}

TEST_F(AccountsCommand, RemovingTheActiveAccountWhoseDirectoryIsAFileIsRefusedAndChangesNothing)
{
    ASSERT_EQ(accounts({ "add", "B" }).status, 0);
    fs::remove_all(accountDir("B"));
    writeText(accountDir("B"), "a file where B's directory should be\n");
    waitForLaunchctl();
    auto listBefore = accounts({ "list", "--json" }).out;
    ASSERT_EQ(listBefore, "{\"accounts\": [\"Default\", \"B\"], \"current\": \"B\"}\n");
    auto before = treeState(root());

    auto result = accounts({ "remove", "B" });

    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(lines(result.err).size(), 1u) << result.err;
    EXPECT_TRUE(result.err.starts_with("igtarvo: accounts remove: ")) << result.err;
    EXPECT_EQ(accounts({ "list", "--json" }).out, listBefore);
    EXPECT_EQ(treeState(root()), before);
    // Add and switch keep working afterwards.
    fs::remove(accountDir("B"));
    EXPECT_EQ(accounts({ "add", "D" }).status, 0);
    EXPECT_EQ(accounts({ "switch", "Default" }).status, 0);
}

TEST_F(AccountsCommand, AListEntryThatIsNoAccountNameCanBeTakenOffTheList)
{
    ASSERT_EQ(accounts({ "list" }).status, 0);
    ASSERT_TRUE(platform::CFPreferencesSetMultiple(platform::NSDictionary::create({
                                                        { "kAccounts", platform::NSArray::create({ platform::ns(stored("Default")), platform::ns("!!!") }) },
                                                    }).get(),
        nullptr, igtarvo::kTarvoPreferencesDomain, platform::kCFPreferencesCurrentUser, platform::kCFPreferencesAnyHost));
    EXPECT_NE(accounts({ "list" }).err.find("--stored"), std::string::npos);

    auto removed = accounts({ "remove", "--stored", "!!!" });
    EXPECT_EQ(removed.status, 0) << removed.err;
    EXPECT_EQ(storedList(), std::vector<std::string> { stored("Default") });
    auto list = accounts({ "list" });
    EXPECT_EQ(list.err, "");
    EXPECT_EQ(accounts({ "remove", "--stored", "!!!" }).status, 1) << "no longer listed";
    EXPECT_EQ(accounts({ "remove", "--stored", stored("Default") }).status, 1) << "a real account is removed by its name";
}
