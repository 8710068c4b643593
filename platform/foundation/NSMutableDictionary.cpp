#include "platform/foundation/NSMutableDictionary.h"

namespace platform {

OBJC_CLASS_LOAD(NSMutableDictionary)

void NSMutableDictionary::set(const std::string& key, id object)
{
    if (object)
        m_entries.insert_or_assign(key, Ref<Object>(*object));
    else
        m_entries.erase(key);
}

void NSMutableDictionary::registerMethods(objc::ClassBuilder<NSMutableDictionary>& b)
{
    b.method<&NSMutableDictionary::setObjectForKey>("setObject:forKey:")
        .method<&NSMutableDictionary::removeObjectForKey>("removeObjectForKey:");
}

} // namespace platform
