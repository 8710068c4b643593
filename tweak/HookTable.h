#pragma once
// The hook table: every change the system makes to host classes, in one
// ordered list. Processes are recognised by exact, case-sensitive name.

#include "core/Hooking.h"

#include <vector>

namespace igtarvo {

inline constexpr const char* kInstagramProcess = "Instagram";
inline constexpr const char* kSpringBoardProcess = "SpringBoard";
inline constexpr const char* kStoreProcess = "itunesstored";

// The whole table, in order.
const std::vector<HookRow>& hookTable();

// The rows of one process, in table order (none for an unknown name).
std::vector<HookRow> hookRowsForProcess(const std::string& processName);

} // namespace igtarvo
