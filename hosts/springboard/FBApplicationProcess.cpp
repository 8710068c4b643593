#include "hosts/springboard/FBApplicationProcess.h"
#include "platform/foundation/Device.h"

namespace hosts::springboard {

OBJC_CLASS_DEFINE(FBApplicationProcess)

void FBApplicationProcess::registerMethods(objc::ClassBuilder<FBApplicationProcess>& b)
{
    b.method<&FBApplicationProcess::bundleIdentifier>("bundleIdentifier")
        .method<&FBApplicationProcess::pid>("pid")
        .method<&FBApplicationProcess::isRunning>("isRunning")
        .method<&FBApplicationProcess::killForReason>("killForReason:andReport:withDescription:");
    if (platform::Device::boolSetting(platform::kSettingProcessesAnswerStop, true))
        b.method<&FBApplicationProcess::stop>("stop");
}

void FBApplicationProcess::killForReason(long reason, bool report, RefPtr<NSString> description)
{
    logTermination("FBApplicationProcess killForReason:" + std::to_string(reason) + " andReport:" + (report ? "YES" : "NO")
        + " withDescription:" + platform::str(description) + " bundle:" + m_bundleIdentifier + " pid:" + std::to_string(m_process.pid));
    endProcess(m_process);
}

void FBApplicationProcess::stop()
{
    logTermination("FBApplicationProcess stop bundle:" + m_bundleIdentifier + " pid:" + std::to_string(m_process.pid));
    endProcess(m_process);
}

} // namespace hosts::springboard
