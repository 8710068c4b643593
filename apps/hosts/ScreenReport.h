#pragma once
// Control-channel commands shared by the host programs that show screens:
// reading what is on screen and acting on it as a user would (rows, bar
// buttons, alerts). Each runs on the main thread and lets transitions finish
// before it answers.

#include "apps/hosts/ControlChannel.h"
#include "platform/uikit/UIWindow.h"

#include <functional>

namespace hosts {

// Runs the main loop long enough for a started transition to end.
void settle();

// What the window shows above its root controller: "home screen", or the
// presented list (its sections, headers and rows) or alert (title, message,
// fields and actions), one item a line.
std::string describeScreen(platform::UIWindow* window);

// screen, tap-row, row-actions, row-action, tap-bar-button, type, choose —
// acting on what `window()` presents.
std::map<std::string, ControlCommand> screenCommands(std::function<objc::RefPtr<platform::UIWindow>()> window);

} // namespace hosts
