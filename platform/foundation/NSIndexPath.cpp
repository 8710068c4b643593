#include "platform/foundation/NSIndexPath.h"

namespace platform {

OBJC_CLASS_LOAD(NSIndexPath)

bool NSIndexPath::isEqual(id other) const
{
    if (!objc::object_isKindOfClass(other, staticClass()))
        return false;
    auto* p = static_cast<NSIndexPath*>(other);
    return p->m_section == m_section && p->m_row == m_row;
}

long NSIndexPath::compare(NSIndexPath* other) const
{
    if (!other)
        return 1;
    if (m_section != other->m_section)
        return m_section < other->m_section ? -1 : 1;
    if (m_row != other->m_row)
        return m_row < other->m_row ? -1 : 1;
    return 0;
}

RefPtr<NSString> NSIndexPath::description() const
{
    return ns("{length = 2, path = " + std::to_string(m_section) + " - " + std::to_string(m_row) + "}");
}

void NSIndexPath::registerMethods(objc::ClassBuilder<NSIndexPath>& b)
{
    b.classMethod<&NSIndexPath::indexPathForRow>("indexPathForRow:inSection:")
        .classMethod<&NSIndexPath::indexPathForItem>("indexPathForItem:inSection:")
        .method<&NSIndexPath::section>("section")
        .method<&NSIndexPath::row>("row")
        .method<&NSIndexPath::item>("item")
        .method<&NSIndexPath::isEqual>("isEqual:")
        .method<&NSIndexPath::compare>("compare:")
        .method<&NSIndexPath::description>("description");
}

} // namespace platform
