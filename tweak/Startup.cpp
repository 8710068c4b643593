#include "tweak/Startup.h"
#include "platform/foundation/NSProcessInfo.h"
#include "tweak/HookTable.h"
#include "tweak/SpringBoardSetUp.h"

namespace igtarvo {

StartupReport startUpForProcess(const std::string& processName)
{
    StartupReport report;
    report.processName = processName;
    report.rows = hookRowsForProcess(processName);
    report.outcomes = installHooks(report.rows);
    if (processName == kSpringBoardProcess) {
        setUpSpringBoard();
        report.springBoardSetUp = true;
    }
    return report;
}

StartupReport startUp()
{
    auto name = platform::NSProcessInfo::processInfo()->processName();
    return startUpForProcess(name ? name->str() : std::string());
}

std::string describeUninstalledRows(const StartupReport& report)
{
    std::string lines;
    for (size_t i = 0; i < report.rows.size() && i < report.outcomes.size(); ++i) {
        if (report.outcomes[i] == InstallOutcome::Installed)
            continue;
        lines += std::string(report.rows[i].className) + " " + report.rows[i].selector + " not installed: " + notInstalledReason(report.outcomes[i]) + "\n";
    }
    return lines;
}

} // namespace igtarvo
