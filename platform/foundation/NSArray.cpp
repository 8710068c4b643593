#include "platform/foundation/NSArray.h"

namespace platform {

OBJC_CLASS_LOAD(NSArray)

bool NSArray::isEqual(id other) const
{
    if (!objc::object_isKindOfClass(other, NSArray::staticClass()))
        return false;
    auto& theirs = static_cast<NSArray*>(other)->m_items;
    return std::equal(m_items.begin(), m_items.end(), theirs.begin(), theirs.end(),
        [](const Ref<Object>& a, const Ref<Object>& b) { return platform::isEqual(a.get(), b.get()); });
}

void NSArray::registerMethods(objc::ClassBuilder<NSArray>& b)
{
    b.method<&NSArray::count>("count")
        .method<&NSArray::objectAtIndex>("objectAtIndex:")
        .method<&NSArray::firstObject>("firstObject")
        .method<&NSArray::lastObject>("lastObject")
        .method<&NSArray::isEqual>("isEqual:");
}

} // namespace platform
