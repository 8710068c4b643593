#pragma once
// What every host program does: take its device, build its classes, let the
// injection mechanism load the system, then run its main loop until it is
// ended. Run with --print-hook-changes it instead prints what the loaded
// system changed in its classes, one line per change, and exits.

#include "apps/hosts/ControlChannel.h"

#include <functional>
#include <map>
#include <string>

namespace hosts {

struct HostProgram {
    // Registers the host's classes with the runtime.
    std::function<void()> registerClasses;
    // The host's own start, after the system has loaded (on the main thread).
    std::function<void()> launch;
    // What the host's control channel answers (see ControlChannel.h).
    std::map<std::string, ControlCommand> commands;
};

// Runs the host program; answers the exit status.
int runHostProgram(int argc, char** argv, const HostProgram& program);

// The device file that holds a running host's process id.
std::string processIdFile(const std::string& processName);

} // namespace hosts
