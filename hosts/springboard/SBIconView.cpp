#include "hosts/springboard/SBIconView.h"
#include "hosts/springboard/SBApplicationIcon.h"
#include "hosts/springboard/HomeArtwork.h"
#include "platform/foundation/Device.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImageView.h"

namespace hosts::springboard {

using namespace platform;

OBJC_CLASS_DEFINE(SBIconView)

SBIconView::SBIconView() = default;

void SBIconView::registerMethods(objc::ClassBuilder<SBIconView>& b)
{
    b.method<&SBIconView::icon>("icon").method<&SBIconView::updateLabel>("_updateLabel");
}

Ref<SBIconView> SBIconView::create(SBApplicationIcon* icon, CGRect frame)
{
    auto view = objc::make<SBIconView>();
    view->setFrame(frame);
    view->m_icon = icon;
    // The icon's picture, then its label in white below it.
    auto* application = static_cast<SBApplicationIcon*>(icon);
    auto picture = UIImageView::create(homeIconImage(str(application->applicationBundleID())).get());
    picture->setFrame(CGRectMake(0, 0, frame.size.width, frame.size.width));
    view->addSubview(picture.get());
    view->m_label = UILabel::create(CGRectMake(-8, frame.size.height - 14, frame.size.width + 16, 14));
    view->m_label->setFont(UIFont::systemFontOfSize(12).get());
    view->m_label->setTextColor(UIColor::whiteColor().get());
    view->m_label->setTextAlignment(NSTextAlignmentCenter);
    // The label takes no touches: a touch on it is a touch on the icon.
    view->m_label->setUserInteractionEnabled(false);
    view->addSubview(view->m_label.get());
    objc::send<void>(view, "_updateLabel");
    return view;
}

void SBIconView::updateLabel()
{
    RefPtr<NSString> name;
    if (NSFoundationVersionNumber() >= NSFoundationVersionNumber_iOS_9_0)
        name = objc::send<RefPtr<NSString>(long)>(m_icon, "displayNameForLocation:", 0);
    else
        name = objc::send<RefPtr<NSString>>(m_icon, "displayName");
    m_label->setText(name.get());
    ++m_labelDraws;
}

} // namespace hosts::springboard
