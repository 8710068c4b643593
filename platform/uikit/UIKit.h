#pragma once
// The kit as a whole: the kit's warning log — misuse that the platform answers with a console
// warning instead of a failure (presenting on a controller that already
// presents, for one) is printed and kept here for tests to read.

#include <chrono>
#include <string>
#include <vector>

namespace platform {

// Prints a warning on standard error and keeps it.
void UIKitWarn(const std::string& message);
// The warnings printed so far, oldest first.
std::vector<std::string> UIKitWarnings();
void UIKitClearWarnings();

// How long an animated transition (a presentation, a dismissal, a push or a
// pop) takes on the main loop. Unanimated ones finish on the next turn.
std::chrono::milliseconds UIKitTransitionDuration();

} // namespace platform
