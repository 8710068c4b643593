// The tweak library's one load-time initialiser.

#include "core/Startup.h"

namespace {
__attribute__((constructor)) void igTarvoLoad()
{
    igtarvo::startUp();
}
}
