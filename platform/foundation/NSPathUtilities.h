#pragma once
// The running program's home and standard folders, and writing bytes to a
// file. Paths are device paths (see Device). Any thread.

#include "platform/foundation/NSValues.h"

#include <span>
#include <string>

namespace platform {

// The program's home: what setHomeDirectory gave, else the data container
// the device records for the main bundle's identifier, else "/var/mobile".
std::string NSHomeDirectory();
void setHomeDirectory(const std::string& devicePath);

enum NSSearchPathDirectory : unsigned long {
    NSLibraryDirectory = 5,
    NSDocumentDirectory = 9,
    NSCachesDirectory = 13,
};
inline constexpr unsigned long NSUserDomainMask = 1;

// The folder of that kind in the home (one entry); expandTilde is ignored.
RefPtr<NSArray> NSSearchPathForDirectoriesInDomains(unsigned long directory, unsigned long domains, bool expandTilde);
// The Documents folder of the home, as a device path.
std::string NSDocumentsDirectoryPath();

// Writes the bytes to a device path. Atomically: a temporary file in the
// same folder, flushed, then renamed over the target, so a reader sees the
// old file or the new one, never a part. False when anything fails (the
// temporary file is then removed).
bool NSDataWriteToFile(std::span<const uint8_t> bytes, const std::string& devicePath, bool atomically);
// The same for a path on this machine (tools writing where a person asked).
bool writeBytesToHostFile(std::span<const uint8_t> bytes, const std::string& hostPath, bool atomically);

} // namespace platform
