#pragma once
// What a person does with the stand-in Instagram's feed, as control-channel
// commands (posts are numbered from 1, top to bottom):
//
//   feed              the posts, one a line: number, kind, poster, caption,
//                     whether the more-actions button shows, whether the
//                     picture has loaded
//   scroll-to N       brings post N to the top of the screen
//   open-menu N       taps post N's more-actions button; answers the menu
//   menu              the menu on screen: title, message, each entry with its
//                     style, and whether the layout strip shows
//   tap-strip N       taps picture N (1-5) of the menu's layout strip
//   alert-bar         the alert bar: shown or hidden, style, text
//   hud               the HUD: shown or hidden, and every text it showed
//   share-caption     the caption of the share screen on top
//   share             taps the share screen's Share
//   press-photo N     presses and holds post N's photo
//   press-video N     presses and holds post N's video
//
// (choose TITLE, screen and the other screen commands come from ScreenReport.)
// Each runs on the main thread and lets transitions finish before it answers.

#include "apps/hosts/ControlChannel.h"
#include "platform/uikit/UIWindow.h"

#include <functional>
#include <map>

namespace hosts {

std::map<std::string, ControlCommand> instagramFeedCommands(std::function<objc::RefPtr<platform::UIWindow>()> window);

} // namespace hosts
