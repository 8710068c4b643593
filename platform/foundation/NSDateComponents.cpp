#include "platform/foundation/NSDateComponents.h"

namespace platform {

OBJC_CLASS_LOAD(NSDateComponents)

void NSDateComponents::registerMethods(objc::ClassBuilder<NSDateComponents>& b)
{
    b.method<&NSDateComponents::year>("year")
        .method<&NSDateComponents::month>("month")
        .method<&NSDateComponents::weekOfMonth>("weekOfMonth")
        .method<&NSDateComponents::weekOfYear>("weekOfYear")
        .method<&NSDateComponents::day>("day")
        .method<&NSDateComponents::hour>("hour")
        .method<&NSDateComponents::minute>("minute")
        .method<&NSDateComponents::second>("second");
}

} // namespace platform
