#pragma once
// The record of an account operation that moves files, written before it
// moves anything and kept up to date step by step, so that an operation cut
// short (its process killed between two moves) is completed by the next
// manager. Every step can be run again from its start with the same result,
// so completing means running the recorded step again and then the rest.
//
// The journal is one property-list file beside the account directories
// ("<base directory>.journal"), replaced atomically at every change.

#include <optional>
#include <string>
#include <vector>

namespace igtarvo {

struct AccountStep {
    enum class Kind {
        MoveOut,         // container -> account directory (fixed entries stay)
        MoveIn,          // account directory -> container
        CreateFresh,     // the fresh directories in the container
        Activate,        // account becomes the active one (none when empty)
        Discard,         // the account directory is removed
        RenameDirectory, // account directory -> directory of newName
        RenameEntry,     // the list entry and the active name follow the rename
    };
    Kind kind;
    std::optional<std::string> account; // plain name
    bool clear = false;                 // moves: clear existing destinations
    std::string newName;                // renames
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

    const std::string& container() const { return m_container; }
    const std::vector<AccountStep>& steps() const { return m_steps; }
    // The first step not yet completed.
    size_t next() const { return m_next; }
    void setNext(size_t next) { m_next = next; }

private:
    std::string m_container;
    std::vector<AccountStep> m_steps;
    size_t m_next = 0;
};

} // namespace igtarvo
