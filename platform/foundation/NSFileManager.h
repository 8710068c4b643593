#pragma once
// File operations with the platform file manager's semantics, which differ
// from POSIX where it matters to callers that move whole folders around:
//  - a move never replaces an existing destination; across file systems it
//    copies (keeping modes, times and links) and then removes the source;
//  - creating a directory fails when anything exists at the path, with or
//    without intermediate directories;
//  - removal is recursive and never follows a symbolic link;
//  - the recursive enumerator is pre-order, answers paths relative to its
//    start, never descends through a symbolic link and can be told not to
//    descend into the entry it just answered.
// Every failure is a value (FileError) the caller can read. The file manager
// keeps no state; it may be used from any thread.

#include "platform/foundation/NSValues.h"

#include <string>
#include <vector>

namespace platform {

// The outcome of a file operation: empty (code 0) on success, else the error
// number and the path it concerns.
struct FileError {
    int code = 0;
    std::string path;

    // Whether the operation failed.
    explicit operator bool() const { return code != 0; }
    // "<path>: <reason>", or "" on success.
    std::string description() const;
};

// Walks a directory tree in pre-order, one entry per nextObject.
class NSDirectoryEnumerator : public NSObject {
    OBJC_CLASS(NSDirectoryEnumerator, NSObject)
public:
    NSDirectoryEnumerator() = default;
    explicit NSDirectoryEnumerator(std::string root);
    static void registerMethods(objc::ClassBuilder<NSDirectoryEnumerator>&);

    // The next entry's path relative to the start, or nil when the walk is
    // over. A directory is answered before its contents; its contents are
    // read when the walk reaches them, so a directory moved away meanwhile is
    // not entered.
    RefPtr<NSString> nextObject();
    // Keeps the walk out of the directory that nextObject answered last.
    void skipDescendants();

private:
    struct Level {
        std::string relative; // "" for the start
        std::vector<std::string> names;
        size_t next = 0;
    };
    bool enter(const std::string& relative);

    std::string m_root;
    std::vector<Level> m_levels;
    std::string m_pendingDirectory; // answered last, not yet entered
    bool m_hasPending = false;
};

// The listing of one directory: its entry names, sorted, or the error.
struct DirectoryListing {
    std::vector<std::string> names;
    FileError error;
};

class NSFileManager : public NSObject {
    OBJC_CLASS(NSFileManager, NSObject)
public:
    static void registerMethods(objc::ClassBuilder<NSFileManager>&);
    // The process's shared file manager.
    static RefPtr<NSFileManager> defaultManager();

    // Whether something exists at path, following a final symbolic link;
    // isDirectory (when given) tells whether it is a directory.
    bool fileExistsAtPath(const std::string& path, bool* isDirectory = nullptr) const;
    // Creates the directory with default attributes; fails (EEXIST) when
    // anything is at path already. With intermediates, missing parents are
    // created first.
    FileError createDirectoryAtPath(const std::string& path, bool withIntermediateDirectories) const;
    // Moves an entry (a file, a link or a whole directory); fails (EEXIST)
    // when the destination exists, leaving both untouched.
    FileError moveItemAtPath(const std::string& source, const std::string& destination) const;
    // Removes an entry and everything in it; a symbolic link is removed, not
    // followed. Fails (ENOENT) when nothing is there.
    FileError removeItemAtPath(const std::string& path) const;
    // The names in a directory, sorted.
    DirectoryListing contentsOfDirectoryAtPath(const std::string& path) const;
    // A pre-order walk of the tree under path; nothing when path is not a
    // readable directory or is a symbolic link (to a directory or not).
    RefPtr<NSDirectoryEnumerator> enumeratorAtPath(const std::string& path) const;
    // Removes, from a directory's top level, what a move across file systems
    // left when its process ended in the middle of it: a partial copy, or a
    // source whose complete copy had already taken its place. What a running
    // process is moving stays. Answers how many entries went.
    size_t removeAbandonedMoves(const std::string& directory) const;
};

} // namespace platform
