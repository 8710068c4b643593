#pragma once
// Where a repost lands: Instagram's share screen takes the waiting caption
// (TarvoCaptionManger) into its caption cell — "#Repost @user: caption", or
// the caption alone when no user name waits — the first time it asks for
// the cell, and drops it when it shares. Instagram's application delegate
// also takes "instagram://post?BASE64" addresses: the Base64 of a JSON
// object whose "text" becomes the caption of the settings bundle's share
// picture, handed to Instagram's share screen. Main thread.
//
//   IGShareViewController captionCell        Instagram's cell, then the caption
//   IGShareViewController setCaptionCell:    the caption, then Instagram's setter
//   IGShareViewController share              the waiting caption dropped, then Instagram's
//   AppDelegate application:openURL:sourceApplication:annotation:
//                                            the share address handled, then Instagram's
//   AppDelegate tarvo_setShareController: / tarvo_shareController
//                                            the document hand-off kept with the delegate

#include "core/Hooking.h"

#include <optional>
#include <string>

namespace igtarvo {

// The caption cell's text for a waiting caption and user name; nullopt when
// no caption waits (an empty caption is no caption).
std::optional<std::string> prefillText(const std::optional<std::string>& caption, const std::optional<std::string>& username);

// The "text" of an "instagram://post?BASE64" address (the Base64 of a JSON
// object with a "text" string), or nullopt for any other address or value.
std::optional<std::string> shareAddressText(id url);

HookRows repostHandOffRows();

} // namespace igtarvo
