// igtarvo: the simulated device, the account tool and the other tools for
// people and scripts.
//
//   igtarvo [--root DIR] COMMAND ...
//
// --root falls back to IGTARVO_ROOT, then to the embedded default device.

#include "apps/igtarvo/Command.h"
#include "platform/foundation/NSJSONSerialization.h"
#include "platform/foundation/Device.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace igtarvo::cli {

namespace {
std::vector<CommandInfo>& registry()
{
    static std::vector<CommandInfo> list;
    return list;
}

int usage(FILE* out)
{
    std::fprintf(out, "usage: igtarvo [--root DIR] COMMAND ...\n\ncommands:\n");
    for (auto& c : registry())
        std::fprintf(out, "%s\n", c.usage.c_str());
    return out == stderr ? 2 : 0;
}
}

void registerCommand(CommandInfo info) { registry().push_back(std::move(info)); }
const std::vector<CommandInfo>& commands() { return registry(); }

int fail(const std::string& message)
{
    std::fprintf(stderr, "igtarvo: %s\n", message.c_str());
    return 1;
}

std::string jsonString(const std::string& text)
{
    // The platform's JSON writer: every text is valid JSON, bytes that are
    // not UTF-8 included (they read as U+FFFD, as the platform's strings do).
    return platform::NSJSONSerialization::dataWithJSONObject(platform::ns(text).get()).value_or("\"\"");
}

} // namespace igtarvo::cli

int main(int argc, char** argv)
{
    using namespace igtarvo::cli;
    std::vector<std::string> words(argv + 1, argv + argc);
    std::string root;
    if (words.size() >= 2 && words[0] == "--root") {
        root = words[1];
        words.erase(words.begin(), words.begin() + 2);
    } else if (!words.empty() && words[0].rfind("--root=", 0) == 0) {
        root = words[0].substr(7);
        words.erase(words.begin());
    }
    if (words.empty())
        return usage(stderr);
    if (words[0] == "help" || words[0] == "--help")
        return usage(stdout);
    if (!root.empty())
        platform::Device::setRoot(root);
    for (auto& c : commands()) {
        if (c.name == words[0]) {
            Invocation inv { platform::Device::root(), { words.begin() + 1, words.end() } };
            try {
                return c.run(inv);
            } catch (const std::exception& e) {
                return fail(e.what());
            }
        }
    }
    fail("unknown command '" + words[0] + "'");
    return usage(stderr);
}
