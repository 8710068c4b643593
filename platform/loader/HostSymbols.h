#pragma once
// The C functions a host program exports, found by name the way the dynamic
// loader finds them for a library injected into that host. A host registers
// each function it exports when it builds its classes; a library looks one up
// by name and answers nothing when the host does not have it. Safe to use
// from any thread.

#include <string>

namespace platform {

// Makes a host function findable under name (a later registration replaces it).
void registerHostSymbol(const std::string& name, void* address);
// The address registered under name, or nullptr.
void* lookUpHostSymbol(const std::string& name);

} // namespace platform
