#include "platform/foundation/NSMutableArray.h"

#include <algorithm>

namespace platform {

OBJC_CLASS_LOAD(NSMutableArray)

void NSMutableArray::insertObject(id object, unsigned long index)
{
    if (object && index <= m_items.size())
        m_items.insert(m_items.begin() + long(index), Ref<Object>(*object));
}

void NSMutableArray::removeObjectAtIndex(unsigned long index)
{
    if (index < m_items.size())
        m_items.erase(m_items.begin() + long(index));
}

void NSMutableArray::replaceObjectAtIndex(unsigned long index, id object)
{
    if (object && index < m_items.size())
        m_items[index] = Ref<Object>(*object);
}

void NSMutableArray::removeObject(id object)
{
    std::erase_if(m_items, [object](const Ref<Object>& item) { return platform::isEqual(item.get(), object); });
}

void NSMutableArray::registerMethods(objc::ClassBuilder<NSMutableArray>& b)
{
    b.method<&NSMutableArray::addObject>("addObject:")
        .method<&NSMutableArray::insertObject>("insertObject:atIndex:")
        .method<&NSMutableArray::removeObjectAtIndex>("removeObjectAtIndex:")
        .method<&NSMutableArray::replaceObjectAtIndex>("replaceObjectAtIndex:withObject:")
        .method<&NSMutableArray::removeObject>("removeObject:")
        .method<&NSMutableArray::removeAllObjects>("removeAllObjects");
}

} // namespace platform
