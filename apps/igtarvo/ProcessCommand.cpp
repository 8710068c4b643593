// igtarvo launch PROCESS | end PROCESS | device set KEY VALUE — running the
// device's host programs by hand, and changing the device's settings.

#include "apps/hosts/ControlChannel.h"
#include "apps/igtarvo/Command.h"
#include "apps/simulator/DeviceLayout.h"
#include "platform/foundation/DetachedProcess.h"
#include "platform/foundation/Device.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <thread>
#include <unistd.h>

using namespace igtarvo::cli;
using namespace std::chrono_literals;

namespace {

std::string pidFile(const std::string& process)
{
    return platform::Device::path("/var/run/igtarvo-processes/" + process + ".pid");
}

pid_t runningPid(const std::string& process)
{
    std::ifstream in(pidFile(process));
    pid_t pid = 0;
    if (!(in >> pid) || pid <= 0 || ::kill(pid, 0) != 0)
        return 0;
    return pid;
}

int launchCommand(const Invocation& inv)
{
    if (inv.args.size() != 1)
        return fail("launch: name one process: Instagram, SpringBoard, itunesstored, Preferences or igTarvoApp");
    const std::string& process = inv.args[0];
    std::string program = igtarvo::simulator::hostProgramPath(process);
    if (program.empty())
        return fail("launch: unknown process '" + process + "'");
    if (pid_t pid = runningPid(process)) {
        std::printf("%s is already running (process %d)\n", process.c_str(), pid);
        return 0;
    }
    // The host runs on after this command ends, with its output in the
    // device's log folder.
    std::string log = platform::Device::path("/var/log/" + process + ".log");
    pid_t pid = platform::startDetachedProcess(program, { process, "--root", inv.root }, log);
    if (!pid)
        return fail("launch: could not start " + program);
    for (int i = 0; i < 1000; ++i) {
        if (hosts::ControlChannel::send(process, "pid", 500)) {
            std::printf("%s is running (process %d)\n", process.c_str(), pid);
            return 0;
        }
        std::this_thread::sleep_for(10ms);
    }
    return fail("launch: " + process + " did not come up; see " + log);
}

int endCommand(const Invocation& inv)
{
    if (inv.args.size() != 1)
        return fail("end: name one process");
    pid_t pid = runningPid(inv.args[0]);
    if (!pid) {
        std::printf("%s is not running\n", inv.args[0].c_str());
        return 0;
    }
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 500 && ::kill(pid, 0) == 0; ++i)
        std::this_thread::sleep_for(10ms);
    if (::kill(pid, 0) == 0)
        ::kill(pid, SIGKILL);
    std::printf("%s ended (process %d)\n", inv.args[0].c_str(), pid);
    return 0;
}

}

IGTARVO_COMMAND("launch", "  launch PROCESS             start a host program on the device and wait until it answers", launchCommand);
IGTARVO_COMMAND("end", "  end PROCESS                end a running host program", endCommand);
