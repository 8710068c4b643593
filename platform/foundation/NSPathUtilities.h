#pragma once
// The running program's home folder and the standard folders inside it. An
// app's home is its data container: the program says where it is at start
// (setHomeDirectory); any other program's home is "/var/mobile" on the device.

#include "platform/foundation/NSValues.h"

#include <span>

#include <string>

namespace platform {

enum NSSearchPathDirectory : unsigned long { NSDocumentDirectory = 9, NSCachesDirectory = 13 };
enum NSSearchPathDomainMask : unsigned long { NSUserDomainMask = 1 };

// The home folder, a path on this machine.
std::string NSHomeDirectory();
void setHomeDirectory(const std::string& path);
// The folder of that kind in the home folder, as the one entry of an array
// (with expandTilde the path is absolute, as it always is here).
Ref<NSArray> NSSearchPathForDirectoriesInDomains(NSSearchPathDirectory directory, NSSearchPathDomainMask domains, bool expandTilde);
// The temporary folder of the home ("tmp", a path on this machine, ending
// in "/"), made when missing.
std::string NSTemporaryDirectory();
// The Documents folder of the home (a path on this machine).
std::string NSDocumentsDirectoryPath();
// Writes the bytes to a device path. Atomically: a temporary file in the
// same folder, flushed, then renamed over the target, so a reader sees the
// old file or the new one, never a part. False when anything fails (the
// temporary file is then removed).
bool NSDataWriteToFile(std::span<const uint8_t> bytes, const std::string& devicePath, bool atomically);
// The same for a path on this machine.
bool writeBytesToHostFile(std::span<const uint8_t> bytes, const std::string& hostPath, bool atomically);
// The last part of a path or address path ("clip.mp4" for "/v/clip.mp4").
std::string lastPathComponent(const std::string& path);

} // namespace platform
