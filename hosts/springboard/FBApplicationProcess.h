#pragma once
// FrontBoard's record of one running application process. Whether instances
// answer `stop` depends on the platform (FrontBoard of iOS 9 has it, that of
// iOS 8 does not): the simulated device's setting decides, once, when the
// class is registered.

#include "hosts/springboard/RunningProcesses.h"
#include "platform/foundation/NSValues.h"

namespace hosts::springboard {

using objc::RefPtr;
using platform::NSString;

class FBApplicationProcess : public objc::Object {
    OBJC_CLASS(FBApplicationProcess, objc::Object)
public:
    FBApplicationProcess() = default;
    FBApplicationProcess(std::string bundleIdentifier, RunningProcess process)
        : m_bundleIdentifier(std::move(bundleIdentifier)), m_process(std::move(process)) { }
    static void registerMethods(objc::ClassBuilder<FBApplicationProcess>&);

    RefPtr<NSString> bundleIdentifier() const { return platform::ns(m_bundleIdentifier); }
    // The process id.
    int pid() const { return m_process.pid; }
    // The process this record stands for.
    const RunningProcess& runningProcess() const { return m_process; }
    // Whether the process is still there.
    bool isRunning() const { return isStillRunning(m_process); }
    // Ends the process; the request is logged with its reason and description.
    void killForReason(long reason, bool report, RefPtr<NSString> description);
    // Ends the process (only registered where the platform has it).
    void stop();

private:
    std::string m_bundleIdentifier;
    RunningProcess m_process;
};

} // namespace hosts::springboard
