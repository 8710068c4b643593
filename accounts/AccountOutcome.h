#pragma once
// What an account operation answers its caller: done (or nothing to do), or
// refused or undone with the reason, and what it had to leave where it was.
// A refused operation changed nothing; an undone one changed nothing either
// in the end: it started, a step failed, and every step taken was taken back.

#include <string>
#include <vector>

namespace igtarvo {

struct AccountOutcome {
    enum class Status {
        Done,      // the operation did what was asked
        Unchanged, // there was nothing to do (switching to the active account)
        Refused,   // checked before anything changed: nothing changed
        Undone,    // a step failed; everything the operation did was taken back
    };
    Status status = Status::Done;
    // Why it was refused or undone: one line, for a person.
    std::string reason;
    // Entries of an incoming account that could not take their place in the
    // container (it still held an entry of that name) and were set aside in
    // the account's directory instead: their paths there.
    std::vector<std::string> keptAside;
    // Things the operation found in its way and left where they were.
    std::vector<std::string> leftInPlace;

    bool succeeded() const { return status == Status::Done || status == Status::Unchanged; }
    static AccountOutcome refused(std::string why) { return { Status::Refused, std::move(why), {}, {} }; }
};

} // namespace igtarvo
