#include "hosts/springboard/activator/LAEvent.h"

namespace hosts::springboard {

OBJC_CLASS_DEFINE(LAEvent)

void LAEvent::registerMethods(objc::ClassBuilder<LAEvent>& b)
{
    b.classMethod<&LAEvent::eventWithName>("eventWithName:")
        .method<&LAEvent::name>("name")
        .method<&LAEvent::userInfo>("userInfo")
        .method<&LAEvent::setUserInfo>("setUserInfo:")
        .method<&LAEvent::isHandled>("isHandled")
        .method<&LAEvent::setHandled>("setHandled:");
}

} // namespace hosts::springboard
