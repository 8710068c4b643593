#include "hosts/springboard/shortcutitems/LSIApplicationShortcutItem.h"

namespace hosts::springboard {

OBJC_CLASS_DEFINE(LSIApplicationShortcutItem)

void LSIApplicationShortcutItem::registerMethods(objc::ClassBuilder<LSIApplicationShortcutItem>& b)
{
    b.classMethod<&LSIApplicationShortcutItem::newShortcutItemType>("newShortcutItemType:title:subtitle:iconType:")
        .method<&LSIApplicationShortcutItem::setCallback>("setCallback:")
        .method<&LSIApplicationShortcutItem::type>("type")
        .method<&LSIApplicationShortcutItem::title>("title")
        .method<&LSIApplicationShortcutItem::subtitle>("subtitle")
        .method<&LSIApplicationShortcutItem::iconType>("iconType");
}

RefPtr<LSIApplicationShortcutItem> LSIApplicationShortcutItem::newShortcutItemType(NSString* type, NSString* title, NSString* subtitle, long iconType)
{
    auto item = objc::make<LSIApplicationShortcutItem>();
    item->m_type = type;
    item->m_title = title;
    item->m_subtitle = subtitle;
    item->m_iconType = iconType;
    return item;
}

} // namespace hosts::springboard
