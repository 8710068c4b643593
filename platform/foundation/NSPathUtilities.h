#pragma once
// The running program's home folder and the standard folders inside it. An
// app's home is its data container: the program says where it is at start
// (setHomeDirectory); any other program's home is "/var/mobile" on the device.

#include "platform/foundation/NSValues.h"

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
// The last part of a path or address path ("clip.mp4" for "/v/clip.mp4").
std::string lastPathComponent(const std::string& path);

} // namespace platform
