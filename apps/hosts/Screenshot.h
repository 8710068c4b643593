#pragma once
// What the screen of a host program shows, as a picture: the key window and
// the windows above it, back to front, at the screen's scale, over black.
// Main thread.

#include "platform/uikit/UIImage.h"

#include <string>

namespace hosts {

// The screen now; nil when the process has no visible window.
objc::RefPtr<platform::UIImage> renderScreen();
// Renders the screen into a PNG file at a device path; false when nothing could be written.
bool writeScreenshot(const std::string& devicePath);

} // namespace hosts
