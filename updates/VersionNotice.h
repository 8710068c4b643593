#pragma once
// The unsupported-version notice, in SpringBoard: shown once when the
// installed Instagram is newer than the newest supported version, and again
// only after a check that found Instagram supported. Main thread.

#include "core/Hooking.h"

namespace igtarvo {

// The preference that remembers the notice was shown for the current
// unsupported state.
inline constexpr const char* kDidShowNotSupportedKey = "kDidShowNotSupported";
inline constexpr const char* kNoticeTitle = "igTarvo Information";

// Compares the installed Instagram with the answer of the supported-version
// query (a dictionary with "igVersion", or nil) and shows the notice if due.
void showUnsupportedVersionNoticeIfNeeded(RefPtr<Object> answer);

} // namespace igtarvo
