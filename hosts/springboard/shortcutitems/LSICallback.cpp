#include "hosts/springboard/shortcutitems/LSICallback.h"

namespace hosts::springboard {

OBJC_CLASS_DEFINE(LSICallback)

void LSICallback::registerMethods(objc::ClassBuilder<LSICallback>& b)
{
    b.classMethod<&LSICallback::callbackWithBlock>("callbackWithBlock:");
}

} // namespace hosts::springboard
