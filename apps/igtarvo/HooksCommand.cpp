// igtarvo hooks PROCESS: what the system changes in a host process's classes.

#include "apps/igtarvo/Command.h"
#include "apps/simulator/DeviceLayout.h"

#include <algorithm>
#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace igtarvo::cli;

namespace {

int hooksCommand(const Invocation& inv)
{
    std::vector<std::string> words = inv.args;
    bool all = false;
    if (auto it = std::find(words.begin(), words.end(), "--all"); it != words.end()) {
        all = true;
        words.erase(it);
    }
    if (words.size() != 1)
        return fail("hooks: name one process: Instagram, SpringBoard or itunesstored");
    const std::string& process = words[0];
    std::string program = igtarvo::simulator::hostProgramPath(process);
    if (program.empty())
        return fail("hooks: unknown process '" + process + "' (the device runs Instagram, SpringBoard and itunesstored)");
    if (!igtarvo::simulator::deviceExists(inv.root))
        return fail("no device at " + inv.root + " (make one with 'igtarvo device create')");
    std::fflush(stdout);
    std::string rootArg = inv.root;
    std::vector<char*> argv = { const_cast<char*>(process.c_str()), const_cast<char*>("--root"), rootArg.data(), const_cast<char*>("--print-hook-changes") };
    if (all)
        argv.push_back(const_cast<char*>("--print-uninstalled-hooks"));
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return fail("hooks: could not start " + program);
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}

IGTARVO_COMMAND("hooks", "  hooks PROCESS [--all]      start PROCESS on the device and list what the system changed in its classes;\n"
                         "                             --all then lists each of its hooks that did not install, and why", hooksCommand);
