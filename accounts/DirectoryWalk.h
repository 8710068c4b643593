#pragma once
// The walk that moves an account's data between Instagram's data container
// and an account directory: every entry of the source goes to the same
// relative path under the destination. Entries are visited in pre-order; an
// entry that moved is not entered, and a directory that could not move is
// entered, when the destination has a real directory of that name, so that
// each of its entries is tried in the same way. So in the normal case every
// top-level entry moves whole, in one rename; and no entry ever moves through
// a symbolic link to somewhere else.

#include "platform/foundation/NSFileManager.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace igtarvo {

// The container's top-level entries that never move, nor anything in them.
inline constexpr std::array<const char*, 3> kFixedContainerEntries = {
    "iTunesMetadata.plist", "iTunesArtwork", ".com.apple.mobile_container_manager.metadata.plist"
};

// The directories an emptied container receives, in this order.
inline constexpr std::array<const char*, 6> kFreshContainerDirectories = {
    "tmp", "Documents", "StoreKit", "Library", "Library/Preferences", "Library/Caches"
};

struct WalkOptions {
    bool skipFixedEntries = false; // leave kFixedContainerEntries where they are
    bool clearDestination = false; // remove what is at the destination path first
    // Remove what is at the destination path first unless both it and the
    // source entry are real directories (which merge): a copy of the entry
    // that an interrupted move left there gives way to the entry itself.
    bool replaceCopies = false;
    // Top-level entries the walk leaves alone (an empty function leaves none).
    std::function<bool(const std::string& topLevelName)> skip;
};

// An entry that could not move and was not entered: it is still in the source.
struct LeftBehind {
    std::string relativePath;
    platform::FileError error;
};

// Moves the entries of source to destination and answers those that could
// not move. An entry that cannot move stays where it was.
std::vector<LeftBehind> walkDirectory(const platform::NSFileManager& fm, const std::string& source, const std::string& destination, const WalkOptions& options);

// Whether a path relative to the container's top is one of the fixed entries.
bool isFixedContainerEntry(const std::string& relativePath);

} // namespace igtarvo
