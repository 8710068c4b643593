#pragma once
// The processes of the device's applications, as SpringBoard and its
// daemons see them. A running host program records its process id in the
// device file "/var/run/igtarvo-processes/<name>.pid"; a process counts as
// running while that id names a live process of that name (not a zombie)
// that started at the recorded moment. Ending a process sends it SIGTERM and,
// if it is still there a moment later, SIGKILL; nothing waits for its exit.
// Every termination request is written to the device's termination log, as
// the phone's system log records them. Safe to use from any thread.

#include <string>
#include <sys/types.h>

namespace hosts::springboard {

// The device file that the log of termination requests is kept in.
inline constexpr const char* kTerminationLogPath = "/var/log/terminations.log";

// One process: its id and its start time, which tells it from a later
// process that reuses the id.
struct RunningProcess {
    pid_t pid = 0;
    unsigned long long startTime = 0;
    std::string name;
    explicit operator bool() const { return pid > 0; }
};

// The running process that recorded itself under this name; empty when none.
RunningProcess findRunningProcess(const std::string& name);
// Whether that very process still runs.
bool isStillRunning(const RunningProcess& process);
// Asks the process to end and makes sure it does, without waiting for it.
void endProcess(const RunningProcess& process);
// Appends one line to the termination log.
void logTermination(const std::string& line);

} // namespace hosts::springboard
