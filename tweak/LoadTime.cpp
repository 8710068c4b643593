// The tweak library's one load-time initialiser.

#include "tweak/Startup.h"

namespace {
__attribute__((constructor)) void igTarvoLoad()
{
    igtarvo::startUp();
}
}
