#pragma once
// The home screen's pictures, drawn when SpringBoard starts: each app's icon
// (a rounded square in the app's colours with its glyph), the wallpaper and
// the status bar. Main thread.

#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIView.h"

#include <string>

namespace hosts::springboard {

// The icon of an app, 60 x 60 points at screen scale.
objc::RefPtr<platform::UIImage> homeIconImage(const std::string& bundleIdentifier);
// The wallpaper for a screen of that size.
objc::RefPtr<platform::UIImage> wallpaperImage(platform::CGSize size);
// A status bar (carrier, time, battery) as wide as the screen, 20 points tall.
objc::Ref<platform::UIView> statusBar(double width, bool darkText);

} // namespace hosts::springboard
