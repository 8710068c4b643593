#pragma once
// Instagram's surface for the feed's actions: the messages the system sends
// to a post, to the rows that show it, to the signed-in user, to the share
// screen's caption cell and to the video view, as typed helpers. Nothing
// else in the system names these messages. A missing class or object
// answers nothing, zero or no. Main thread unless said otherwise.

#include "core/Hooking.h"

#include <string>

namespace igtarvo::instagram {

// A post ------------------------------------------------------------------------

// Non-nil for an advertisement (`sponsoredPostInfo`).
RefPtr<Object> sponsoredPostInfo(id feedItem);
// The post's caption object (`caption`), nil when it has none.
RefPtr<Object> caption(id feedItem);
// A caption's text (`text`), nil when missing. Any thread.
RefPtr<Object> captionText(id caption);
// 1 photo, 2 video, anything else neither (`mediaType`).
long mediaType(id feedItem);
// The poster (`user`).
RefPtr<Object> user(id feedItem);
// The post's video object (`video`).
RefPtr<Object> video(id feedItem);
// The address of the post's last photo version: `photo` `imageVersions`, the
// last dictionary's "url" made an NSURL; nil when any step is missing. Any thread.
RefPtr<Object> lastImageVersionURL(id feedItem);

// The rows of a post ---------------------------------------------------------------

// The action row's "more" button (`moreButton`).
RefPtr<Object> moreButton(id actionCell);
// The navigation controller the action row presents from (`navigationController`).
RefPtr<Object> navigationController(id actionCell);
// The address of the photo shown in the picture row of the same section as
// `cell` in the feed's collection view (`indexPathForCell:`, row 0 of that
// section with `cellForItemAtIndexPath:`, an `IGFeedItemPhotoCell`'s
// `photoView` `imageURL`); nil when the cell is not on screen or that row
// is not a photo row.
RefPtr<Object> photoURLInSameSection(id collectionView, id cell);
// A photo view's address (`imageURL`).
RefPtr<Object> imageURL(id photoView);
// A video view's video (its private "_video").
RefPtr<Object> videoOfView(id videoView);

// The signed-in user and sharing -------------------------------------------------

// `IGAuthHelper` `sharedAuthHelper` `currentUser`, or nil.
RefPtr<Object> currentUser();
// Whether two users are the same account (`isEqual:`); no when either is nil.
bool isSameUser(id user, id other);
// Writes a share screen caption cell's text (`setText:`).
void setCaptionCellText(id captionCell, const std::string& text);

} // namespace igtarvo::instagram
