#include "platform/foundation/NSData.h"

namespace platform {

OBJC_CLASS_LOAD(NSData)

bool NSData::isEqual(id other) const
{
    return objc::object_isKindOfClass(other, NSData::staticClass()) && static_cast<NSData*>(other)->m_bytes == m_bytes;
}

void NSData::registerMethods(objc::ClassBuilder<NSData>& b)
{
    b.method<&NSData::length>("length").method<&NSData::isEqual>("isEqual:");
}

} // namespace platform
