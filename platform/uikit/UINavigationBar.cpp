#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/TextLayout.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIImage.h"

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
            m_items.emplace_back(*static_cast<UINavigationItem*>(item.get()));
    }
    setNeedsLayout();
}

void UINavigationBar::pushNavigationItem(UINavigationItem* item, bool)
{
    if (item)
        m_items.emplace_back(*item);
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

namespace {
// The text a bar button shows: its title, or its system item's word.
std::string buttonText(UIBarButtonItem* item)
{
    if (item->title())
        return item->title()->str();
    switch (item->systemItem()) {
    case UIBarButtonSystemItemDone: return "Done";
    case UIBarButtonSystemItemCancel: return "Cancel";
    case UIBarButtonSystemItemEdit: return "Edit";
    case UIBarButtonSystemItemSave: return "Save";
    case UIBarButtonSystemItemAdd: return "+";
    default: return "";
    }
}
}

void UINavigationBar::drawRect(CGRect)
{
    CGContextRef c = UIGraphicsGetCurrentContext();
    if (!c)
        return;
    CGRect b = bounds();
    // The bar's colour reaches up under the status bar.
    double under = frame().origin.y > 0 && frame().origin.y <= 20 ? frame().origin.y : 0;
    auto tint = barTintColor();
    CGContextSetFillColorWithColor(c, tint ? tint.get() : UIColor::colorWithWhite(0.97, 1).get());
    CGContextFillRect(c, CGRectMake(0, -under, b.size.width, b.size.height + under));
    CGContextSetFillColorWithColor(c, UIColor::colorWithWhite(0.7, 1).get());
    CGContextFillRect(c, CGRectMake(0, b.size.height - 0.5, b.size.width, 0.5));
    auto item = topItem();
    if (!item)
        return;
    TextStyle title;
    title.font = "HelveticaNeue-Bold";
    title.size = 17;
    title.alignment = 1;
    double black[4] = { 0, 0, 0, 1 };
    if (item->title())
        TextDraw(c->cairo(), item->title()->str(), title, CGRectMake(90, 0, b.size.width - 180, b.size.height), black);
    auto buttonTint = tintColor();
    double blue[4] = { buttonTint->red(), buttonTint->green(), buttonTint->blue(), buttonTint->alpha() };
    TextStyle button;
    button.size = 17;
    for (int side = 0; side < 2; ++side) {
        auto bar = side == 0 ? item->leftBarButtonItem() : item->rightBarButtonItem();
        if (!bar)
            continue;
        CGRect slot = side == 0 ? CGRectMake(8, 0, 90, b.size.height) : CGRectMake(b.size.width - 98, 0, 90, b.size.height);
        if (auto image = bar->image()) {
            CGSize s = image->size();
            double x = side == 0 ? slot.origin.x : CGRectGetMaxX(slot) - s.width;
            image->drawInRect(CGRectMake(x, (b.size.height - s.height) / 2, s.width, s.height));
            continue;
        }
        std::string text = buttonText(bar.get());
        button.alignment = side == 0 ? 0 : 2;
        button.size = text == "+" ? 26 : 17;
        TextDraw(c->cairo(), text, button, slot, blue);
    }
}

void UINavigationBar::registerMethods(objc::ClassBuilder<UINavigationBar>& b)
{
    b.method<&UINavigationBar::drawRect>("drawRect:")
        .method<&UINavigationBar::items>("items")
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
