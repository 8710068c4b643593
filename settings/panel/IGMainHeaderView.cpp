#include "settings/panel/IGMainHeaderView.h"
#include "platform/foundation/Device.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "settings/panel/PanelTexts.h"

namespace igtarvo::panel {

using namespace platform;

OBJC_CLASS_LOAD(IGMainHeaderView)

bool isPad()
{
    return Device::stringSetting("DeviceIdiom") == "pad";
}

namespace {
Ref<UILabel> makeLabel(const char* text, double size, long lines)
{
    auto label = UILabel::create();
    label->setText(ns(text).get());
    label->setNumberOfLines(lines);
    label->setTextAlignment(NSTextAlignmentCenter);
    label->setBackgroundColor(UIColor::clearColor().get());
    label->setTextColor(UIColor::grayColor().get());
    label->setFont(UIFont::fontWithName(ns("HelveticaNeue-Light").get(), size).get());
    return label;
}
}

Ref<IGMainHeaderView> IGMainHeaderView::create()
{
    auto view = objc::make<IGMainHeaderView>();
    objc::send<RefPtr<Object>>(view, "init");
    return view;
}

// The labels keep their natural sizes; constraints centre each across the
// view and stack them: the first 10 points below the top, each next one 5
// points below the one before.
RefPtr<Object> IGMainHeaderView::init()
{
    initWithFrame(CGRectZero);
    m_headerLabel = makeLabel(kHeaderLine, isPad() ? 40 : 32, 1);
    m_subHeaderLabel = makeLabel(kHeaderSubline, isPad() ? 18 : 14, 1);
    m_randomLabel = makeLabel(kHeaderThirdLine, 12, 2);
    id above = this;
    long aboveAttribute = NSLayoutAttributeTop;
    double gap = 10;
    for (auto* label : { m_headerLabel.get(), m_subHeaderLabel.get(), m_randomLabel.get() }) {
        label->setTranslatesAutoresizingMaskIntoConstraints(false);
        addSubview(label);
        addConstraint(NSLayoutConstraint::constraintWithItem(label, NSLayoutAttributeCenterX, NSLayoutRelationEqual, this, NSLayoutAttributeCenterX, 1, 0).get());
        addConstraint(NSLayoutConstraint::constraintWithItem(label, NSLayoutAttributeTop, NSLayoutRelationEqual, above, aboveAttribute, 1, gap).get());
        above = label;
        aboveAttribute = NSLayoutAttributeBottom;
        gap = 5;
    }
    return RefPtr<Object>(this);
}

void IGMainHeaderView::registerMethods(objc::ClassBuilder<IGMainHeaderView>& b)
{
    b.method<&IGMainHeaderView::init>("init")
        .method<&IGMainHeaderView::headerLabel>("headerLabel")
        .method<&IGMainHeaderView::subHeaderLabel>("subHeaderLabel")
        .method<&IGMainHeaderView::randomLabel>("randomLabel");
}

} // namespace igtarvo::panel
