#include "platform/uikit/UIAlertAction.h"

namespace platform {

OBJC_CLASS_LOAD(UIAlertAction)

UIAlertAction::UIAlertAction() = default;
UIAlertAction::~UIAlertAction() = default;

Ref<UIAlertAction> UIAlertAction::actionWithTitle(NSString* title, long style, UIAlertActionHandler handler)
{
    auto action = objc::make<UIAlertAction>();
    action->m_title = title;
    action->m_style = style;
    action->m_handler = std::move(handler);
    return action;
}

Ref<UIAlertAction> UIAlertAction::create(const std::string& title, long style, UIAlertActionHandler handler)
{
    return actionWithTitle(ns(title).get(), style, std::move(handler));
}

void UIAlertAction::perform()
{
    Ref<UIAlertAction> keep(*this);
    if (m_handler) {
        auto handler = m_handler;
        handler(this);
    }
}

void UIAlertAction::registerMethods(objc::ClassBuilder<UIAlertAction>& b)
{
    b.classMethod<&UIAlertAction::actionWithTitle>("actionWithTitle:style:handler:")
        .method<&UIAlertAction::title>("title")
        .method<&UIAlertAction::style>("style")
        .method<&UIAlertAction::isEnabled>("isEnabled")
        .method<&UIAlertAction::setEnabled>("setEnabled:")
        .method<&UIAlertAction::handler>("handler");
}

} // namespace platform
