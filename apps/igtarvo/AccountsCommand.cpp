// igtarvo accounts list [--json] | add NAME | switch NAME | rename OLD NEW | remove NAME
//
// The account manager's operations, run as SpringBoard runs them: this
// process builds SpringBoard's classes so that the manager finds Instagram's
// application object, and a running Instagram is ended where the operation
// ends it. Names are plain names. Requests that would be refused (an unknown
// account, an account that exists already, a name that cannot be one path
// component) are checked before the manager is built, so they change nothing
// on disk; what the manager refuses or takes back is reported the same way.

#include "accounts/AccountNames.h"
#include "accounts/DirectoryWalk.h"
#include "accounts/NSStringBase64.h"
#include "accounts/TarvoManager.h"
#include "apps/igtarvo/Command.h"
#include "apps/simulator/DeviceLayout.h"
#include "hosts/springboard/SpringBoardClasses.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/Preferences.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sys/stat.h>

using namespace igtarvo::cli;
using igtarvo::TarvoManager;
using platform::Device;
using platform::ns;

namespace {

void becomeSpringBoard()
{
    Device::putProgramsOnSearchPath(); // the manager's launchctl is the device's
    hosts::springboard::registerSpringBoardClasses();
    igtarvo::addBase64CategoryToNSString();
}

std::string quoted(const std::string& name) { return jsonString(name); }

std::string refusedNameMessage(const std::string& verb, const std::string& name)
{
    return "accounts " + verb + ": " + quoted(name) + " cannot be an account name (it must be one path component: not empty, not . or .., without / or NUL)";
}

// The plain names the manager will list, read without building it (a domain
// without accounts gets "Default" when the manager is built).
std::vector<std::string> listedNamesOnDisk()
{
    std::vector<std::string> names;
    auto stored = platform::CFPreferencesCopyAppValue(igtarvo::kAccountsKey, igtarvo::kTarvoPreferencesDomain);
    if (objc::object_isKindOfClass(stored, platform::NSArray::staticClass())) {
        for (auto& entry : static_cast<platform::NSArray*>(stored.get())->items()) {
            if (auto plain = igtarvo::plainAccountName(platform::str(entry.get())))
                names.push_back(*plain);
        }
    }
    if (names.empty() && !(objc::object_isKindOfClass(stored, platform::NSArray::staticClass()) && static_cast<platform::NSArray*>(stored.get())->count()))
        names.push_back(igtarvo::kDefaultAccountName);
    return names;
}

bool isListedOnDisk(const std::string& name)
{
    auto names = listedNamesOnDisk();
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Where the top-level entries of the container and of each account
// directory are, keyed by their file identity, so that a moved entry is
// recognised in its new place.
struct Placement {
    std::string place; // "container" or an account's plain name
    std::string name;
};
using Snapshot = std::map<std::pair<dev_t, ino_t>, Placement>;

Snapshot takeSnapshot(TarvoManager& manager)
{
    Snapshot snapshot;
    auto add = [&](const std::string& directory, const std::string& place, bool skipFixed) {
        for (auto& name : manager.fm()->contentsOfDirectoryAtPath(directory).names) {
            if (skipFixed && igtarvo::isFixedContainerEntry(name))
                continue;
            struct stat st;
            if (::lstat((directory + "/" + name).c_str(), &st) == 0)
                snapshot[{ st.st_dev, st.st_ino }] = { place, name };
        }
    };
    add(igtarvo::simulator::instagramDataContainer(), "container", true);
    std::string base = manager.baseDir()->str();
    for (auto& account : manager.fm()->contentsOfDirectoryAtPath(base).names) {
        struct stat st;
        if (::lstat((base + "/" + account).c_str(), &st) == 0 && S_ISDIR(st.st_mode))
            add(base + "/" + account, account, false);
    }
    return snapshot;
}

std::string placeLabel(const std::string& place)
{
    return place == "container" ? "the container" : "account " + quoted(place);
}

// Prints what moved between the two snapshots, grouped by where from and to.
void printMoves(const Snapshot& before, const Snapshot& after)
{
    std::map<std::pair<std::string, std::string>, std::vector<std::string>> moved;
    std::map<std::string, std::vector<std::string>> created, deleted;
    for (auto& [identity, was] : before) {
        auto now = after.find(identity);
        if (now == after.end())
            deleted[was.place].push_back(was.name);
        else if (now->second.place != was.place)
            moved[{ was.place, now->second.place }].push_back(was.name);
    }
    for (auto& [identity, is] : after) {
        if (!before.count(identity))
            created[is.place].push_back(is.name);
    }
    auto joined = [](std::vector<std::string> names) {
        std::sort(names.begin(), names.end());
        std::string text;
        for (auto& n : names)
            text += (text.empty() ? "" : ", ") + n;
        return text;
    };
    for (auto& [route, names] : moved)
        std::printf("  moved from %s to %s: %s\n", placeLabel(route.first).c_str(), placeLabel(route.second).c_str(), joined(names).c_str());
    for (auto& [place, names] : created)
        std::printf("  created in %s: %s\n", placeLabel(place).c_str(), joined(names).c_str());
    for (auto& [place, names] : deleted)
        std::printf("  deleted, last in %s: %s\n", placeLabel(place).c_str(), joined(names).c_str());
}

// Says on one line why the manager refused or took back an operation.
int failed(const std::string& verb, const igtarvo::AccountOutcome& outcome)
{
    std::string what = outcome.status == igtarvo::AccountOutcome::Status::Undone ? " (undone; nothing changed)" : " (nothing changed)";
    return fail("accounts " + verb + ": " + outcome.reason + what);
}

// Says what the operation left where it was or set aside.
void printLeftovers(const igtarvo::AccountOutcome& outcome)
{
    for (auto& path : outcome.keptAside)
        std::printf("  kept aside (the container held an entry of that name): %s\n", Device::devicePath(path).c_str());
    for (auto& path : outcome.leftInPlace)
        std::printf("  left in place (not an account's data): %s\n", Device::devicePath(path).c_str());
}

std::string currentName(TarvoManager& manager)
{
    return platform::str(manager.currentAccountName().get());
}

int list(bool json)
{
    auto manager = TarvoManager::sharedManager();
    auto current = manager->currentAccountName();
    std::vector<std::string> names;
    for (auto& entry : manager->accounts()->items()) {
        auto plain = igtarvo::plainAccountName(platform::str(entry.get()));
        if (plain)
            names.push_back(*plain);
        else
            std::fprintf(stderr, "igtarvo: accounts list: the entry %s of the list is not a stored account name; left out (igtarvo accounts remove --stored takes it off)\n", quoted(platform::str(entry.get())).c_str());
    }
    if (json) {
        std::string text = "{\"accounts\": [";
        for (size_t i = 0; i < names.size(); ++i)
            text += (i ? ", " : "") + quoted(names[i]);
        text += "], \"current\": " + (current ? quoted(current->str()) : std::string("null")) + "}";
        std::printf("%s\n", text.c_str());
        return 0;
    }
    for (auto& name : names)
        std::printf("%s %s\n", current && current->str() == name ? "*" : " ", name.c_str());
    if (!current)
        std::printf("(no active account)\n");
    return 0;
}

int add(const std::string& name)
{
    if (!igtarvo::isUsableAccountName(name))
        return fail(refusedNameMessage("add", name));
    if (isListedOnDisk(name))
        return fail("accounts add: there is already an account named " + quoted(name));
    auto manager = TarvoManager::sharedManager();
    if (manager->hasAccountWithName(ns(name)))
        return fail("accounts add: there is already an account named " + quoted(name));
    bool wasRunning = manager->isInstagramRunning();
    std::string previous = currentName(*manager);
    Snapshot before = takeSnapshot(*manager);
    auto outcome = manager->addAccount(ns(name), nullptr);
    if (!outcome.succeeded())
        return failed("add", outcome);
    std::printf("added %s and made it the active account (before: %s)%s\n", quoted(name).c_str(),
        previous.empty() ? "none" : quoted(previous).c_str(), wasRunning ? "; Instagram was ended" : "");
    printMoves(before, takeSnapshot(*manager));
    printLeftovers(outcome);
    return 0;
}

int switchTo(const std::string& name)
{
    if (!igtarvo::isUsableAccountName(name))
        return fail(refusedNameMessage("switch", name));
    if (!isListedOnDisk(name))
        return fail("accounts switch: there is no account named " + quoted(name));
    auto manager = TarvoManager::sharedManager();
    if (!manager->hasAccountWithName(ns(name)))
        return fail("accounts switch: there is no account named " + quoted(name));
    std::string previous = currentName(*manager);
    if (previous == name) {
        std::printf("%s is the active account already; nothing moved\n", quoted(name).c_str());
        return 0;
    }
    bool wasRunning = manager->isInstagramRunning();
    Snapshot before = takeSnapshot(*manager);
    auto outcome = manager->switchToAccount(ns(name), nullptr);
    if (!outcome.succeeded())
        return failed("switch", outcome);
    std::printf("switched from %s to %s%s\n", previous.empty() ? "no account" : quoted(previous).c_str(), quoted(name).c_str(),
        wasRunning ? "; Instagram was ended" : "");
    printMoves(before, takeSnapshot(*manager));
    printLeftovers(outcome);
    return 0;
}

int rename(const std::string& from, const std::string& to)
{
    if (!igtarvo::isUsableAccountName(from))
        return fail(refusedNameMessage("rename", from));
    if (!igtarvo::isUsableAccountName(to))
        return fail(refusedNameMessage("rename", to));
    if (!isListedOnDisk(from))
        return fail("accounts rename: there is no account named " + quoted(from));
    if (isListedOnDisk(to))
        return fail("accounts rename: there is already an account named " + quoted(to));
    std::string base = Device::path(igtarvo::kDefaultBaseDirectory);
    struct stat st;
    if (::lstat((base + "/" + to).c_str(), &st) == 0)
        return fail("accounts rename: " + Device::devicePath(base + "/" + to) + " exists already; nothing was renamed");
    auto manager = TarvoManager::sharedManager();
    if (!manager->hasAccountWithName(ns(from)))
        return fail("accounts rename: there is no account named " + quoted(from));
    if (manager->hasAccountWithName(ns(to)))
        return fail("accounts rename: there is already an account named " + quoted(to));
    if (::lstat((base + "/" + from).c_str(), &st) != 0)
        return fail("accounts rename: the directory of " + quoted(from) + " is missing; nothing was renamed");
    auto outcome = manager->renameAccount(ns(from), ns(to));
    if (!outcome.succeeded())
        return failed("rename", outcome);
    std::printf("renamed %s to %s%s\n", quoted(from).c_str(), quoted(to).c_str(), currentName(*manager) == to ? " (the active account; its data stayed in the container)" : "");
    return 0;
}

int remove(const std::string& name)
{
    if (!igtarvo::isUsableAccountName(name))
        return fail(refusedNameMessage("remove", name));
    if (!isListedOnDisk(name))
        return fail("accounts remove: there is no account named " + quoted(name));
    auto manager = TarvoManager::sharedManager();
    if (!manager->hasAccountWithName(ns(name)))
        return fail("accounts remove: there is no account named " + quoted(name));
    bool wasActive = currentName(*manager) == name;
    bool wasRunning = manager->isInstagramRunning();
    Snapshot before = takeSnapshot(*manager);
    auto outcome = manager->removeAccountForUsername(ns(igtarvo::storedAccountName(name)), nullptr);
    if (!outcome.succeeded())
        return failed("remove", outcome);
    std::string now = currentName(*manager);
    std::printf("removed %s", quoted(name).c_str());
    if (wasActive)
        std::printf(now.empty() ? "; it was the only account, so there is no active account now" : "; it was active, so %s is active now", quoted(now).c_str());
    std::printf("%s\n", wasActive && !now.empty() && wasRunning ? "; Instagram was ended" : "");
    printMoves(before, takeSnapshot(*manager));
    printLeftovers(outcome);
    return 0;
}

// Takes an entry of the list that stands for no usable name (a hand-edited
// domain) off the list; no file is touched.
int removeStored(const std::string& stored)
{
    auto manager = TarvoManager::sharedManager();
    auto plain = igtarvo::plainAccountName(stored);
    if (plain && igtarvo::isUsableAccountName(*plain))
        return fail("accounts remove --stored: " + quoted(stored) + " stands for the account " + quoted(*plain) + "; remove it by that name");
    auto outcome = manager->removeAccountForUsername(ns(stored), nullptr);
    if (!outcome.succeeded())
        return failed("remove", outcome);
    std::printf("removed the entry %s from the list; no file was touched\n", quoted(stored).c_str());
    return 0;
}

int accountsCommand(const Invocation& inv)
{
    const auto& args = inv.args;
    if (args.empty())
        return fail("accounts: say list, add, switch, rename or remove");
    if (!igtarvo::simulator::deviceExists(inv.root))
        return fail("no device at " + inv.root + " (make one with 'igtarvo device create')");
    becomeSpringBoard();
    const std::string& verb = args[0];
    auto expect = [&](size_t count, const char* form) {
        return args.size() == count + 1 ? 0 : fail(std::string("accounts ") + verb + ": usage: igtarvo accounts " + form);
    };
    if (verb == "list") {
        bool json = args.size() == 2 && args[1] == "--json";
        if (args.size() > 2 || (args.size() == 2 && !json))
            return fail("accounts list: usage: igtarvo accounts list [--json]");
        return list(json);
    }
    if (verb == "add")
        return expect(1, "add NAME") ? 1 : add(args[1]);
    if (verb == "switch")
        return expect(1, "switch NAME") ? 1 : switchTo(args[1]);
    if (verb == "rename")
        return expect(2, "rename OLD NEW") ? 1 : rename(args[1], args[2]);
    if (verb == "remove" && args.size() == 3 && args[1] == "--stored")
        return removeStored(args[2]);
    if (verb == "remove")
        return expect(1, "remove NAME") ? 1 : remove(args[1]);
    return fail("accounts: unknown verb '" + verb + "'");
}

} // namespace

IGTARVO_COMMAND("accounts",
    "  accounts list [--json]     the accounts in list order, the active one marked\n"
    "  accounts add NAME          end Instagram, keep the active account's data and start NAME empty\n"
    "  accounts switch NAME       end Instagram and exchange the container's data for NAME's\n"
    "  accounts rename OLD NEW    rename an account (its data stays where it is)\n"
    "  accounts remove NAME       remove an account and its data (switching away first if it is active)\n"
    "  accounts remove --stored TEXT  take a list entry that is no account name off the list",
    accountsCommand);
