#include "hosts/instagram/IGAlertHUD.h"

#include "platform/dispatch/Dispatch.h"
#include "platform/uikit/UIColor.h"

namespace hosts::instagram {

using namespace platform;

OBJC_CLASS_DEFINE(IGAlertHUD)

IGAlertHUD::IGAlertHUD()
    : m_label(UILabel::create(CGRectMake(0, 0, 160, 100)))
{
    setFrame(CGRectMake(0, 0, 160, 100));
    setBackgroundColor(UIColor::colorWithWhite(0, 0.75).get());
    setUserInteractionEnabled(false);
    m_label->setTextColor(UIColor::whiteColor().get());
    m_label->setTextAlignment(NSTextAlignmentCenter);
    m_label->setNumberOfLines(0);
    addSubview(m_label.get());
}

RefPtr<IGAlertHUD> IGAlertHUD::sharedHUD()
{
    static IGAlertHUD* hud = objc::make<IGAlertHUD>().leak();
    return RefPtr<IGAlertHUD>(hud);
}

std::chrono::milliseconds IGAlertHUD::removalDelay() { return std::chrono::milliseconds(1500); }

void IGAlertHUD::showWithText(NSString* text, UIView* view, bool removeAfterDelay, bool)
{
    m_label->setText(text);
    m_shown.push_back(text ? text->str() : std::string());
    ++m_generation;
    if (!view)
        return;
    CGRect bounds = view->bounds();
    setFrame(CGRectMake((bounds.size.width - 160) / 2, (bounds.size.height - 100) / 2, 160, 100));
    view->addSubview(this);
    if (!removeAfterDelay)
        return;
    objc::Ref<IGAlertHUD> self(*this);
    unsigned generation = m_generation;
    dispatch_after(removalDelay(), dispatch_get_main_queue(), [self, generation] {
        if (self->m_generation == generation)
            self->removeFromSuperview();
    });
}

void IGAlertHUD::registerMethods(objc::ClassBuilder<IGAlertHUD>& b)
{
    b.classMethod<&IGAlertHUD::sharedHUD>("sharedHUD")
        .method<&IGAlertHUD::showWithText>("showWithText:inView:removeAfterDelay:animated:");
}

} // namespace hosts::instagram
