#include "hosts/instagram/IGFeedItemHeader.h"

namespace hosts::instagram {

using namespace platform;

OBJC_CLASS_DEFINE(IGFeedItemHeader)

void IGFeedItemHeader::registerMethods(objc::ClassBuilder<IGFeedItemHeader>& b)
{
    b.method<&IGFeedItemHeader::feedItem>("feedItem")
        .method<&IGFeedItemHeader::timestampLabel>("timestampLabel")
        .method<&IGFeedItemHeader::timestampButton>("timestampButton");
}

Ref<IGFeedItemHeader> IGFeedItemHeader::create(id feedItem)
{
    auto header = objc::make<IGFeedItemHeader>();
    objc::send<RefPtr<UIView>(CGRect)>(header, "initWithFrame:", CGRectMake(0, 0, 320, 44));
    header->m_feedItem = feedItem;
    return header;
}

RefPtr<UILabel> IGFeedItemHeader::timestampLabel()
{
    if (!m_label) {
        m_label = UILabel::create(CGRectMake(200, 12, 112, 20));
        addSubview(m_label.get());
    }
    m_label->setText(ns("RECENTLY").get());
    return m_label;
}

RefPtr<UIButton> IGFeedItemHeader::timestampButton()
{
    if (!m_button) {
        m_button = UIButton::buttonWithType(0);
        addSubview(m_button.get());
    }
    m_button->setTitle(ns("RECENTLY").get(), UIControlStateNormal);
    return m_button;
}

} // namespace hosts::instagram
