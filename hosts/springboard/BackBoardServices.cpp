#include "hosts/springboard/BackBoardServices.h"
#include "hosts/springboard/FBApplicationProcess.h"
#include "hosts/springboard/SBApplicationController.h"
#include "platform/loader/HostSymbols.h"

namespace hosts::springboard {

void BKSTerminateApplicationForReasonAndReportWithDescription(platform::NSString* bundleIdentifier, int reason, bool report, platform::NSString* description)
{
    std::string bundle = bundleIdentifier ? bundleIdentifier->str() : "(null)";
    logTermination("BKSTerminateApplicationForReasonAndReportWithDescription bundle:" + bundle + " reason:" + std::to_string(reason)
        + " report:" + (report ? "YES" : "NO") + " description:" + platform::str(description));
    if (!bundleIdentifier)
        return;
    auto application = SBApplicationController::sharedInstance()->applicationWithBundleIdentifier(RefPtr<NSString>(bundleIdentifier));
    if (auto process = application ? application->process() : nullptr)
        endProcess(process->runningProcess());
}

void registerBackBoardServicesFunctions()
{
    platform::registerHostSymbol("BKSTerminateApplicationForReasonAndReportWithDescription",
        reinterpret_cast<void*>(&BKSTerminateApplicationForReasonAndReportWithDescription));
}

} // namespace hosts::springboard
