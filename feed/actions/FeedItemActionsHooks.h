#pragma once
// The actions menu of a feed post. Every action row of the feed
// (IGFeedItemActionCell) gets one more button, the size of Instagram's own
// "more" button and just left of it, hidden for advertisements; it opens
// "igTarvo Actions": Copy Caption, Repost (not for one's own posts), Save
// Media and Cancel. Main thread.
//
//   initWithFrame:                Instagram's, then addTarvoMoreActionsButton
//   layoutSubviews                Instagram's, then the button hidden for a
//                                 sponsored post and shown otherwise
//   tarvo_setShareController: / tarvo_shareController
//                                 the document hand-off kept with the row
//   setActionButton: / actionButton
//                                 the more-actions button kept with the row
//   addTarvoMoreActionsButton     makes the button once
//   tarvo_moreActions             builds and presents the menu
//   tarvo_image:didFinishSavingWithError:contextInfo:
//                                 the library save's completion: hides the bar
//
// Save Media on a photo fetches the picture off the main thread (see
// PhotoSaving.h); one that yields no picture ends with an error in the bar
// that hides by itself, and nothing is saved.

#include "core/Hooking.h"

namespace igtarvo {

// The menu's texts.
inline constexpr const char* kActionsMenuTitle = "igTarvo Actions";
inline constexpr const char* kActionsMenuMessage = "Select an action below";

HookRows feedItemActionRows();

// The address of the photo a row's post shows: the picture row of the same
// section when it is a photo row on screen, else the post's last photo
// version; nil when neither gives one. Main thread.
RefPtr<Object> resolvePhotoURL(id actionCell);

} // namespace igtarvo
