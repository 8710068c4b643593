#pragma once
// Instagram's classes, as the stand-in Instagram builds them at start.

namespace hosts::instagram {

// Registers every Instagram class with the runtime (before the system loads).
void registerInstagramClasses();

} // namespace hosts::instagram
