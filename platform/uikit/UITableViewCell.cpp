#include "platform/uikit/UITableViewCell.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"

#include <cmath>

namespace platform {

OBJC_CLASS_LOAD(UITableViewCell)

namespace {
constexpr double kMargin = 15;
}

UITableViewCell::UITableViewCell()
    : m_contentView(UIView::create())
{
    addSubview(m_contentView.get());
    setBackgroundColor(UIColor::whiteColor().get());
}

UITableViewCell::~UITableViewCell() = default;

Ref<UITableViewCell> UITableViewCell::create(long style, const std::string& reuseIdentifier)
{
    auto cell = objc::make<UITableViewCell>();
    objc::send<RefPtr<UITableViewCell>(long, NSString*)>(cell, "initWithStyle:reuseIdentifier:", style,
        reuseIdentifier.empty() ? nullptr : ns(reuseIdentifier).get());
    return cell;
}

RefPtr<UIView> UITableViewCell::initWithFrame(CGRect frame)
{
    objc::send<RefPtr<UITableViewCell>(long, NSString*)>(this, "initWithStyle:reuseIdentifier:", long(UITableViewCellStyleDefault), nullptr);
    UIView::setFrame(frame);
    return RefPtr<UIView>(this);
}

RefPtr<UITableViewCell> UITableViewCell::initWithStyle(long style, NSString* reuseIdentifier)
{
    UIView::initWithFrame(CGRectMake(0, 0, 320, 44));
    m_style = style;
    m_reuseIdentifier = reuseIdentifier;
    auto text = UILabel::create();
    m_contentView->addSubview(text.get());
    m_textLabel = text;
    if (style != UITableViewCellStyleDefault) {
        auto detail = UILabel::create();
        if (style == UITableViewCellStyleSubtitle) {
            detail->setFont(UIFont::systemFontOfSize(12).get());
        } else {
            detail->setTextColor(UIColor::colorWithRed(0.557, 0.557, 0.576, 1).get());
            detail->setTextAlignment(NSTextAlignmentRight);
        }
        m_contentView->addSubview(detail.get());
        m_detailTextLabel = detail;
    }
    auto image = UIImageView::create(nullptr);
    m_contentView->addSubview(image.get());
    m_imageView = image;
    setNeedsLayout();
    return RefPtr<UITableViewCell>(this);
}

RefPtr<UILabel> UITableViewCell::textLabel() const { return RefPtr<UILabel>(static_cast<UILabel*>(m_textLabel.get())); }
RefPtr<UILabel> UITableViewCell::detailTextLabel() const { return RefPtr<UILabel>(static_cast<UILabel*>(m_detailTextLabel.get())); }
RefPtr<UIImageView> UITableViewCell::imageView() const { return RefPtr<UIImageView>(static_cast<UIImageView*>(m_imageView.get())); }

void UITableViewCell::setAccessoryType(long type)
{
    m_accessoryType = type;
    setNeedsLayout();
}

void UITableViewCell::setAccessoryView(UIView* view)
{
    if (m_accessoryView)
        m_accessoryView->removeFromSuperview();
    m_accessoryView = view;
    if (view)
        addSubview(view);
    setNeedsLayout();
}

void UITableViewCell::setSelected(bool selected)
{
    m_selected = selected;
    setNeedsDisplay();
}

double UITableViewCell::accessoryWidth() const
{
    if (m_accessoryView)
        return m_accessoryView->frame().size.width + kMargin;
    switch (m_accessoryType) {
    case UITableViewCellAccessoryNone: return 0;
    case UITableViewCellAccessoryDisclosureIndicator:
    case UITableViewCellAccessoryCheckmark: return 33;
    default: return 47;
    }
}

void UITableViewCell::layoutSubviews()
{
    CGRect b = bounds();
    double accessory = accessoryWidth();
    m_contentView->setFrame(CGRectMake(0, 0, std::max(0.0, b.size.width - accessory), b.size.height));
    if (m_accessoryView) {
        CGSize s = m_accessoryView->frame().size;
        m_accessoryView->setFrame(CGRectMake(b.size.width - kMargin - s.width, std::round((b.size.height - s.height) / 2), s.width, s.height));
    }
    CGRect content = m_contentView->bounds();
    double x = kMargin;
    auto image = imageView();
    if (image && image->image()) {
        CGSize s = image->image()->size();
        image->setFrame(CGRectMake(kMargin, std::round((content.size.height - s.height) / 2), s.width, s.height));
        x = kMargin + s.width + kMargin;
    } else if (image) {
        image->setFrame(CGRectZero);
    }
    double width = std::max(0.0, content.size.width - x - kMargin);
    auto text = textLabel();
    auto detail = detailTextLabel();
    auto lineHeight = [](const RefPtr<UILabel>& label) {
        return label && !label->textString().empty() ? std::ceil(label->font()->lineHeight()) : 0.0;
    };
    double textHeight = lineHeight(text), detailHeight = lineHeight(detail);
    if (m_style == UITableViewCellStyleSubtitle && detailHeight > 0) {
        double top = std::round((content.size.height - textHeight - detailHeight) / 2);
        text->setFrame(CGRectMake(x, top, width, textHeight));
        detail->setFrame(CGRectMake(x, top + textHeight, width, detailHeight));
        return;
    }
    if (text)
        text->setFrame(CGRectMake(x, std::round((content.size.height - textHeight) / 2), width, textHeight));
    if (detail && (m_style == UITableViewCellStyleValue1 || m_style == UITableViewCellStyleValue2)) {
        double detailWidth = std::min(width, std::ceil(detail->sizeThatFits(CGSizeZero).width));
        detail->setFrame(CGRectMake(content.size.width - kMargin - detailWidth, std::round((content.size.height - detailHeight) / 2), detailWidth, detailHeight));
        if (text)
            text->setFrame(CGRectMake(x, text->frame().origin.y, std::max(0.0, width - detailWidth), textHeight));
    } else if (detail) {
        detail->setFrame(CGRectZero);
    }
}

void UITableViewCell::registerMethods(objc::ClassBuilder<UITableViewCell>& b)
{
    b.method<&UITableViewCell::initWithStyle>("initWithStyle:reuseIdentifier:")
        .method<&UITableViewCell::initWithFrame>("initWithFrame:")
        .method<&UITableViewCell::reuseIdentifier>("reuseIdentifier")
        .method<&UITableViewCell::contentView>("contentView")
        .method<&UITableViewCell::textLabel>("textLabel")
        .method<&UITableViewCell::detailTextLabel>("detailTextLabel")
        .method<&UITableViewCell::imageView>("imageView")
        .method<&UITableViewCell::accessoryType>("accessoryType")
        .method<&UITableViewCell::setAccessoryType>("setAccessoryType:")
        .method<&UITableViewCell::accessoryView>("accessoryView")
        .method<&UITableViewCell::setAccessoryView>("setAccessoryView:")
        .method<&UITableViewCell::selectionStyle>("selectionStyle")
        .method<&UITableViewCell::setSelectionStyle>("setSelectionStyle:")
        .method<&UITableViewCell::isSelected>("isSelected")
        .method<&UITableViewCell::setSelected>("setSelected:")
        .method<&UITableViewCell::setSelectedAnimated>("setSelected:animated:")
        .method<&UITableViewCell::isHighlighted>("isHighlighted")
        .method<&UITableViewCell::setHighlighted>("setHighlighted:")
        .method<&UITableViewCell::setHighlightedAnimated>("setHighlighted:animated:")
        .method<&UITableViewCell::separatorInset>("separatorInset")
        .method<&UITableViewCell::setSeparatorInset>("setSeparatorInset:")
        .method<&UITableViewCell::prepareForReuse>("prepareForReuse")
        .method<&UITableViewCell::layoutSubviews>("layoutSubviews");
}

} // namespace platform
