#pragma once
// SpringBoard's classes, as the stand-in SpringBoard builds them at start.

namespace hosts::springboard {

// Registers every SpringBoard class with the runtime (before the system loads).
void registerSpringBoardClasses();

} // namespace hosts::springboard
