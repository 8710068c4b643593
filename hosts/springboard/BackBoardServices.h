#pragma once
// BackBoardServices' C function that ends an application, which SpringBoard
// exports to the libraries loaded into it.

#include "platform/foundation/NSValues.h"

namespace hosts::springboard {

// Ends the running application with this bundle identifier (nothing for nil
// or an application that does not run); logs the request.
void BKSTerminateApplicationForReasonAndReportWithDescription(platform::NSString* bundleIdentifier, int reason, bool report, platform::NSString* description);

// Makes the functions above findable by name in this process.
void registerBackBoardServicesFunctions();

} // namespace hosts::springboard
