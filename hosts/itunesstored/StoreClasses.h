#pragma once
// itunesstored's classes, as the stand-in itunesstored builds them at start.

namespace hosts::itunesstored {

// Registers every itunesstored class with the runtime (before the system loads).
void registerStoreClasses();

} // namespace hosts::itunesstored
