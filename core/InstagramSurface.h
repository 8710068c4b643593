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

// Feed display -----------------------------------------------------------

// The post an Instagram view or cell shows (`feedItem`), or nil.
RefPtr<Object> feedItem(id object);
// When a post was taken (`takenAt`), or nil.
RefPtr<Object> takenAt(id feedItem);
// A post's number of likes (`likeCount`), or 0.
long likeCount(id feedItem);
// The date a time-stamp header view shows (`timestamp`), or nil.
RefPtr<Object> timestamp(id timeStampHeaderView);
// Whether a text cell answers `cellType`, and its kind (0 for a caption row).
bool answersCellType(id textCell);
long cellType(id textCell);
// Turns a text cell's time stamp on or off (`setShowTimeStamp:`).
void setShowTimeStamp(id textCell, bool shown);
// A cell's delegate, or nil when it answers no `delegate`.
RefPtr<Object> delegate(id cell);
// A core text view's styled string and its replacement.
RefPtr<Object> styledString(id coreTextView);
void setStyledString(id coreTextView, id styledString);
// A styled string's attributed string and its replacement.
RefPtr<Object> attributedString(id styledString);
void setAttributedString(id styledString, id attributedString);
// Replaces the characters of Instagram's likes text, keeping its attributes (`mf_setString:`).
void mf_setString(id attributedString, id text);
// The main feed's layout (1 or 2) and its change.
long feedLayout(id mainFeedViewController);
void setFeedLayout(id mainFeedViewController, long layout);
// The direct-message inbox store: the class's shared store where the class
// answers `sharedThreadStore`, else the signed-in session's
// (`IGAuthHelper` `sharedAuthHelper` `currentUserSession` `directThreadStore`).
RefPtr<Object> directThreadStore(Class threadStoreClass);
// Reloads the inbox (`refreshInbox`).
void refreshInbox(id threadStore);
// The running Instagram's bundle version (its Info.plist's CFBundleVersion)
// as an integer, read as the platform reads a text's integer value (leading
// decimal digits, saturating; 0 when there are none).
long bundleVersion();

// Media feedback and a post's video ---------------------------------------

// The shared alert bar (`IGAlertBar` `sharedAlertBar`): shows a text in a
// style (`showWithText:style:`), turns its hiding by itself on or off
// (`setHideAutomatically:`), replaces its text (`textLabel` `setText:`), hides (`hide`).
void showAlertBar(const std::string& text, long style);
void setAlertBarHidesAutomatically(bool on);
void setAlertBarText(const std::string& text);
void hideAlertBar();
// The shared HUD (`IGAlertHUD` `sharedHUD`) shows a text in a view, taken
// away after a moment (`showWithText:inView:removeAfterDelay:animated:`).
void showHUD(const std::string& text, id view);
// The address of a post's video for the current network conditions:
// `videoURLForVideoVersion:` with `IGVideo`'s `videoVersionForCurrentNetworkConditions`; nil when missing.
RefPtr<Object> videoURL(id video);

// The tab bar controller's profile tab button (its "_profileButton" field), or nil.
RefPtr<Object> profileButton(id tabBarController);

// Sends Instagram to the background: the application's suspendReturningToLastApp: with no.
void suspendToBackground();

} // namespace igtarvo::instagram
