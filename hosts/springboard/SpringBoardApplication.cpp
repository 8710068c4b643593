#include "hosts/springboard/SpringBoardApplication.h"
#include "hosts/springboard/SBApplication.h"
#include "platform/foundation/Device.h"

#include <fcntl.h>
#include <fstream>
#include <spawn.h>

extern char** environ;

namespace hosts::springboard {

using namespace platform;

namespace {

// Starts the program in a session of its own, its output in the device's log
// folder; answers whether it started.
bool startProgram(const std::string& program, const std::string& name)
{
    std::string log = Device::path("/var/log/" + name + ".log");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::string root = Device::root();
    char* argv[] = { const_cast<char*>(name.c_str()), const_cast<char*>("--root"), root.data(), nullptr };
    pid_t pid;
    int error = posix_spawn(&pid, program.c_str(), &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    return error == 0;
}

}

OBJC_CLASS_DEFINE(SpringBoardApplication)

void SpringBoardApplication::registerMethods(objc::ClassBuilder<SpringBoardApplication>& b)
{
    b.method<&SpringBoardApplication::launchApplicationWithIdentifier>("launchApplicationWithIdentifier:suspended:");
}

bool SpringBoardApplication::launchApplicationWithIdentifier(NSString* bundleIdentifier, bool suspended)
{
    if (!bundleIdentifier)
        return false;
    auto application = objc::make<SBApplication>(bundleIdentifier->str());
    if (application->isRunning())
        return true;
    auto bundle = application->bundle();
    auto executable = bundle ? bundle->infoDictionary()->get("CFBundleExecutable") : nullptr;
    if (!isString(executable))
        return false;
    std::string name = str(executable);
    bool started = startProgram(str(bundle->bundlePath()) + "/" + name, name);
    std::ofstream(Device::path(kLaunchLogPath), std::ios::app)
        << bundleIdentifier->str() << (suspended ? " suspended" : "") << (started ? "" : " failed") << "\n";
    return started;
}

} // namespace hosts::springboard
