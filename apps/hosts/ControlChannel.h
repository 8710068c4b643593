#pragma once
// The host programs' control channel: how tests, the demo and the igtarvo
// command drive a running host as a user would (swipe, tap, press) and read
// what it shows. A host listens on a local stream socket named after the
// device and the process; a client sends one line — a command word and its
// arguments separated by spaces — and reads the reply until the host closes
// the connection. Commands run on the host's main thread, one at a time.
//
// Replies are plain text lines; a reply whose first line starts with "error:"
// reports a refused command. Every host also answers "idle" once nothing is
// left for it to do (no input waiting, no work queued, delayed or running).

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace hosts {

using ControlCommand = std::function<std::string(const std::vector<std::string>& args)>;

class ControlChannel {
public:
    // Starts listening for the named process of the current device; commands
    // are looked up in `commands` ("help" lists them).
    static bool listen(const std::string& processName, std::map<std::string, ControlCommand> commands);
    // Sends one command line to the named process; nullopt when no such host
    // answers within `timeoutMs`.
    static std::optional<std::string> send(const std::string& processName, const std::string& line, int timeoutMs = 30000);
};

} // namespace hosts
