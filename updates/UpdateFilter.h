#pragma once
// The store update filter, in itunesstored: an offered Instagram
// update stays only when it offers exactly the newest supported version.

#include "core/Hooking.h"

#include <functional>

namespace igtarvo {

// The store's own completion block, handed on untouched.
using StoreMergeCompletion = std::function<void(id)>;

// SoftwareUpdatesStore _mergeAvailableUpdates:withCompletionBlock: (replaced).
HookRows updateFilterRows();

} // namespace igtarvo
