#pragma once
// Addresses that one program of the device opens in another: when an
// application asks the system to open an address whose scheme an installed
// app declares (its Info.plist's CFBundleURLTypes), the address is handed to
// that app's running process, whose application delegate receives it with
// the opener's bundle identifier as the source. Addresses no installed app
// declares stay with the opener's system, as before.

#include "apps/hosts/ControlChannel.h"

#include <map>
#include <string>

namespace hosts {

// Installs the forwarding in this host program and adds its receiving end,
// the control command "openurl URL [SOURCE]", to `commands`.
void installOpenURLForwarding(const std::string& processName, std::map<std::string, ControlCommand>& commands);

// The process name (CFBundleExecutable) of the installed app that declares
// the scheme, or "" when none does.
std::string processOpeningScheme(const std::string& scheme);

} // namespace hosts
