#include "hosts/springboard/RunningProcesses.h"
#include "platform/foundation/Device.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace hosts::springboard {

using platform::Device;

namespace {

// How long a process may take to end on SIGTERM before it gets SIGKILL. The
// account operations pause 0.1 s after asking; this leaves them a dead process.
constexpr auto kGracePeriod = std::chrono::milliseconds(50);

struct ProcessState {
    bool exists = false;
    char state = '?';
    unsigned long long startTime = 0;
};

ProcessState readState(pid_t pid)
{
    ProcessState result;
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(in, line))
        return result;
    // "pid (comm) state ppid ..." where comm may hold spaces and parentheses.
    auto close = line.rfind(')');
    if (close == std::string::npos)
        return result;
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    for (int index = 3; fields >> field; ++index) {
        if (index == 3)
            result.state = field.empty() ? '?' : field[0];
        if (index == 22) {
            result.startTime = std::stoull(field);
            result.exists = true;
            break;
        }
    }
    return result;
}

std::string commandName(pid_t pid)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(in, name);
    return name;
}

bool isLive(const ProcessState& state) { return state.exists && state.state != 'Z' && state.state != 'X'; }

} // namespace

RunningProcess findRunningProcess(const std::string& name)
{
    std::ifstream in(Device::path("/var/run/igtarvo-processes/" + name + ".pid"));
    long pid = 0;
    if (!(in >> pid) || pid <= 0)
        return {};
    // The kernel keeps the first 15 bytes of a process name.
    if (commandName(pid_t(pid)) != name.substr(0, 15))
        return {};
    ProcessState state = readState(pid_t(pid));
    if (!isLive(state))
        return {};
    return { pid_t(pid), state.startTime, name };
}

bool isStillRunning(const RunningProcess& process)
{
    if (!process)
        return false;
    ProcessState state = readState(process.pid);
    return isLive(state) && state.startTime == process.startTime && commandName(process.pid) == process.name.substr(0, 15);
}

void endProcess(const RunningProcess& process)
{
    if (!isStillRunning(process))
        return;
    ::kill(process.pid, SIGTERM);
    std::thread([process] {
        std::this_thread::sleep_for(kGracePeriod);
        if (isStillRunning(process))
            ::kill(process.pid, SIGKILL);
    }).detach();
}

void logTermination(const std::string& line)
{
    std::string file = Device::path(kTerminationLogPath);
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(file).parent_path(), ec);
    std::ofstream(file, std::ios::app) << line << "\n";
}

} // namespace hosts::springboard
