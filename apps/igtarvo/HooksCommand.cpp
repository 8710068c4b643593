// igtarvo hooks PROCESS: what the system changes in a host process's classes.

#include "apps/igtarvo/Command.h"
#include "apps/simulator/DeviceLayout.h"

#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace igtarvo::cli;

namespace {

int hooksCommand(const Invocation& inv)
{
    if (inv.args.size() != 1)
        return fail("hooks: name one process: Instagram, SpringBoard or itunesstored");
    const std::string& process = inv.args[0];
    std::string program = igtarvo::simulator::hostProgramPath(process);
    if (program.empty())
        return fail("hooks: unknown process '" + process + "' (the device runs Instagram, SpringBoard and itunesstored)");
    if (!igtarvo::simulator::deviceExists(inv.root))
        return fail("no device at " + inv.root + " (make one with 'igtarvo device create')");
    std::fflush(stdout);
    std::string rootArg = inv.root;
    char* argv[] = { const_cast<char*>(process.c_str()), const_cast<char*>("--root"), rootArg.data(), const_cast<char*>("--print-hook-changes"), nullptr };
    pid_t pid;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0)
        return fail("hooks: could not start " + program);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}

IGTARVO_COMMAND("hooks", "  hooks PROCESS              start PROCESS on the device and list what the system changed in its classes", hooksCommand);
