#pragma once
// Control-channel commands of the programs that show settings pages (the
// Settings application and igTarvoApp): what the top page shows, and acting
// on it as a person would. Each runs on the main thread and lets transitions
// finish before it answers.
//
//   screen             the alert shown, else the top page: "page: TITLE", then
//                      its sections and rows ("  ROW: LABEL [on|off|button|link]")
//                      and footers; a composer or the help page by its kind
//   tap-row S R        tap a row of the top page
//   flip S R           flip the switch of a row of the top page
//   follow S R         tap the follow button of a credits row; answers what opened
//   tap-bar-button left|right
//   choose TITLE       choose an action of the alert or sheet shown
//   back               cancel the composer shown, else leave the top page
//   opened             every address the program asked to open, one a line

#include "apps/hosts/ControlChannel.h"
#include "platform/uikit/UIWindow.h"

#include <functional>

namespace hosts {

std::string describeSettingsScreen(platform::UIWindow* window);
std::map<std::string, ControlCommand> settingsCommands(std::function<objc::RefPtr<platform::UIWindow>()> window);

} // namespace hosts
