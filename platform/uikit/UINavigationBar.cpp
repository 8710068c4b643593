#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UINavigationItem.h"

namespace platform {

OBJC_CLASS_LOAD(UINavigationBar)

UINavigationBar::UINavigationBar() = default;
UINavigationBar::~UINavigationBar() = default;

RefPtr<NSArray> UINavigationBar::items() const
{
    return NSArray::create(std::vector<Ref<Object>>(m_items.begin(), m_items.end()));
}

void UINavigationBar::setItems(NSArray* items)
{
    m_items.clear();
    if (!items)
        return;
    for (auto& item : items->items()) {
        if (objc::object_isKindOfClass(item.get(), UINavigationItem::staticClass()))
            m_items.emplace_back(static_cast<UINavigationItem*>(item.get()));
    }
    setNeedsLayout();
}

void UINavigationBar::pushNavigationItem(UINavigationItem* item, bool)
{
    if (item)
        m_items.emplace_back(item);
    setNeedsLayout();
}

RefPtr<UINavigationItem> UINavigationBar::popNavigationItemAnimated(bool)
{
    if (m_items.empty())
        return nullptr;
    RefPtr<UINavigationItem> top = m_items.back();
    m_items.pop_back();
    setNeedsLayout();
    return top;
}

RefPtr<UINavigationItem> UINavigationBar::topItem() const
{
    return m_items.empty() ? nullptr : RefPtr<UINavigationItem>(m_items.back());
}

RefPtr<UINavigationItem> UINavigationBar::backItem() const
{
    return m_items.size() < 2 ? nullptr : RefPtr<UINavigationItem>(m_items[m_items.size() - 2]);
}

RefPtr<UIColor> UINavigationBar::barTintColor() const
{
    return RefPtr<UIColor>(static_cast<UIColor*>(m_barTintColor.get()));
}

void UINavigationBar::setBarTintColor(UIColor* color)
{
    m_barTintColor = color;
}

void UINavigationBar::registerMethods(objc::ClassBuilder<UINavigationBar>& b)
{
    b.method<&UINavigationBar::items>("items")
        .method<&UINavigationBar::setItems>("setItems:")
        .method<&UINavigationBar::setItemsAnimated>("setItems:animated:")
        .method<&UINavigationBar::pushNavigationItem>("pushNavigationItem:animated:")
        .method<&UINavigationBar::popNavigationItemAnimated>("popNavigationItemAnimated:")
        .method<&UINavigationBar::topItem>("topItem")
        .method<&UINavigationBar::backItem>("backItem")
        .method<&UINavigationBar::barTintColor>("barTintColor")
        .method<&UINavigationBar::setBarTintColor>("setBarTintColor:")
        .method<&UINavigationBar::isTranslucent>("isTranslucent")
        .method<&UINavigationBar::setTranslucent>("setTranslucent:");
}

} // namespace platform
