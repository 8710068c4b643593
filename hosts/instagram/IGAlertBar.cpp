#include "hosts/instagram/IGAlertBar.h"

#include "platform/dispatch/Dispatch.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"

namespace hosts::instagram {

using namespace platform;

OBJC_CLASS_DEFINE(IGAlertBar)

IGAlertBar::IGAlertBar()
    : m_label(UILabel::create())
{
    CGRect screen = UIScreen::mainScreen()->bounds();
    setFrame(CGRectMake(0, 0, screen.size.width, 44));
    setBackgroundColor(UIColor::colorWithWhite(0.15, 0.9).get());
    m_label->setFrame(CGRectMake(12, 0, screen.size.width - 24, 44));
    m_label->setTextColor(UIColor::whiteColor().get());
    m_label->setTextAlignment(NSTextAlignmentCenter);
    addSubview(m_label.get());
}

RefPtr<IGAlertBar> IGAlertBar::sharedAlertBar()
{
    static IGAlertBar* bar = objc::make<IGAlertBar>().leak();
    return RefPtr<IGAlertBar>(bar);
}

std::chrono::milliseconds IGAlertBar::automaticHideDelay() { return std::chrono::milliseconds(2000); }

void IGAlertBar::showWithText(NSString* text, long style)
{
    m_label->setText(text);
    m_style = style;
    ++m_generation;
    if (!isShown()) {
        if (auto window = UIApplication::sharedApplication()->keyWindow())
            window->addSubview(this);
    }
    if (m_hideAutomatically)
        scheduleHide();
}

void IGAlertBar::setHideAutomatically(bool on)
{
    m_hideAutomatically = on;
    ++m_generation;
    if (on && isShown())
        scheduleHide();
}

void IGAlertBar::scheduleHide()
{
    Ref<IGAlertBar> self(*this);
    unsigned generation = m_generation;
    dispatch_after(automaticHideDelay(), dispatch_get_main_queue(), [self, generation] {
        if (self->m_generation == generation && self->m_hideAutomatically)
            self->hide();
    });
}

void IGAlertBar::hide()
{
    ++m_generation;
    removeFromSuperview();
}

void IGAlertBar::registerMethods(objc::ClassBuilder<IGAlertBar>& b)
{
    b.classMethod<&IGAlertBar::sharedAlertBar>("sharedAlertBar")
        .method<&IGAlertBar::showWithText>("showWithText:style:")
        .method<&IGAlertBar::setHideAutomatically>("setHideAutomatically:")
        .method<&IGAlertBar::hideAutomatically>("hideAutomatically")
        .method<&IGAlertBar::textLabel>("textLabel")
        .method<&IGAlertBar::hide>("hide");
}

} // namespace hosts::instagram
