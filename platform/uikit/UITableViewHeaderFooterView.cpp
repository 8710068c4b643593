#include "platform/uikit/UITableViewHeaderFooterView.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"

#include <cmath>

namespace platform {

OBJC_CLASS_LOAD(UITableViewHeaderFooterView)

UITableViewHeaderFooterView::UITableViewHeaderFooterView()
    : m_contentView(UIView::create())
{
    auto label = UILabel::create();
    label->setFont(UIFont::systemFontOfSize(14).get());
    label->setTextColor(UIColor::colorWithRed(0.427, 0.427, 0.447, 1).get());
    m_contentView->addSubview(label.get());
    m_textLabel = label;
    addSubview(m_contentView.get());
}

UITableViewHeaderFooterView::~UITableViewHeaderFooterView() = default;

Ref<UITableViewHeaderFooterView> UITableViewHeaderFooterView::create(const std::string& reuseIdentifier)
{
    auto view = objc::make<UITableViewHeaderFooterView>();
    objc::send<RefPtr<UITableViewHeaderFooterView>(NSString*)>(view, "initWithReuseIdentifier:", reuseIdentifier.empty() ? nullptr : ns(reuseIdentifier).get());
    return view;
}

RefPtr<UITableViewHeaderFooterView> UITableViewHeaderFooterView::initWithReuseIdentifier(NSString* identifier)
{
    UIView::initWithFrame(CGRectZero);
    m_reuseIdentifier = identifier;
    return RefPtr<UITableViewHeaderFooterView>(this);
}

RefPtr<UILabel> UITableViewHeaderFooterView::textLabel() const
{
    return RefPtr<UILabel>(static_cast<UILabel*>(m_textLabel.get()));
}

void UITableViewHeaderFooterView::layoutSubviews()
{
    CGRect b = bounds();
    m_contentView->setFrame(b);
    auto label = textLabel();
    double height = std::ceil(label->font()->lineHeight());
    label->setFrame(CGRectMake(15, std::max(0.0, b.size.height - height - 6), std::max(0.0, b.size.width - 30), height));
}

void UITableViewHeaderFooterView::registerMethods(objc::ClassBuilder<UITableViewHeaderFooterView>& b)
{
    b.method<&UITableViewHeaderFooterView::initWithReuseIdentifier>("initWithReuseIdentifier:")
        .method<&UITableViewHeaderFooterView::reuseIdentifier>("reuseIdentifier")
        .method<&UITableViewHeaderFooterView::textLabel>("textLabel")
        .method<&UITableViewHeaderFooterView::contentView>("contentView")
        .method<&UITableViewHeaderFooterView::layoutSubviews>("layoutSubviews");
}

} // namespace platform
