#pragma once
// Running the device's host programs from tests: start one, wait until its
// control channel answers, send it commands, and find or end the processes
// SpringBoard starts on its own.

#include "apps/hosts/ControlChannel.h"
#include "apps/simulator/DeviceLayout.h"
#include "platform/foundation/Device.h"
#include "tests/support/Spawn.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <functional>
#include <thread>

namespace testsupport {

// Starts a host program on the current device and waits for its control channel.
inline ChildProgram startHost(const std::string& process)
{
    auto child = ChildProgram::start(igtarvo::simulator::hostProgramPath(process), process, { "--root", platform::Device::root() });
    for (int i = 0; i < 500; ++i) {
        if (hosts::ControlChannel::send(process, "pid", 1000))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return child;
}

// One command to a running host; "" when it does not answer.
inline std::string control(const std::string& process, const std::string& line)
{
    return hosts::ControlChannel::send(process, line).value_or("");
}

// Polls until `done` answers true or `limit` passes.
inline bool eventually(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(10))
{
    auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// The process id a running host recorded, or 0.
inline pid_t recordedPid(const std::string& process)
{
    std::ifstream in(platform::Device::path("/var/run/igtarvo-processes/" + process + ".pid"));
    pid_t pid = 0;
    in >> pid;
    return pid;
}

// Whether a process (not a zombie) with that id runs.
inline bool isAlive(pid_t pid)
{
    if (pid <= 0 || ::kill(pid, 0) != 0)
        return false;
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    auto close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] != 'Z';
}

// Ends a process that is not the test's own child.
inline void endProcess(pid_t pid)
{
    if (pid > 0 && ::kill(pid, SIGTERM) == 0)
        eventually([pid] { return !isAlive(pid); }, std::chrono::seconds(5));
}

} // namespace testsupport
