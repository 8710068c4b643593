#pragma once
// The account store: the ordered list of accounts (stored names), the active
// account, the account directories under the base directory, and the
// operations that move Instagram's data between its container and those
// directories, ending Instagram first.
//
// Threads: every caller is on SpringBoard's main thread. Each file step of an
// operation is one synchronous turn of serialQueue ("com.zr4.tarvomanager.
// serialqueue"), so it runs on the calling thread; every operation, its
// completion included, is over when the call returns. Completions run on the
// calling thread right after the operation's last turn.
//
// Names: operations take plain names, except removal, which takes the stored
// form kept in the list. A plain name that cannot be one path component
// (empty, ".", "..", holding "/" or NUL) is refused, and so is an account
// whose directory place holds a link or a file where data would move.
//
// Results: every operation answers an AccountOutcome. A refusal is checked
// before anything changes and changes nothing on disk or in the domain (the
// completion still runs, as the list screen expects). A step that fails later
// takes the whole operation back (Undone). Nothing outside an account's own
// directory and the container is touched; the base directory itself is never
// removed.
//
// Interruptions: an operation writes down its steps (AccountJournal) before
// its first change, and stores the list and the active account in one write
// after its moves; a manager built later finishes an operation that was cut
// short, so every entry ends in exactly one place and the stored active
// account matches the container.

#include "accounts/AccountJournal.h"
#include "accounts/AccountOutcome.h"
#include "accounts/AccountSteps.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/NSFileManager.h"
#include "platform/foundation/NSValues.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace igtarvo {

using objc::id;
using objc::Object;
using objc::RefPtr;
using platform::DispatchQueue;
using platform::NSFileManager;
using platform::NSMutableArray;
using platform::NSMutableDictionary;
using platform::NSString;

// A completion: no arguments, no result; an empty one is skipped.
using Completion = std::function<void()>;

// The preference domain and the keys the manager owns in it.
inline constexpr const char* kTarvoPreferencesDomain = "com.zr4.igtarvo";
inline constexpr const char* kAccountsKey = "kAccounts";
inline constexpr const char* kCurrentAccountKey = "kCurrentAccount";
// The device path of the default base directory.
inline constexpr const char* kDefaultBaseDirectory = "/var/mobile/Library/Preferences/igTarvo";
inline constexpr const char* kSerialQueueLabel = "com.zr4.tarvomanager.serialqueue";
inline constexpr const char* kInstagramBundleIdentifier = "com.burbn.instagram";
inline constexpr const char* kTerminationDescription = "Killed by igTarvo";
// The account the data already in Instagram's container becomes on first use.
inline constexpr const char* kDefaultAccountName = "Default";

class TarvoManager : public objc::Object {
    OBJC_CLASS(TarvoManager, objc::Object)
public:
    static void registerMethods(objc::ClassBuilder<TarvoManager>&);

    // The process's one manager, built on the first call (once, also when
    // first called from two threads).
    static RefPtr<TarvoManager> sharedManager();
    // A new manager, built by init. The process keeps one (sharedManager);
    // tools and tests build their own for a device of their choice.
    static RefPtr<TarvoManager> create();
    // Builds the state: the file manager, the queue, the settings read once
    // from the domain, the list, the base directory, the completion of an
    // interrupted operation, and the "Default" account on an empty list.
    RefPtr<Object> init();

    // The account list (stored names), the same array every time.
    RefPtr<NSMutableArray> accounts() const { return m_accounts; }
    // The copy of the preference domain read at construction.
    RefPtr<NSMutableDictionary> settings() const { return m_settings; }
    // The active account's plain name; nil when there is none.
    RefPtr<NSString> currentAccountName();
    // Makes the name (or none, for nil) active and stores it at once.
    void setCurrentAccountName(RefPtr<NSString> name);
    RefPtr<NSFileManager> fm() const { return m_fm; }
    // Instagram's application object in SpringBoard, looked up anew.
    RefPtr<Object> application();
    // The base directory of the account directories (a path on this machine).
    RefPtr<NSString> baseDir();
    void setBaseDir(RefPtr<NSString> path);
    RefPtr<DispatchQueue> serialQueue() const { return m_serialQueue; }
    // Whether Instagram runs.
    bool isInstagramRunning();

    // A new mutable copy of the stored names under kAccounts in settings.
    RefPtr<NSMutableArray> loadAccounts();
    // Puts accounts under kAccounts in settings and stores the settings.
    void storeAccounts();
    // Writes the account keys of settings to the preference domain; keys
    // that other processes own are left as they are on disk.
    void storeSettings();
    // Whether a listed account has exactly this plain name.
    bool hasAccountWithName(RefPtr<NSString> name);

    // Ends Instagram (FrontBoard's way where processes answer `stop`, else
    // BackBoardServices'), starts "launchctl stop com.apple.cfprefsd.xpc.daemon",
    // pauses 0.1 s, then runs the completion.
    void killInstagramWithCompletion(Completion completion);

    // Ends Instagram, lists the account, keeps the active account's data in
    // its directory, leaves the container with fresh directories and makes
    // the new account active. Refuses a name that is listed already.
    AccountOutcome addAccount(RefPtr<NSString> name, Completion completion);
    // Takes the stored name off the list and removes its directory; when it
    // was active, first switches to a random remaining account. A listed
    // entry that does not stand for a usable name only leaves the list.
    AccountOutcome removeAccountForUsername(RefPtr<NSString> storedName, Completion completion);
    // Ends Instagram; unless the name is already active (Unchanged), moves
    // the active account's data out, the named account's in and makes it
    // active (the completion does not run when there was nothing to do).
    AccountOutcome switchToAccount(RefPtr<NSString> name, Completion completion);
    // Renames a listed account's directory and list entry; Instagram keeps
    // running. Refuses a new name that is listed or whose place is taken.
    AccountOutcome renameAccount(RefPtr<NSString> from, RefPtr<NSString> to);

    // The class methods: the operations above on sharedManager.
    static void addAccountWithCompletion(RefPtr<NSString> name, Completion completion);
    static void removeAccountForUsernameWithCompletion(RefPtr<NSString> storedName, Completion completion);
    static void switchToAccountWithCompletion(RefPtr<NSString> name, Completion completion);

private:
    std::string accountDirectory(const std::string& plainName);
    std::string containerPath();
    std::string journalPath();
    // Whether the account's directory is a real directory or can be made one.
    bool canUseAccountDirectory(const std::string& plainName);
    // Why an account's directory place cannot take data ("" when it can).
    std::string directoryProblem(const std::string& plainName);
    void stopPreferencesDaemon();
    // The list as it is, as stored names.
    std::vector<std::string> storedNames();
    // The container's entries that a move-out takes.
    std::vector<std::string> movableContainerEntries(const std::string& container);
    // Stores the list and the active account in one write.
    void commit(const std::vector<std::string>& storedNames, const std::optional<std::string>& active);
    AccountStepEngine stepEngine();
    // Runs every step of the journal, one turn of the queue each.
    void runOnQueue(AccountJournal& journal, AccountOutcome& outcome);
    // Finishes an operation that an earlier manager left unfinished.
    void completeInterruptedOperation();
    // The runtime's renameAccount:toName:, which answers nothing.
    void renameAccountMessage(RefPtr<NSString> from, RefPtr<NSString> to) { renameAccount(std::move(from), std::move(to)); }

    RefPtr<NSMutableArray> m_accounts;
    RefPtr<NSMutableDictionary> m_settings;
    RefPtr<NSString> m_currentAccountName;
    RefPtr<NSFileManager> m_fm;
    RefPtr<Object> m_application;
    RefPtr<NSString> m_baseDir;
    RefPtr<DispatchQueue> m_serialQueue;
};

} // namespace igtarvo
