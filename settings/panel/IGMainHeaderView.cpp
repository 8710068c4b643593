#include "settings/panel/IGMainHeaderView.h"
#include "platform/foundation/Device.h"
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

RefPtr<Object> IGMainHeaderView::init()
{
    initWithFrame(CGRectZero);
    m_headerLabel = makeLabel(kHeaderLine, isPad() ? 40 : 32, 1);
    m_subHeaderLabel = makeLabel(kHeaderSubline, isPad() ? 18 : 14, 1);
    m_randomLabel = makeLabel(kHeaderThirdLine, 12, 2);
    for (auto* label : { m_headerLabel.get(), m_subHeaderLabel.get(), m_randomLabel.get() })
        addSubview(label);
    return RefPtr<Object>(this);
}

// The labels are centred across the view, each at its natural size: the
// first 10 points below the top, each next one 5 points below the one before.
void IGMainHeaderView::layoutSubviews()
{
    double width = bounds().size.width;
    double y = 10;
    for (auto* label : { m_headerLabel.get(), m_subHeaderLabel.get(), m_randomLabel.get() }) {
        if (!label)
            continue;
        CGSize size = label->sizeThatFits(CGSize { 10000, 10000 });
        label->setFrame(CGRectMake((width - size.width) / 2, y, size.width, size.height));
        y += size.height + 5;
    }
}

void IGMainHeaderView::registerMethods(objc::ClassBuilder<IGMainHeaderView>& b)
{
    b.method<&IGMainHeaderView::init>("init")
        .method<&IGMainHeaderView::headerLabel>("headerLabel")
        .method<&IGMainHeaderView::subHeaderLabel>("subHeaderLabel")
        .method<&IGMainHeaderView::randomLabel>("randomLabel")
        .method<&IGMainHeaderView::layoutSubviews>("layoutSubviews");
}

} // namespace igtarvo::panel
