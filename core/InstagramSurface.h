#pragma once
// Instagram's surface: every message the system sends to Instagram's own
// classes and objects, as typed helpers. Nothing else in the system names an
// Instagram message. A missing class or object answers nothing, zero or no.

#include "core/Hooking.h"

namespace igtarvo::instagram {

// Opens the main controller's camera on the photo library:
// presentCameraWithMetadata:openToLibrary: with yes where answered, else
// presentCameraWithMetadata:openWithState: with state 1, else nothing.
void presentCameraOnPhotoLibrary(id mainAppViewController);

} // namespace igtarvo::instagram
