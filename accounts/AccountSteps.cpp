#include "accounts/AccountSteps.h"
#include "accounts/AccountNames.h"
#include "accounts/DirectoryWalk.h"

#include <algorithm>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace igtarvo {

using Kind = AccountStep::Kind;

namespace {

bool isRealDirectory(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool entryExists(const std::string& path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

std::string parentOf(const std::string& path)
{
    auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// An operation that only stores the list and the active account is one
// write and needs no record.
bool needsRecord(const AccountJournal& journal)
{
    const auto& steps = journal.steps();
    return steps.size() > 1 || (steps.size() == 1 && steps[0].kind != Kind::Commit);
}

// The first entry (relative to the container) that a move-out without
// clearing could not put in place: one whose destination exists and is not a
// real directory that a real directory of the container merges into.
std::optional<std::string> firstCollision(const platform::NSFileManager& fm, const std::string& source, const std::string& destination, const std::string& relative)
{
    std::string from = source + "/" + relative;
    std::string to = destination + "/" + relative;
    struct stat target, origin;
    if (::lstat(from.c_str(), &origin) != 0 || ::lstat(to.c_str(), &target) != 0)
        return std::nullopt; // moved already, or nothing in the way
    if (!isRealDirectory(from) || !S_ISDIR(target.st_mode))
        return relative;
    for (auto& name : fm.contentsOfDirectoryAtPath(from).names) {
        if (auto collision = firstCollision(fm, source, destination, relative + "/" + name))
            return collision;
    }
    return std::nullopt;
}

} // namespace

bool AccountStepEngine::movesFiles(const AccountJournal& journal)
{
    const auto& steps = journal.steps();
    if (journal.undoing()) {
        for (size_t i = 0; i < journal.next() && i < steps.size(); ++i) {
            if (steps[i].kind == Kind::MoveOut)
                return true;
        }
        return false;
    }
    for (size_t i = journal.next(); i < steps.size(); ++i) {
        Kind kind = steps[i].kind;
        if (kind == Kind::MoveOut || kind == Kind::MoveIn || kind == Kind::CreateFresh)
            return true;
    }
    return false;
}

bool AccountStepEngine::run(AccountJournal& journal, size_t until, AccountOutcome& outcome)
{
    const auto& steps = journal.steps();
    bool recorded = needsRecord(journal);
    const std::string& file = m_context.journalFile;
    while (!journal.undoing() && journal.next() < until && journal.next() < steps.size()) {
        if (recorded) {
            bool written = journal.write(file);
            (void)written; // without a record the operation still runs; only its recovery is lost
        }
        const AccountStep& step = steps[journal.next()];
        StepResult result = perform(journal, step, outcome, recorded);
        // A step that failed part-way is undone too; one that failed before
        // it changed anything is not.
        if (result == StepResult::FailedUntouched && journal.started())
            result = StepResult::FailedPartway; // an interrupted run of it moved entries
        journal.setStarted(false);
        if (result != StepResult::FailedUntouched)
            journal.setNext(journal.next() + 1);
        if (result != StepResult::Done) {
            journal.setUndoing(true);
            outcome.status = AccountOutcome::Status::Undone;
        }
    }
    if (journal.undoing()) {
        undoAll(journal, recorded);
        if (outcome.status != AccountOutcome::Status::Undone) {
            outcome.status = AccountOutcome::Status::Undone;
            outcome.reason = "an interrupted operation could not be completed and was undone";
        }
        return false;
    }
    if (journal.next() < steps.size())
        return true;
    if (recorded)
        AccountJournal::finish(file);
    return false;
}

void AccountStepEngine::undoAll(AccountJournal& journal, bool recorded)
{
    const std::string& file = m_context.journalFile;
    while (journal.next() > 0) {
        if (recorded) {
            bool written = journal.write(file);
            (void)written; // as above: only the recovery of the undoing is lost
        }
        undo(journal, journal.steps()[journal.next() - 1]);
        journal.setNext(journal.next() - 1);
    }
    if (recorded)
        AccountJournal::finish(file);
}

AccountStepEngine::StepResult AccountStepEngine::perform(AccountJournal& journal, const AccountStep& step, AccountOutcome& outcome, bool recorded)
{
    using enum StepResult;
    const auto& fm = *m_context.fm;
    const std::string& container = journal.container();
    bool named = step.account && isUsableAccountName(*step.account);
    std::string directory = named ? m_context.accountDirectory(*step.account) : std::string();
    auto fail = [&](std::string why, StepResult result = FailedUntouched) {
        if (outcome.reason.empty())
            outcome.reason = std::move(why);
        return result;
    };
    switch (step.kind) {
    case Kind::MakeDirectory: {
        if (!named)
            return fail("the account has no usable name");
        if (isRealDirectory(directory))
            return Done;
        auto created = fm.createDirectoryAtPath(directory, false);
        if (!isRealDirectory(directory))
            return fail("could not make the directory of \"" + *step.account + "\": " + (created ? created.description() : "something else stands there"));
        return Done;
    }
    case Kind::MoveOut: {
        if (!named || container.empty())
            return fail("the data has nowhere to go");
        // The account's directory may have gone (deleted from outside): it is
        // made again, so that nothing stays behind in the container.
        if (!isRealDirectory(directory)) {
            auto created = fm.createDirectoryAtPath(directory, false);
            if (!isRealDirectory(directory))
                return fail("could not make the directory of \"" + *step.account + "\" to keep its data: " + (created ? created.description() : "something else stands there"));
        }
        // A move across file systems that an ended process left half-done
        // leaves a partial copy or a finished source behind: neither is data.
        fm.removeAbandonedMoves(container);
        fm.removeAbandonedMoves(directory);
        // Without clearing, an entry of the account's directory in the way would
        // stop the move part-way: it is looked for before anything moves. Once
        // the move has started, an entry found at both places can only be a
        // copy that an interrupted move across file systems left: it gives way.
        if (!step.clear && !journal.started()) {
            for (auto& name : step.names) {
                if (auto collision = firstCollision(fm, container, directory, name))
                    return fail("could not move \"" + *collision + "\" out of the container: the directory of \"" + *step.account + "\" already holds an entry of that name");
            }
        }
        if (!journal.started()) {
            journal.setStarted(true);
            if (recorded) {
                bool written = journal.write(m_context.journalFile);
                (void)written; // as in run: only the recovery is lost
            }
        }
        auto taken = [&](const std::string& name) { return std::find(step.names.begin(), step.names.end(), name) != step.names.end(); };
        auto leftBehind = walkDirectory(fm, container, directory, { .skipFixedEntries = true, .clearDestination = step.clear, .replaceCopies = !step.clear, .skip = [&](const std::string& name) { return !taken(name); } });
        if (!leftBehind.empty())
            return fail("could not move \"" + leftBehind.front().relativePath + "\" out of the container into the directory of \"" + *step.account + "\": " + leftBehind.front().error.description(), FailedPartway);
        return Done;
    }
    case Kind::MoveIn: {
        if (!named || container.empty() || !entryExists(directory))
            return Done; // nothing to bring in
        if (!isRealDirectory(directory)) {
            // Never move data out of a link or a file: nothing comes in.
            outcome.leftInPlace.push_back(directory);
            return Done;
        }
        fm.removeAbandonedMoves(container);
        fm.removeAbandonedMoves(directory);
        // Whatever still stands in the container belongs to the app itself or
        // to the outgoing account: an incoming entry of the same name is set
        // aside in its account's directory, so both are kept.
        auto leftBehind = walkDirectory(fm, directory, container, { .skip = [](const std::string& name) { return name == kKeptAsideFolder; } });
        for (auto& entry : leftBehind)
            setAside(directory, entry.relativePath, outcome);
        return Done;
    }
    case Kind::CreateFresh:
        if (container.empty())
            return Done;
        for (const char* fresh : kFreshContainerDirectories) {
            auto created = fm.createDirectoryAtPath(container + "/" + fresh, true);
            (void)created; // entries brought in already stand there
        }
        return Done;
    case Kind::Commit:
        if (step.account && !isUsableAccountName(*step.account))
            return fail("the account has no usable name");
        m_context.commit(step.names, step.account);
        return Done;
    case Kind::Discard:
        if (!named)
            return Done;
        if (isRealDirectory(directory)) {
            auto removed = fm.removeItemAtPath(directory);
            (void)removed; // what could not be removed stays
        } else if (entryExists(directory)) {
            outcome.leftInPlace.push_back(directory); // a link or a file: not the account's data
        }
        return Done;
    case Kind::RenameDirectory: {
        if (!named || !isUsableAccountName(step.newName))
            return fail("the account has no usable name");
        std::string to = m_context.accountDirectory(step.newName);
        if (!entryExists(directory) && entryExists(to))
            return Done; // moved before an interruption
        if (auto error = fm.moveItemAtPath(directory, to))
            return fail("could not rename the directory of \"" + *step.account + "\": " + error.description());
        return Done;
    }
    }
    return FailedUntouched;
}

void AccountStepEngine::undo(const AccountJournal& journal, const AccountStep& step)
{
    const auto& fm = *m_context.fm;
    bool named = step.account && isUsableAccountName(*step.account);
    if (!named)
        return;
    std::string directory = m_context.accountDirectory(*step.account);
    switch (step.kind) {
    case Kind::MakeDirectory:
        if (!step.existed)
            ::rmdir(directory.c_str()); // only while it is empty: nothing of anyone's is lost
        return;
    case Kind::MoveOut: {
        if (!isRealDirectory(directory) || journal.container().empty())
            return;
        fm.removeAbandonedMoves(journal.container());
        fm.removeAbandonedMoves(directory);
        auto taken = [&](const std::string& name) { return std::find(step.names.begin(), step.names.end(), name) != step.names.end(); };
        auto leftBehind = walkDirectory(fm, directory, journal.container(), { .skip = [&](const std::string& name) { return !taken(name); } });
        (void)leftBehind; // what cannot go back stays with its account, in one place
        return;
    }
    case Kind::MoveIn:
    case Kind::CreateFresh:
    case Kind::Commit:
    case Kind::Discard:
    case Kind::RenameDirectory:
        // These never fail and come after every step that can: nothing to take back.
        return;
    }
}

void AccountStepEngine::setAside(const std::string& directory, const std::string& relative, AccountOutcome& outcome)
{
    const auto& fm = *m_context.fm;
    std::string base = directory + "/" + kKeptAsideFolder + "/" + relative;
    auto made = fm.createDirectoryAtPath(parentOf(base), true);
    (void)made; // the move below tells
    std::string target = base;
    for (int copy = 2; entryExists(target); ++copy)
        target = base + " " + std::to_string(copy);
    if (!fm.moveItemAtPath(directory + "/" + relative, target))
        outcome.keptAside.push_back(target);
    else
        outcome.leftInPlace.push_back(directory + "/" + relative);
}

} // namespace igtarvo
