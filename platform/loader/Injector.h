#pragma once
// The device's code-injection mechanism. Libraries to inject lie in
// "/Library/Injection/DynamicLibraries" as NAME.dylib beside NAME.plist, whose
// "Filter" dictionary names the processes ("Executables") that load it. A
// process asks for its libraries once, at start, before its own code uses its
// classes; each library's load-time routines then run in that process.

#include <string>
#include <vector>

namespace platform {

inline constexpr const char* kInjectionDirectory = "/Library/Injection/DynamicLibraries";

struct InjectionReport {
    std::vector<std::string> loaded; // device paths of the libraries loaded
    std::vector<std::string> errors; // one line per library that matched but did not load
};

// Loads every library whose filter names processName (exact, case-sensitive).
InjectionReport injectLibraries(const std::string& processName);

} // namespace platform
