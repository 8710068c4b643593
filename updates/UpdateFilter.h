#pragma once
// The store update filter (row 40, in itunesstored): an offered Instagram
// update stays only when it offers exactly the newest supported version.

#include "core/Hooking.h"

#include <functional>

namespace igtarvo {

// The store's own completion block, handed on untouched.
using StoreMergeCompletion = std::function<void(id)>;

extern Previous<void(id, StoreMergeCompletion)> g_SoftwareUpdatesStore_mergeAvailableUpdates;
void SoftwareUpdatesStore_mergeAvailableUpdates(id self, SEL _cmd, id updates, StoreMergeCompletion completion);

} // namespace igtarvo
