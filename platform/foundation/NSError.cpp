#include "platform/foundation/NSError.h"

namespace platform {

OBJC_CLASS_LOAD(NSError)

void NSError::registerMethods(objc::ClassBuilder<NSError>& b)
{
    b.method<&NSError::domain>("domain")
        .method<&NSError::code>("code")
        .method<&NSError::localizedDescription>("localizedDescription");
}

} // namespace platform
