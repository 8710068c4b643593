#include "hosts/instagram/IGTimeStampHeaderView.h"

namespace hosts::instagram {

using namespace platform;

OBJC_CLASS_DEFINE(IGTimeStampHeaderView)

void IGTimeStampHeaderView::registerMethods(objc::ClassBuilder<IGTimeStampHeaderView>& b)
{
    b.method<&IGTimeStampHeaderView::timestamp>("timestamp").method<&IGTimeStampHeaderView::timestampLabel>("timestampLabel");
}

Ref<IGTimeStampHeaderView> IGTimeStampHeaderView::create(double timestamp)
{
    auto view = objc::make<IGTimeStampHeaderView>();
    objc::send<RefPtr<UIView>(CGRect)>(view, "initWithFrame:", CGRectMake(0, 0, 320, 30));
    view->m_timestamp = NSDate::dateWithTimeIntervalSince1970(timestamp);
    return view;
}

RefPtr<UILabel> IGTimeStampHeaderView::timestampLabel()
{
    if (!m_label) {
        m_label = UILabel::create(CGRectMake(8, 6, 304, 18));
        addSubview(m_label.get());
    }
    m_label->setText(ns("RECENTLY").get());
    return m_label;
}

} // namespace hosts::instagram
