// An account operation cut short by the end of its process loses nothing:
// the next manager completes it. The operations run in a real process (the
// igtarvo command), which is killed with SIGKILL at chosen points while it
// moves thousands of entries.

#include "tests/accounts/AccountsFixture.h"
#include "platform/foundation/Preferences.h"
#include "tests/support/Spawn.h"

#include <cstdio>
#include <fcntl.h>

using namespace accountstest;

namespace {

constexpr int kEntries = 2000;

std::string entryName(char owner, int i)
{
    char name[32];
    std::snprintf(name, sizeof name, "%c-%04d", owner, i);
    return name;
}

std::vector<std::string> entryNames(char owner)
{
    std::vector<std::string> names;
    for (int i = 0; i < kEntries; ++i)
        names.push_back(entryName(owner, i));
    return sorted(names);
}

size_t countEntries(const std::string& directory)
{
    size_t count = 0;
    if (DIR* dir = ::opendir(directory.c_str())) {
        while (dirent* entry = ::readdir(dir))
            count += entry->d_name[0] != '.';
        ::closedir(dir);
    }
    return count;
}

// A started igtarvo command that the test ends when it likes.
class RunningCommand {
public:
    explicit RunningCommand(const std::vector<std::string>& args)
        : m_child(testsupport::ChildProgram::start(igtarvo::simulator::buildDirectory() + "/bin/igtarvo", "igtarvo", args))
    {
    }
    bool running() { return m_child.running(); }
    void kill() { m_child.kill(); }

private:
    testsupport::ChildProgram m_child;
};

// Waits without pausing (the moves are fast) until `reached` holds or the
// command has ended; answers whether the point was reached while it ran.
template<class F>
bool reachPoint(RunningCommand& command, F reached)
{
    auto deadline = Clock::now() + 20s;
    while (Clock::now() < deadline) {
        if (reached())
            return true;
        if (!command.running())
            return false;
    }
    return false;
}

class InterruptedOperation : public AccountsTest {
protected:
    // Two accounts: "Default" active with kEntries entries live in the
    // container, "B" with kEntries entries in its directory.
    void layOutTwoAccounts()
    {
        for (auto& name : movableContainerEntries())
            fs::remove_all(container() + "/" + name);
        fill(container(), 'd');
        fs::create_directories(accountDir("Default"));
        fill(accountDir("B"), 'b');
        ASSERT_TRUE(platform::CFPreferencesSetMultiple(platform::NSDictionary::create({
                                                            { "kAccounts", platform::NSArray::create({ platform::ns(stored("Default")), platform::ns(stored("B")) }) },
                                                            { "kCurrentAccount", platform::ns("Default") },
                                                        }).get(),
            nullptr, igtarvo::kTarvoPreferencesDomain, platform::kCFPreferencesCurrentUser, platform::kCFPreferencesAnyHost));
    }

    // Every tenth entry is a directory with a file, the others are files;
    // each file holds its entry's name.
    static void fill(const std::string& directory, char owner)
    {
        fs::create_directories(directory);
        for (int i = 0; i < kEntries; ++i) {
            std::string name = entryName(owner, i);
            if (i % 10 == 0) {
                fs::create_directory(directory + "/" + name);
                std::ofstream(directory + "/" + name + "/inner") << name;
            } else {
                std::ofstream(directory + "/" + name) << name;
            }
        }
    }

    // Whether directory holds exactly the owner's entries, each intact.
    static ::testing::AssertionResult holdsEntriesOf(const std::string& directory, char owner, std::vector<std::string> alsoThere = {})
    {
        auto expected = entryNames(owner);
        expected.insert(expected.end(), alsoThere.begin(), alsoThere.end());
        if (entries(directory) != sorted(expected))
            return ::testing::AssertionFailure() << directory << " holds " << entries(directory).size() << " entries, not the " << expected.size() << " expected";
        for (int i = 0; i < kEntries; ++i) {
            std::string name = entryName(owner, i);
            std::string file = directory + "/" + name + (i % 10 == 0 ? "/inner" : "");
            if (readText(file) != name)
                return ::testing::AssertionFailure() << file << " lost its content";
        }
        return ::testing::AssertionSuccess();
    }

    // What the next manager (in the next process) makes of the device.
    std::string listAfterRecovery()
    {
        auto result = runIgtarvo({ "--root", root(), "accounts", "list", "--json" });
        EXPECT_EQ(result.status, 0) << result.err;
        return result.out;
    }

    std::vector<std::string> fixed() const { return { ".com.apple.mobile_container_manager.metadata.plist", "iTunesArtwork", "iTunesMetadata.plist" }; }
};

enum class SwitchPoint { DuringThePause, AsTheFirstMoveStarts, HalfWayOut, HalfWayIn, AllMovedIn };

class InterruptedSwitch : public InterruptedOperation, public ::testing::WithParamInterface<SwitchPoint> { };

}

TEST_P(InterruptedSwitch, IsCompletedByTheNextManagerWithEveryEntryInExactlyOnePlace)
{
    layOutTwoAccounts();
    // A running Instagram: the request to end it is logged as the pause begins.
    InstagramProcess instagram(root());
    ASSERT_TRUE(instagram.waitUntilRunning());
    RunningCommand command({ "--root", root(), "accounts", "switch", "B" });
    bool cutShort = false;
    switch (GetParam()) {
    case SwitchPoint::DuringThePause:
        cutShort = reachPoint(command, [&] { return !terminationRequests().empty(); });
        break;
    case SwitchPoint::AsTheFirstMoveStarts:
        cutShort = reachPoint(command, [&] { return fs::exists(journalFile()); });
        break;
    case SwitchPoint::HalfWayOut:
        cutShort = reachPoint(command, [&] { return countEntries(accountDir("Default")) >= kEntries / 2; });
        break;
    case SwitchPoint::HalfWayIn:
        cutShort = reachPoint(command, [&] { return countEntries(accountDir("B")) <= kEntries / 2; });
        break;
    case SwitchPoint::AllMovedIn:
        cutShort = reachPoint(command, [&] { return countEntries(accountDir("B")) == 0; });
        break;
    }
    command.kill();
    ASSERT_TRUE(cutShort) << "the switch ended before the point was reached";
    if (GetParam() == SwitchPoint::DuringThePause) {
        EXPECT_FALSE(fs::exists(journalFile())) << "nothing is recorded before the moves";
    } else if (GetParam() != SwitchPoint::AllMovedIn) {
        EXPECT_TRUE(fs::exists(journalFile())) << "the switch was cut short while moving";
    }

    std::string list = listAfterRecovery();
    EXPECT_FALSE(fs::exists(journalFile()));
    EXPECT_EQ(entries(accountsDir()), (std::vector<std::string> { "B", "Default" }));
    if (GetParam() == SwitchPoint::DuringThePause) {
        // Killed before the first move: the switch never happened.
        EXPECT_EQ(list, "{\"accounts\": [\"Default\", \"B\"], \"current\": \"Default\"}\n");
        EXPECT_TRUE(holdsEntriesOf(container(), 'd', fixed()));
        EXPECT_TRUE(holdsEntriesOf(accountDir("B"), 'b'));
        EXPECT_TRUE(entries(accountDir("Default")).empty());
        return;
    }
    EXPECT_EQ(list, "{\"accounts\": [\"Default\", \"B\"], \"current\": \"B\"}\n");
    EXPECT_EQ(storedCurrent(), "B");
    EXPECT_TRUE(holdsEntriesOf(container(), 'b', fixed()));
    EXPECT_TRUE(holdsEntriesOf(accountDir("Default"), 'd'));
    EXPECT_TRUE(entries(accountDir("B")).empty());
}

std::string switchPointName(const ::testing::TestParamInfo<SwitchPoint>& info)
{
    static const char* const names[] = { "DuringThePause", "AsTheFirstMoveStarts", "HalfWayOut", "HalfWayIn", "AllMovedIn" };
    return names[int(info.param)];
}

INSTANTIATE_TEST_SUITE_P(AtEveryStage, InterruptedSwitch,
    ::testing::Values(SwitchPoint::DuringThePause, SwitchPoint::AsTheFirstMoveStarts, SwitchPoint::HalfWayOut, SwitchPoint::HalfWayIn, SwitchPoint::AllMovedIn),
    switchPointName);

TEST_F(InterruptedOperation, AnAddCutShortWhileKeepingTheActiveAccountsDataIsCompleted)
{
    layOutTwoAccounts();
    RunningCommand command({ "--root", root(), "accounts", "add", "C" });
    bool cutShort = reachPoint(command, [&] { return countEntries(accountDir("Default")) >= kEntries / 2; });
    command.kill();
    ASSERT_TRUE(cutShort);
    EXPECT_TRUE(fs::exists(journalFile()));

    EXPECT_EQ(listAfterRecovery(), "{\"accounts\": [\"Default\", \"B\", \"C\"], \"current\": \"C\"}\n");
    EXPECT_TRUE(holdsEntriesOf(accountDir("Default"), 'd'));
    EXPECT_TRUE(holdsEntriesOf(accountDir("B"), 'b'));
    auto containerNow = entries(container());
    EXPECT_EQ(containerNow, sorted({ ".com.apple.mobile_container_manager.metadata.plist", "iTunesArtwork", "iTunesMetadata.plist", "Documents", "Library", "StoreKit", "tmp" }));
    EXPECT_TRUE(entries(accountDir("C")).empty());
}

TEST_F(InterruptedOperation, RemovingTheActiveAccountCutShortIsCompletedAndItsDataDiscarded)
{
    layOutTwoAccounts();
    RunningCommand command({ "--root", root(), "accounts", "remove", "Default" });
    bool cutShort = reachPoint(command, [&] { return countEntries(accountDir("B")) <= kEntries / 2; });
    command.kill();
    ASSERT_TRUE(cutShort);
    EXPECT_TRUE(fs::exists(journalFile()));

    EXPECT_EQ(listAfterRecovery(), "{\"accounts\": [\"B\"], \"current\": \"B\"}\n");
    EXPECT_TRUE(holdsEntriesOf(container(), 'b', fixed()));
    EXPECT_EQ(entries(accountsDir()), std::vector<std::string> { "B" });
    EXPECT_TRUE(entries(accountDir("B")).empty());
}

// Removing the active account ends Instagram and pauses before its first
// change: killed there, it has changed nothing, and nothing is left to finish.
TEST_F(InterruptedOperation, RemovingTheActiveAccountKilledDuringThePauseChangedNothing)
{
    layOutTwoAccounts();
    InstagramProcess instagram(root());
    ASSERT_TRUE(instagram.waitUntilRunning());
    RunningCommand command({ "--root", root(), "accounts", "remove", "Default" });
    bool cutShort = reachPoint(command, [&] { return !terminationRequests().empty(); });
    command.kill();
    ASSERT_TRUE(cutShort);
    EXPECT_EQ(storedList(), (std::vector<std::string> { stored("Default"), stored("B") }));
    EXPECT_EQ(storedCurrent(), "Default");

    EXPECT_EQ(listAfterRecovery(), "{\"accounts\": [\"Default\", \"B\"], \"current\": \"Default\"}\n");
    EXPECT_FALSE(fs::exists(journalFile()));
    EXPECT_TRUE(holdsEntriesOf(container(), 'd', fixed()));
    EXPECT_TRUE(holdsEntriesOf(accountDir("B"), 'b'));
}

// An inactive account's removal stores the shorter list before it discards the
// directory: killed in between, the next manager discards it.
TEST_F(InterruptedOperation, RemovingAnInactiveAccountCutShortIsCompleted)
{
    layOutTwoAccounts();
    RunningCommand command({ "--root", root(), "accounts", "remove", "B" });
    bool cutShort = reachPoint(command, [&] { return countEntries(accountDir("B")) <= kEntries / 2; });
    command.kill();
    ASSERT_TRUE(cutShort);

    EXPECT_EQ(listAfterRecovery(), "{\"accounts\": [\"Default\"], \"current\": \"Default\"}\n");
    EXPECT_FALSE(fs::exists(accountDir("B")));
    EXPECT_TRUE(holdsEntriesOf(container(), 'd', fixed()));
}
