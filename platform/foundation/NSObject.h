#pragma once
// The root of the platform's classes as foundation names it, and the runtime
// names every foundation header uses.

#include "platform/objc/ClassBuilder.h"

namespace platform {

using objc::id;
using objc::Object;
using objc::Ref;
using objc::RefPtr;
using NSObject = objc::Object;

// Deep equality of value objects (isEqual:), nil equal to nil.
bool isEqual(id a, id b);

} // namespace platform
