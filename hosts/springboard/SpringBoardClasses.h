#pragma once
// SpringBoard's classes, as the stand-in SpringBoard builds them at start.

namespace hosts::springboard {

// Where the optional shortcut-item library lies on a device that has it.
inline constexpr const char* kShortcutItemsLibrary = "/usr/lib/libShortcutItems.dylib";

// Registers every SpringBoard class with the runtime (before the system loads).
void registerSpringBoardClasses();

} // namespace hosts::springboard
