#pragma once
// The start-up routine: recognises the host process by its exact name and
// installs that process's hooks; in SpringBoard it then sets up the shortcut
// item and the notification subscriptions. Any other process gets nothing.

#include "core/Hooking.h"

#include <string>

namespace igtarvo {

// What start-up did in one process.
struct StartupReport {
    std::string processName;
    std::vector<HookRow> rows;            // the rows tried, in table order
    std::vector<InstallOutcome> outcomes; // one per row
    bool springBoardSetUp = false;
};

// Runs start-up for the named process.
StartupReport startUpForProcess(const std::string& processName);
// The load-time routine: start-up for the running process's own name.
StartupReport startUp();

// The rows that start-up did not put in place, in table order, one line each:
// "Class selector not installed: reason" (the reason as notInstalledReason
// words it).
std::string describeUninstalledRows(const StartupReport& report);

} // namespace igtarvo
