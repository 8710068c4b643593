#pragma once
// The step engine of the account operations: runs the steps an operation
// wrote down in its journal, keeping the journal on disk one step ahead, and
// takes the operation back when a step fails, so that it is either completed
// or undone and never stops half-way.
//
// A step that can fail (making the account directory, moving the container's
// entries out, renaming a directory) fails before or while the operation
// moves the active account's data out; every later step (moving in, the
// fresh directories, the stored list, discarding) cannot fail, so undoing
// only ever has to put back what moved out and remove a directory it made.
//
// Threads: the engine runs on its caller's thread; the manager calls it from
// inside one turn of its serial queue per step.

#include "accounts/AccountJournal.h"
#include "accounts/AccountOutcome.h"
#include "platform/foundation/NSFileManager.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace igtarvo {

// The folder inside an account directory where entries of the account that
// could not take their place in the container are set aside. Moves never
// take it into the container and never clear it.
inline constexpr const char* kKeptAsideFolder = ".igtarvo-kept";

// What the engine needs of the account store.
struct AccountStepContext {
    const platform::NSFileManager* fm = nullptr;
    // The directory of an account, by plain name.
    std::function<std::string(const std::string&)> accountDirectory;
    // Stores the list (stored names) and the active account (none when
    // empty) in one write.
    std::function<void(const std::vector<std::string>&, const std::optional<std::string>&)> commit;
    // Where the journal is kept.
    std::string journalFile;
};

class AccountStepEngine {
public:
    explicit AccountStepEngine(AccountStepContext context) : m_context(std::move(context)) { }

    // Runs the journal's steps up to (not including) `until`, recording each
    // before it starts. When a step fails, everything done so far is undone
    // and the outcome says why. Answers whether steps are left to run.
    bool run(AccountJournal& journal, size_t until, AccountOutcome& outcome);
    // Runs whatever the journal has left, forward or undoing.
    void finish(AccountJournal& journal, AccountOutcome& outcome) { run(journal, journal.steps().size(), outcome); }
    // Runs what a journal read from disk has left.
    void resume(AccountJournal& journal, AccountOutcome& outcome) { finish(journal, outcome); }

    // Whether the journal still has data to move (forward or back), which
    // must not happen while Instagram uses its container.
    static bool movesFiles(const AccountJournal& journal);

private:
    enum class StepResult { Done, FailedUntouched, FailedPartway };
    StepResult perform(AccountJournal& journal, const AccountStep& step, AccountOutcome& outcome, bool recorded);
    void undo(const AccountJournal& journal, const AccountStep& step);
    void undoAll(AccountJournal& journal, bool recorded);
    void setAside(const std::string& directory, const std::string& relative, AccountOutcome& outcome);

    AccountStepContext m_context;
};

} // namespace igtarvo
