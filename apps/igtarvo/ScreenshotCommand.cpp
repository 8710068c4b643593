// igtarvo screenshot PROCESS [-o FILE.png]: what a running host program's
// screen shows, as a PNG at the screen's scale. The host renders its windows
// into the device's /tmp; the picture is then moved where it was asked for
// (default: PROCESS-DATE-TIME.png in the current folder) and its path printed.

#include "apps/hosts/ControlChannel.h"
#include "apps/igtarvo/Command.h"
#include "platform/foundation/Device.h"

#include <cstdio>
#include <ctime>
#include <filesystem>

using namespace igtarvo::cli;
namespace fs = std::filesystem;

namespace {

std::string defaultName(const std::string& process)
{
    std::time_t now = std::time(nullptr);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&now));
    return process + "-" + stamp + ".png";
}

int screenshot(const Invocation& inv)
{
    std::string process, output;
    for (size_t i = 0; i < inv.args.size(); ++i) {
        if (inv.args[i] == "-o" || inv.args[i] == "--output") {
            if (i + 1 >= inv.args.size())
                return fail("screenshot: -o needs a file name");
            output = inv.args[++i];
        } else if (process.empty()) {
            process = inv.args[i];
        } else {
            return fail("screenshot: one process at a time ('" + inv.args[i] + "' is extra)");
        }
    }
    if (process.empty())
        return fail("screenshot: say which process, e.g. 'screenshot SpringBoard -o home.png'");
    if (output.empty())
        output = defaultName(process);
    auto reply = hosts::ControlChannel::send(process, "screenshot");
    if (!reply)
        return fail("screenshot: " + process + " is not running on this device");
    if (reply->rfind("error:", 0) == 0 || reply->empty())
        return fail("screenshot: " + process + " answered " + reply->substr(0, reply->find('\n')));
    std::string taken = platform::Device::path(reply->substr(0, reply->find('\n')));
    std::error_code ec;
    fs::rename(taken, output, ec);
    if (ec) {
        // Another file system: copy, then take the host's file away.
        ec.clear();
        fs::copy_file(taken, output, fs::copy_options::overwrite_existing, ec);
        fs::remove(taken);
        if (ec)
            return fail("screenshot: cannot write " + output + ": " + ec.message());
    }
    std::printf("%s\n", output.c_str());
    return 0;
}

} // namespace

IGTARVO_COMMAND("screenshot", "  screenshot PROCESS [-o FILE.png] what a running host's screen shows, as a PNG at the screen's scale", screenshot);
