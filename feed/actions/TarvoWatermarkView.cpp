#include "feed/actions/TarvoWatermarkView.h"
#include "core/InstagramSurface.h"
#include "feed/actions/TarvoImageTools.h"
#include "platform/graphics/CGContext.h"
#include "platform/net/URLLoading.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/NSStringDrawing.h"
#include "platform/foundation/NSAttributedString.h"
#include "platform/uikit/UIBezierPath.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScreen.h"

namespace igtarvo {

using namespace platform;

OBJC_CLASS_LOAD(TarvoWatermarkView)

namespace {

// first.attribute == second.attribute + constant (or == constant without a second item).
Ref<NSLayoutConstraint> equal(id first, long attribute, id second, long secondAttribute, double constant)
{
    return NSLayoutConstraint::constraintWithItem(first, attribute, NSLayoutRelationEqual, second, secondAttribute, 1, constant);
}

void hold(UIView* holder, Ref<NSLayoutConstraint> constraint)
{
    objc::send<void(NSLayoutConstraint*)>(holder, "addConstraint:", constraint.get());
}

void layOut(UIView* view)
{
    objc::send<void>(view, "setNeedsLayout");
    objc::send<void>(view, "layoutIfNeeded");
}

} // namespace

RefPtr<TarvoWatermarkView> TarvoWatermarkView::make(UIImage* icon, id user, CGSize referenceSize, long position)
{
    auto view = objc::make<TarvoWatermarkView>();
    return objc::send<RefPtr<TarvoWatermarkView>(UIImage*, id, CGSize, long)>(view, "initWithRepostImage:user:referenceSize:position:",
        icon, user, referenceSize, position);
}

RefPtr<TarvoWatermarkView> TarvoWatermarkView::initWithRepostImage(UIImage* icon, id user, CGSize reference, long position)
{
    CGRect screen = UIScreen::mainScreen()->bounds();
    double e = reference.width / screen.size.width;
    double v = reference.height / screen.size.height;
    double H = 44 * v;

    // The user name's font and measured width.
    auto name = instagram::username(user);
    std::string username = isString(name) ? str(name) : std::string();
    auto font = UIFont::fontWithName(ns("Helvetica Neue").get(), 12 * e);
    auto attributes = NSDictionary::create({ { NSFontAttributeName, Ref<Object>(*font) } });
    double tw = objc::send<CGSize(id)>(ns(username), "sizeWithAttributes:", attributes.get()).width;

    objc::send<RefPtr<UIView>(CGRect)>(this, "initWithFrame:", CGRectMake(0, 0, reference.width, H));
    m_watermarkPosition = position;
    objc::send<void(UIColor*)>(this, "setBackgroundColor:", UIColor::clearColor().get());

    // The poster's picture, read where the address points, made round.
    RefPtr<UIImage> picture;
    if (auto data = NSDataWithContentsOfURL(instagram::profilePicURL(user).get()))
        picture = UIImage::imageWithData(data.get());
    auto round = objc::send<RefPtr<UIImage>(UIImage*, double)>(TarvoImageTools::staticClass(),
        "roundedProfilePictureForImage:withHeight:", picture.get(), 0.7 * H);
    auto iconImage = objc::send<RefPtr<UIImage>(UIImage*, CGSize)>(TarvoImageTools::staticClass(),
        "imageWithImage:scaledToSize:", icon, CGSizeMake(0.7 * H, 0.7 * H * 0.62));

    auto iconView = UIImageView::create(iconImage.get());
    objc::send<void(UIImageView*)>(this, "setRepostImageView:", iconView.get());
    addSubview(iconView.get());
    iconView->setTranslatesAutoresizingMaskIntoConstraints(false);
    CGSize iconSize = iconImage ? iconImage->size() : CGSizeZero;
    hold(this, equal(iconView.get(), NSLayoutAttributeLeft, this, NSLayoutAttributeLeft, 5));
    hold(this, equal(iconView.get(), NSLayoutAttributeCenterY, this, NSLayoutAttributeCenterY, 0));
    hold(this, equal(iconView.get(), NSLayoutAttributeWidth, nullptr, NSLayoutAttributeNotAnAttribute, iconSize.width));
    hold(this, equal(iconView.get(), NSLayoutAttributeHeight, nullptr, NSLayoutAttributeNotAnAttribute, iconSize.height));
    layOut(iconView.get());

    auto pictureView = UIImageView::create(round.get());
    objc::send<void(UIImageView*)>(this, "setProfilePicImageView:", pictureView.get());
    addSubview(pictureView.get());
    pictureView->setTranslatesAutoresizingMaskIntoConstraints(false);
    CGSize roundSize = round ? round->size() : CGSizeZero;
    hold(this, equal(pictureView.get(), NSLayoutAttributeLeft, iconView.get(), NSLayoutAttributeRight, 5));
    hold(this, equal(pictureView.get(), NSLayoutAttributeCenterY, this, NSLayoutAttributeCenterY, 0));
    hold(this, equal(pictureView.get(), NSLayoutAttributeWidth, nullptr, NSLayoutAttributeNotAnAttribute, roundSize.width));
    hold(this, equal(pictureView.get(), NSLayoutAttributeHeight, nullptr, NSLayoutAttributeNotAnAttribute, roundSize.height));
    layOut(pictureView.get());

    auto label = UILabel::create();
    objc::send<void(UILabel*)>(this, "setRepostUsernameLabel:", label.get());
    label->setText(ns(username).get());
    label->setMinimumScaleFactor(0);
    label->setFont(font.get());
    label->setAdjustsFontSizeToFitWidth(true);
    label->setClipsToBounds(true);
    label->setNumberOfLines(1);
    label->setBackgroundColor(UIColor::clearColor().get());
    label->setTextColor(UIColor::darkGrayColor().get());
    label->setTextAlignment(NSTextAlignmentLeft);
    label->setPreferredMaxLayoutWidth(e * (e * tw) + 10);
    addSubview(label.get());
    label->setTranslatesAutoresizingMaskIntoConstraints(false);
    hold(this, equal(label.get(), NSLayoutAttributeLeft, pictureView.get(), NSLayoutAttributeRight, 5));
    hold(this, equal(label.get(), NSLayoutAttributeCenterY, this, NSLayoutAttributeCenterY, 0));
    hold(this, equal(label.get(), NSLayoutAttributeWidth, nullptr, NSLayoutAttributeNotAnAttribute, tw + 10));
    hold(this, equal(label.get(), NSLayoutAttributeHeight, nullptr, NSLayoutAttributeNotAnAttribute, H));
    layOut(label.get());
    return RefPtr<TarvoWatermarkView>(this);
}

void TarvoWatermarkView::drawRect(CGRect)
{
    CGContextRef context = UIGraphicsGetCurrentContext();
    CGRect F = frame();
    auto label = repostUsernameLabel();
    double L = label ? CGRectGetMaxX(label->frame()) : 0;
    unsigned long corners = UIRectCornerAllCorners;
    double height = F.size.height;
    if (m_watermarkPosition == 1 || m_watermarkPosition == 2) {
        corners = UIRectCornerTopRight;
        height = F.size.height + 5;
    } else if (m_watermarkPosition == 3 || m_watermarkPosition == 4) {
        corners = UIRectCornerBottomRight;
    }
    CGRect tab = CGRectMake(F.origin.x, F.origin.y, L, height);
    auto path = UIBezierPath::bezierPathWithRoundedRect(tab, corners, CGSizeMake(10, 10));
    path->addClip();
    CGContextAddPath(context, path->CGPath().get());
    CGContextSetFillColorWithColor(context, UIColor::whiteColor().get());
    CGContextFillRect(context, tab);
}

RefPtr<UIImageView> TarvoWatermarkView::repostImageView() const { return RefPtr<UIImageView>(static_cast<UIImageView*>(m_repostImageView.get())); }
void TarvoWatermarkView::setRepostImageView(UIImageView* view) { m_repostImageView = view; }
RefPtr<UIImageView> TarvoWatermarkView::profilePicImageView() const { return RefPtr<UIImageView>(static_cast<UIImageView*>(m_profilePicImageView.get())); }
void TarvoWatermarkView::setProfilePicImageView(UIImageView* view) { m_profilePicImageView = view; }
RefPtr<UILabel> TarvoWatermarkView::repostUsernameLabel() const { return RefPtr<UILabel>(static_cast<UILabel*>(m_repostUsernameLabel.get())); }
void TarvoWatermarkView::setRepostUsernameLabel(UILabel* label) { m_repostUsernameLabel = label; }

void TarvoWatermarkView::registerMethods(objc::ClassBuilder<TarvoWatermarkView>& b)
{
    b.method<&TarvoWatermarkView::initWithRepostImage>("initWithRepostImage:user:referenceSize:position:")
        .method<&TarvoWatermarkView::drawRect>("drawRect:")
        .method<&TarvoWatermarkView::repostImageView>("repostImageView")
        .method<&TarvoWatermarkView::setRepostImageView>("setRepostImageView:")
        .method<&TarvoWatermarkView::profilePicImageView>("profilePicImageView")
        .method<&TarvoWatermarkView::setProfilePicImageView>("setProfilePicImageView:")
        .method<&TarvoWatermarkView::repostUsernameLabel>("repostUsernameLabel")
        .method<&TarvoWatermarkView::setRepostUsernameLabel>("setRepostUsernameLabel:")
        .method<&TarvoWatermarkView::watermarkPosition>("watermarkPosition")
        .method<&TarvoWatermarkView::setWatermarkPosition>("setWatermarkPosition:");
}

} // namespace igtarvo
