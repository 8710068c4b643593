#include "hosts/springboard/SpringBoardApplication.h"
#include "hosts/springboard/SBApplication.h"
#include "platform/foundation/Device.h"

#include "platform/foundation/DetachedProcess.h"

#include <fstream>

namespace hosts::springboard {

using namespace platform;

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
    std::string program = str(bundle->bundlePath()) + "/" + name;
    bool started = startDetachedProcess(program, { name, "--root", Device::root() }, Device::path("/var/log/" + name + ".log")) != 0;
    std::ofstream(Device::path(kLaunchLogPath), std::ios::app)
        << bundleIdentifier->str() << (suspended ? " suspended" : "") << (started ? "" : " failed") << "\n";
    return started;
}

} // namespace hosts::springboard
