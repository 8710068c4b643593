#include "apps/hosts/HostProgram.h"
#include "apps/hosts/OpenURLForwarding.h"
#include "apps/hosts/Screenshot.h"
#include "apps/hosts/ClassSnapshot.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSProcessInfo.h"
#include "platform/loader/Injector.h"

#include <csignal>
#include <pthread.h>
#include <thread>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace hosts {

using platform::Device;

namespace {

// Ends the run loop when the program is asked to end (SIGTERM, SIGINT). The
// two signals are blocked in every thread, from the first moment on, and
// taken by one thread of their own: a request that comes while the program
// is still starting ends it as cleanly as a later one, and the run loop's
// lock is never taken inside a signal handler.
void endOnRequest()
{
    sigset_t requests;
    sigemptyset(&requests);
    sigaddset(&requests, SIGTERM);
    sigaddset(&requests, SIGINT);
    pthread_sigmask(SIG_BLOCK, &requests, nullptr);
    std::thread([requests] {
        int signal = 0;
        while (sigwait(&requests, &signal) != 0) { }
        platform::RunLoop::stop();
    }).detach();
}

} // namespace

std::string processIdFile(const std::string& processName)
{
    return Device::path("/var/run/igtarvo-processes/" + processName + ".pid");
}

int runHostProgram(int argc, char** argv, const HostProgram& program)
{
    endOnRequest();
    bool printHookChanges = false;
    bool printUninstalledHooks = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--root") == 0 && i + 1 < argc)
            Device::setRoot(argv[++i]);
        else if (std::strcmp(argv[i], "--print-hook-changes") == 0)
            printHookChanges = true;
        else if (std::strcmp(argv[i], "--print-uninstalled-hooks") == 0)
            printUninstalledHooks = true;
    }
    Device::putProgramsOnSearchPath();
    std::string name = platform::str(platform::NSProcessInfo::processInfo()->processName());

    program.registerClasses();
    ClassSnapshot before = ClassSnapshot::take();
    platform::InjectionReport report = platform::injectLibraries(name);
    for (auto& error : report.errors)
        std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());

    if (printHookChanges) {
        for (auto& change : ClassSnapshot::take().changesSince(before))
            std::printf("%s\n", change.c_str());
        if (printUninstalledHooks) {
            // The system's own account of what it did not put in place.
            using Report = const char* (*)();
            if (auto uninstalled = reinterpret_cast<Report>(dlsym(RTLD_DEFAULT, "igTarvoUninstalledHooks")))
                std::fputs(uninstalled(), stdout);
        }
        return report.errors.empty() ? 0 : 1;
    }

    // Recorded whole or not at all: a reader never sees half a process id.
    std::string pidFile = processIdFile(name);
    std::filesystem::create_directories(std::filesystem::path(pidFile).parent_path());
    std::string written = pidFile + ".new";
    std::ofstream(written) << ::getpid() << "\n";
    std::filesystem::rename(written, pidFile);

    auto commands = program.commands;
    commands["pid"] = [](const std::vector<std::string>&) { return std::to_string(::getpid()) + "\n"; };
    // screenshot: the screen as a PNG in the device's /tmp; answers its device path.
    commands["screenshot"] = [name](const std::vector<std::string>&) -> std::string {
        static int taken = 0;
        std::string path = "/tmp/screenshot-" + name + "-" + std::to_string(::getpid()) + "-" + std::to_string(++taken) + ".png";
        std::filesystem::create_directories(platform::Device::path("/tmp"));
        if (!writeScreenshot(path))
            return "error: nothing on screen to take\n";
        return path + "\n";
    };
    installOpenURLForwarding(name, commands);
    ControlChannel::listen(name, std::move(commands));

    platform::dispatch_async(platform::dispatch_get_main_queue(), program.launch);
    platform::RunLoop::run();

    std::filesystem::remove(pidFile);
    // An ended app goes away as on the phone: at once, without unwinding the
    // program's globals under the threads (transfers, services, queues) that
    // may still use them.
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace hosts
