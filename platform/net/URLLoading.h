#pragma once
// Reading the whole resource at an address, waiting for it: a file URL (a
// device path) or an HTTP(S) URL (a real transfer, 30 seconds at most).
// Any thread; blocks the caller.

#include "platform/foundation/NSValues.h"

namespace platform {

// The bytes at the URL (an NSURL), or nil when it cannot be read.
RefPtr<NSData> NSDataWithContentsOfURL(id url);

} // namespace platform
