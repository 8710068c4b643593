#pragma once
// The `igtarvo` command's sub-commands. Each lives in a file of its own and
// registers itself with IGTARVO_COMMAND; main() picks one by its first word.

#include <functional>
#include <string>
#include <vector>

namespace igtarvo::cli {

struct Invocation {
    std::string root;               // the device root (--root, IGTARVO_ROOT or the default)
    std::vector<std::string> args;  // the words after the command's name
};

// Runs a command; answers the process's exit status.
using CommandFunction = std::function<int(const Invocation&)>;

struct CommandInfo {
    std::string name;
    std::string usage; // one line per form, for `igtarvo help`
    CommandFunction run;
};

void registerCommand(CommandInfo);
const std::vector<CommandInfo>& commands();

// Prints "igtarvo: <message>" on standard error and answers 1.
int fail(const std::string& message);

// Text as a JSON string literal (quoted and escaped).
std::string jsonString(const std::string& text);

} // namespace igtarvo::cli

#define IGTARVO_COMMAND_CONCAT2(a, b) a##b
#define IGTARVO_COMMAND_CONCAT(a, b) IGTARVO_COMMAND_CONCAT2(a, b)
#define IGTARVO_COMMAND(...) \
    static const bool IGTARVO_COMMAND_CONCAT(s_registered_, __LINE__) = (igtarvo::cli::registerCommand(igtarvo::cli::CommandInfo { __VA_ARGS__ }), true)
