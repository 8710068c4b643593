// The tweak library's one load-time initialiser: the start-up routine, run
// when the injection mechanism loads the library. (Its classes register
// themselves the same way, each from its own file.)

#include "platform/objc/ClassBuilder.h"
#include "tweak/Startup.h"

#include <string>

namespace {

igtarvo::StartupReport& loadReport()
{
    static auto* report = new igtarvo::StartupReport;
    return *report;
}

void igTarvoLoad()
{
    loadReport() = igtarvo::startUp();
}

} // namespace

OBJC_LIBRARY_LOAD(&igTarvoLoad)

// The rows of this process that start-up did not put in place, one line each:
// "Class selector not installed: reason". Read by the host programs' hook
// report (`igtarvo hooks PROCESS --all`) after the library has loaded.
extern "C" __attribute__((visibility("default"))) const char* igTarvoUninstalledHooks()
{
    static std::string lines;
    lines = igtarvo::describeUninstalledRows(loadReport());
    return lines.c_str();
}
