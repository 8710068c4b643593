// igtarvo control PROCESS COMMAND...: one command to a running host program.

#include "apps/hosts/ControlChannel.h"
#include "apps/igtarvo/Command.h"

#include <cstdio>

using namespace igtarvo::cli;

namespace {

int controlCommand(const Invocation& inv)
{
    if (inv.args.size() < 2)
        return fail("control: say which process and what to do, e.g. 'control SpringBoard help'");
    std::string line;
    for (size_t i = 1; i < inv.args.size(); ++i)
        line += (i > 1 ? " " : "") + inv.args[i];
    auto reply = hosts::ControlChannel::send(inv.args[0], line);
    if (!reply)
        return fail("control: " + inv.args[0] + " is not running on this device");
    std::fputs(reply->c_str(), stdout);
    return reply->rfind("error:", 0) == 0 ? 1 : 0;
}

}

IGTARVO_COMMAND("control", "  control PROCESS COMMAND... send one command to a running host program ('help' lists them)", controlCommand);
