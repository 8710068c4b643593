// The tweak library's one load-time initialiser: the start-up routine, run
// when the injection mechanism loads the library. (Its classes register
// themselves the same way, each from its own file.)

#include "platform/objc/ClassBuilder.h"
#include "tweak/Startup.h"

namespace {
void igTarvoLoad()
{
    igtarvo::startUp();
}
}

OBJC_LIBRARY_LOAD(&igTarvoLoad)
