#include "platform/uikit/UITableViewRowAction.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/uikit/UIColor.h"

namespace platform {

OBJC_CLASS_LOAD(UITableViewRowAction)

UITableViewRowAction::UITableViewRowAction() = default;
UITableViewRowAction::~UITableViewRowAction() = default;

Ref<UITableViewRowAction> UITableViewRowAction::rowActionWithStyle(long style, NSString* title, UITableViewRowActionHandler handler)
{
    auto action = objc::make<UITableViewRowAction>();
    action->m_style = style;
    action->m_title = title;
    action->m_handler = std::move(handler);
    action->m_backgroundColor = style == UITableViewRowActionStyleNormal ? UIColor::colorWithRed(0.78, 0.78, 0.8, 1) : UIColor::colorWithRed(1, 0.231, 0.188, 1);
    return action;
}

Ref<UITableViewRowAction> UITableViewRowAction::create(long style, const std::string& title, UITableViewRowActionHandler handler)
{
    return rowActionWithStyle(style, ns(title).get(), std::move(handler));
}

RefPtr<UIColor> UITableViewRowAction::backgroundColor() const
{
    return RefPtr<UIColor>(static_cast<UIColor*>(m_backgroundColor.get()));
}

void UITableViewRowAction::setBackgroundColor(UIColor* color)
{
    m_backgroundColor = color;
}

void UITableViewRowAction::perform(NSIndexPath* indexPath)
{
    Ref<UITableViewRowAction> keep(*this);
    if (m_handler) {
        auto handler = m_handler; // the handler may replace itself
        handler(this, indexPath);
    }
}

void UITableViewRowAction::registerMethods(objc::ClassBuilder<UITableViewRowAction>& b)
{
    b.classMethod<&UITableViewRowAction::rowActionWithStyle>("rowActionWithStyle:title:handler:")
        .method<&UITableViewRowAction::style>("style")
        .method<&UITableViewRowAction::title>("title")
        .method<&UITableViewRowAction::setTitle>("setTitle:")
        .method<&UITableViewRowAction::backgroundColor>("backgroundColor")
        .method<&UITableViewRowAction::setBackgroundColor>("setBackgroundColor:");
}

} // namespace platform
