#pragma once
// The hook table: every change the system makes to host classes, in one
// ordered list joined from the rows each subsystem declares beside its
// replacements. Processes are recognised by exact, case-sensitive name.

#include "core/Hooking.h"

#include <string>
#include <vector>

namespace igtarvo {

// The whole table, in order.
const std::vector<HookRow>& hookTable();

// The rows of one process, in table order (none for an unknown name).
std::vector<HookRow> hookRowsForProcess(const std::string& processName);

} // namespace igtarvo
