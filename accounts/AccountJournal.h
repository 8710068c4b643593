#pragma once
// The record of an account operation, written before it changes anything and
// kept up to date step by step, so that an operation cut short (its process
// killed between two moves) is finished by the next manager: completed, or,
// where a step had failed and the operation was being taken back, undone.
// Every step can be run again from its start with the same result, and so
// can the undoing of every step, so finishing means running the recorded
// step again and then the rest.
//
// The journal is one property-list file beside the account directories
// ("<base directory>.journal"), replaced atomically at every change.

#include <optional>
#include <string>
#include <vector>

namespace igtarvo {

struct AccountStep {
    enum class Kind {
        MakeDirectory,   // the account's directory is made (existed: it was there before)
        MoveOut,         // container -> account directory (fixed entries stay)
        MoveIn,          // account directory -> container
        CreateFresh,     // the fresh directories in the container
        Commit,          // the list (storedNames) and the active account, in one write
        Discard,         // the account directory is removed
        RenameDirectory, // account directory -> directory of newName
    };
    Kind kind;
    std::optional<std::string> account; // plain name; for Commit the active account (none when empty)
    bool clear = false;                 // moves: clear existing destinations
    std::string newName;                // renames
    bool existed = false;               // MakeDirectory: the directory stood there already
    std::vector<std::string> names;     // MoveOut: the container's entries it takes; Commit: the stored names
};

class AccountJournal {
public:
    AccountJournal() = default;
    AccountJournal(std::string container, std::vector<AccountStep> steps)
        : m_container(std::move(container)), m_steps(std::move(steps)) { }

    // The journal file that goes with a base directory.
    static std::string pathFor(const std::string& baseDirectory);
    // The journal in that file; nullopt when there is none or it is unreadable.
    static std::optional<AccountJournal> read(const std::string& file);

    // Writes the journal (atomically); answers whether it is on disk.
    bool write(const std::string& file) const;
    // Removes the file: the operation is over.
    static void finish(const std::string& file);
    // Removes what writes of the file by ended processes left half-done.
    static void removeAbandonedWrites(const std::string& file);

    const std::string& container() const { return m_container; }
    const std::vector<AccountStep>& steps() const { return m_steps; }
    // Going forward: the first step not yet completed. Undoing: one past the
    // step to undo next (the steps before it are undone from the last down).
    size_t next() const { return m_next; }
    void setNext(size_t next) { m_next = next; }
    // Whether a step failed and the steps done so far are being undone.
    bool undoing() const { return m_undoing; }
    void setUndoing(bool undoing) { m_undoing = undoing; }
    // Whether the step at next() has begun to change files (a move-out
    // records it once it has checked that nothing is in its way).
    bool started() const { return m_started; }
    void setStarted(bool started) { m_started = started; }

private:
    std::string m_container;
    std::vector<AccountStep> m_steps;
    size_t m_next = 0;
    bool m_undoing = false;
    bool m_started = false;
};

} // namespace igtarvo
