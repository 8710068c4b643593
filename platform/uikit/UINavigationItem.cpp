#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIView.h"

namespace platform {

OBJC_CLASS_LOAD(UINavigationItem)

UINavigationItem::UINavigationItem() = default;
UINavigationItem::~UINavigationItem() = default;

Ref<UINavigationItem> UINavigationItem::create(const std::string& title)
{
    auto item = objc::make<UINavigationItem>();
    if (!title.empty())
        item->m_title = ns(title);
    return item;
}

RefPtr<UINavigationItem> UINavigationItem::initWithTitle(NSString* title)
{
    m_title = title;
    return RefPtr<UINavigationItem>(this);
}

RefPtr<UIView> UINavigationItem::titleView() const
{
    return RefPtr<UIView>(static_cast<UIView*>(m_titleView.get()));
}

void UINavigationItem::setTitleView(UIView* view)
{
    m_titleView = view;
}

namespace {
RefPtr<UIBarButtonItem> firstItem(const std::vector<Ref<Object>>& items)
{
    return items.empty() ? nullptr : RefPtr<UIBarButtonItem>(static_cast<UIBarButtonItem*>(items.front().get()));
}

std::vector<Ref<Object>> barItemsOf(NSArray* items)
{
    std::vector<Ref<Object>> list;
    if (!items)
        return list;
    for (auto& item : items->items()) {
        if (objc::object_isKindOfClass(item.get(), UIBarButtonItem::staticClass()))
            list.push_back(item);
    }
    return list;
}
}

RefPtr<UIBarButtonItem> UINavigationItem::leftBarButtonItem() const { return firstItem(m_left); }
RefPtr<UIBarButtonItem> UINavigationItem::rightBarButtonItem() const { return firstItem(m_right); }

void UINavigationItem::setLeftBarButtonItem(UIBarButtonItem* item)
{
    m_left.clear();
    if (item)
        m_left.emplace_back(*item);
}

void UINavigationItem::setRightBarButtonItem(UIBarButtonItem* item)
{
    m_right.clear();
    if (item)
        m_right.emplace_back(*item);
}

RefPtr<NSArray> UINavigationItem::leftBarButtonItems() const { return m_left.empty() ? nullptr : RefPtr<NSArray>(NSArray::create(m_left)); }
RefPtr<NSArray> UINavigationItem::rightBarButtonItems() const { return m_right.empty() ? nullptr : RefPtr<NSArray>(NSArray::create(m_right)); }
void UINavigationItem::setLeftBarButtonItems(NSArray* items) { m_left = barItemsOf(items); }
void UINavigationItem::setRightBarButtonItems(NSArray* items) { m_right = barItemsOf(items); }

RefPtr<UIBarButtonItem> UINavigationItem::backBarButtonItem() const
{
    return RefPtr<UIBarButtonItem>(static_cast<UIBarButtonItem*>(m_back.get()));
}

void UINavigationItem::setBackBarButtonItem(UIBarButtonItem* item)
{
    m_back = item;
}

void UINavigationItem::registerMethods(objc::ClassBuilder<UINavigationItem>& b)
{
    b.method<&UINavigationItem::initWithTitle>("initWithTitle:")
        .method<&UINavigationItem::title>("title")
        .method<&UINavigationItem::setTitle>("setTitle:")
        .method<&UINavigationItem::titleView>("titleView")
        .method<&UINavigationItem::setTitleView>("setTitleView:")
        .method<&UINavigationItem::leftBarButtonItem>("leftBarButtonItem")
        .method<&UINavigationItem::setLeftBarButtonItem>("setLeftBarButtonItem:")
        .method<&UINavigationItem::setLeftBarButtonItemAnimated>("setLeftBarButtonItem:animated:")
        .method<&UINavigationItem::leftBarButtonItems>("leftBarButtonItems")
        .method<&UINavigationItem::setLeftBarButtonItems>("setLeftBarButtonItems:")
        .method<&UINavigationItem::rightBarButtonItem>("rightBarButtonItem")
        .method<&UINavigationItem::setRightBarButtonItem>("setRightBarButtonItem:")
        .method<&UINavigationItem::setRightBarButtonItemAnimated>("setRightBarButtonItem:animated:")
        .method<&UINavigationItem::rightBarButtonItems>("rightBarButtonItems")
        .method<&UINavigationItem::setRightBarButtonItems>("setRightBarButtonItems:")
        .method<&UINavigationItem::backBarButtonItem>("backBarButtonItem")
        .method<&UINavigationItem::setBackBarButtonItem>("setBackBarButtonItem:")
        .method<&UINavigationItem::hidesBackButton>("hidesBackButton")
        .method<&UINavigationItem::setHidesBackButton>("setHidesBackButton:");
}

} // namespace platform
