#pragma once
// What start-up does in SpringBoard after its hooks: the home-screen shortcut
// item (iOS 9 and later, with the shortcut-item library running inside
// SpringBoard), the subscription to Instagram's switch-accounts request, and
// the observer of the unlock announcement. All live as long as SpringBoard.

namespace igtarvo {

inline constexpr const char* kShortcutItemsLibraryPath = "/usr/lib/libShortcutItems.dylib";
inline constexpr const char* kShortcutItemType = "igk_account_switcher";

// Answers whether the shortcut item was added.
bool setUpSpringBoard();

} // namespace igtarvo
