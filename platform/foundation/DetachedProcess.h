#pragma once
// Starting a program that outlives its starter: in a session of its own, with
// no input and its output appended to a log file.

#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

// Starts program with arguments (argument zero included); answers its process
// id, or 0 when it could not start.
pid_t startDetachedProcess(const std::string& program, const std::vector<std::string>& arguments, const std::string& logFile);

} // namespace platform
