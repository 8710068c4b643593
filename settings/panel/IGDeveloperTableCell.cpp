#include "settings/panel/IGDeveloperTableCell.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSURL.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/graphics/CGContext.h"
#include "platform/uikit/CALayer.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScreen.h"
#include "settings/panel/IGMainHeaderView.h"
#include "settings/panel/PanelTexts.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace igtarvo::panel {

using namespace platform;

OBJC_CLASS_LOAD(IGDeveloperTableCell)

std::string twitterProfileAddress(const std::string& userName)
{
    static constexpr std::array<std::pair<const char*, const char*>, 4> kClients { {
        { "tweetbot:", "tweetbot:///user_profile/" },
        { "twitterrific:", "twitterrific:///profile?screen_name=" },
        { "tweetings:", "tweetings:///user?screen_name=" },
        { "twitter:", "twitter://user?screen_name=" },
    } };
    auto* application = UIApplication::sharedApplication();
    for (auto& [probe, profile] : kClients) {
        if (application->canOpenURL(NSURL::create(probe).get()))
            return profile + userName;
    }
    return kTwitterMobileSite + userName;
}

namespace {
const char* const kFollowButtonConstraint1 = "followButtonConstraint1";
const char* const kFollowButtonConstraint2 = "followButtonConstraint2";

// first.attribute == second.attribute + constant
Ref<NSLayoutConstraint> constraint(id first, long attribute, id second, long secondAttribute, double constant)
{
    return NSLayoutConstraint::constraintWithItem(first, attribute, NSLayoutRelationEqual, second, secondAttribute, 1, constant);
}

bool isLandscape()
{
    CGRect screen = UIScreen::mainScreen()->bounds();
    return screen.size.width > screen.size.height;
}

Ref<UILabel> label(NSString* text, UIColor* color, double size)
{
    auto made = UILabel::create();
    made->setText(text);
    made->setTextColor(color);
    made->setBackgroundColor(UIColor::clearColor().get());
    made->setFont(UIFont::fontWithName(ns("Helvetica Light").get(), size).get());
    made->setTextAlignment(NSTextAlignmentCenter);
    return made;
}

NSString* text(PSSpecifier* specifier, const char* key, RefPtr<Object>& keep)
{
    keep = specifier ? specifier->property(key) : nullptr;
    return isString(keep) ? static_cast<NSString*>(keep.get()) : nullptr;
}
}

RefPtr<IGDeveloperTableCell> IGDeveloperTableCell::initWithStyleReuseIdentifierSpecifier(long style, NSString* reuseIdentifier, PSSpecifier* specifier)
{
    RefPtr<Object> devImage, devName, realName, job, twitter, website;
    RefPtr<UIImage> picture;
    if (NSString* imageName = text(specifier, "devImage", devImage)) {
        auto bundle = NSBundle::bundleWithPath(Device::path(kSettingsBundlePath));
        if (auto path = bundle ? bundle->pathForResource(imageName, ns("png").get()) : nullptr)
            picture = UIImage::imageWithContentsOfFile(ns(Device::devicePath(path->str())).get());
    }
    setSpecifier(specifier);
    return initWithDevName(text(specifier, "devName", devName), text(specifier, "realName", realName), text(specifier, "job", job),
        picture.get(), text(specifier, "twittername", twitter), text(specifier, "website", website));
}

RefPtr<IGDeveloperTableCell> IGDeveloperTableCell::initWithDevName(NSString* devName, NSString* realName, NSString* jobSubtitle,
    UIImage* devImage, NSString* twitterName, NSString*)
{
    objc::send<RefPtr<UITableViewCell>(long, NSString*)>(this, "initWithStyle:reuseIdentifier:", long(UITableViewCellStyleDefault), ns("IGDeveloperTableCell").get());
    m_twitterHandle = twitterName ? RefPtr<NSString>(ns(twitterName->str())) : nullptr;
    setSelectionStyle(UITableViewCellSelectionStyleNone);

    // The picture keeps a fixed frame and casts a thin shadow below.
    auto picture = UIImageView::create(devImage);
    picture->setFrame(CGRectMake(10, 15, 70, 70));
    picture->layer()->setShadowColor(UIColor::blackColor().get());
    picture->layer()->setShadowOffset(CGSizeMake(0, 1));
    picture->layer()->setShadowOpacity(1);
    picture->layer()->setShadowRadius(1);
    picture->setClipsToBounds(false);
    addSubview(picture.get());
    m_devImageView = picture;

    // The three lines, 30 points right of the picture: the name 20 points
    // above the cell's middle, the second line under it, the job 5 below that.
    auto name = label(devName, UIColor::darkGrayColor().get(), isPad() ? 30 : 23);
    auto second = label(realName, UIColor::grayColor().get(), 15);
    auto third = label(jobSubtitle, UIColor::grayColor().get(), 12);
    for (auto* made : { name.get(), second.get(), third.get() }) {
        made->setTranslatesAutoresizingMaskIntoConstraints(false);
        addSubview(made);
        addConstraint(constraint(made, NSLayoutAttributeLeft, picture.get(), NSLayoutAttributeRight, 30).get());
    }
    addConstraint(constraint(name.get(), NSLayoutAttributeCenterY, this, NSLayoutAttributeCenterY, -20).get());
    addConstraint(constraint(second.get(), NSLayoutAttributeTop, name.get(), NSLayoutAttributeBottom, 0).get());
    addConstraint(constraint(third.get(), NSLayoutAttributeTop, second.get(), NSLayoutAttributeBottom, 5).get());
    m_devNameLabel = name;
    m_realNameLabel = second;
    m_jobLabel = third;

    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->setTitle(ns("Follow").get(), UIControlStateNormal);
    button->setTitleColor(UIColor::whiteColor().get(), UIControlStateNormal);
    button->setBackgroundColor(UIColor::colorWithRed(66 / 255.0, 139 / 255.0, 202 / 255.0, 1).get());
    button->layer()->setBorderWidth(1);
    button->layer()->setBorderColor(UIColor::colorWithRed(53 / 255.0, 126 / 255.0, 189 / 255.0, 1).get());
    button->layer()->setCornerRadius(4);
    button->setClipsToBounds(true);
    button->setBackgroundImage(buttonImageFromColor(UIColor::colorWithRed(51 / 255.0, 119 / 255.0, 172 / 255.0, 1).get()).get(), UIControlStateHighlighted);
    button->addTarget(this, objc::sel_registerName("followMe:"), UIControlEventTouchUpInside);
    button->setTranslatesAutoresizingMaskIntoConstraints(false);
    addSubview(button.get());
    addConstraint(constraint(button.get(), NSLayoutAttributeWidth, nullptr, NSLayoutAttributeNotAnAttribute, isPad() ? 100 : 80).get());
    m_followButton = button;
    createLayoutConstraintsForFollowButton();
    return RefPtr<IGDeveloperTableCell>(this);
}

RefPtr<UIImageView> IGDeveloperTableCell::devImageView() const { return RefPtr<UIImageView>(static_cast<UIImageView*>(m_devImageView.get())); }
RefPtr<UILabel> IGDeveloperTableCell::devNameLabel() const { return RefPtr<UILabel>(static_cast<UILabel*>(m_devNameLabel.get())); }
RefPtr<UILabel> IGDeveloperTableCell::realNameLabel() const { return RefPtr<UILabel>(static_cast<UILabel*>(m_realNameLabel.get())); }
RefPtr<UILabel> IGDeveloperTableCell::jobLabel() const { return RefPtr<UILabel>(static_cast<UILabel*>(m_jobLabel.get())); }
RefPtr<UIButton> IGDeveloperTableCell::followButton() const { return RefPtr<UIButton>(static_cast<UIButton*>(m_followButton.get())); }

void IGDeveloperTableCell::createLayoutConstraintsForFollowButton()
{
    auto button = followButton();
    if (!button)
        return;
    m_followButtonLandscape = isLandscape();
    RefPtr<NSLayoutConstraint> first, second;
    if (m_followButtonLandscape) {
        first = constraint(button.get(), NSLayoutAttributeCenterY, this, NSLayoutAttributeCenterY, 0);
        second = constraint(button.get(), NSLayoutAttributeLeft, this, NSLayoutAttributeRight, -200);
    } else {
        first = constraint(button.get(), NSLayoutAttributeRight, this, NSLayoutAttributeRight, -5);
        second = constraint(button.get(), NSLayoutAttributeBottom, this, NSLayoutAttributeBottom, -5);
    }
    first->setIdentifier(ns(kFollowButtonConstraint1).get());
    second->setIdentifier(ns(kFollowButtonConstraint2).get());
    addConstraint(first.get());
    addConstraint(second.get());
}

void IGDeveloperTableCell::layoutSubviews()
{
    PSTableCell::layoutSubviews();
    // Made again only when the orientation turned: a change of constraints
    // asks for another layout pass, which must find nothing left to change.
    if (m_followButtonLandscape == isLandscape())
        return;
    for (auto& held : std::vector<Ref<NSLayoutConstraint>>(constraintList())) {
        auto identifier = held->identifier();
        if (identifier && (identifier->str() == kFollowButtonConstraint1 || identifier->str() == kFollowButtonConstraint2))
            removeConstraint(held.get());
    }
    createLayoutConstraintsForFollowButton();
}

RefPtr<UIImage> IGDeveloperTableCell::buttonImageFromColor(UIColor* color)
{
    CGRect rect = CGRectMake(0, 0, frame().size.width, frame().size.height);
    if (rect.size.width <= 0 || rect.size.height <= 0)
        rect.size = CGSizeMake(1, 1);
    UIGraphicsBeginImageContextWithOptions(rect.size, false, 0);
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (context && color) {
        CGContextSetFillColorWithColor(context, color);
        CGContextFillRect(context, rect);
    }
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

void IGDeveloperTableCell::followMe(id)
{
    std::string name = m_twitterHandle ? m_twitterHandle->str() : "";
    for (auto& c : name)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    openURL(ns(twitterProfileAddress(name)).get());
}

bool IGDeveloperTableCell::canOpenURL(NSString* address)
{
    auto url = address ? NSURL::URLWithString(address) : nullptr;
    return url && UIApplication::sharedApplication()->canOpenURL(url.get());
}

void IGDeveloperTableCell::openURL(NSString* address)
{
    if (auto url = address ? NSURL::URLWithString(address) : nullptr)
        UIApplication::sharedApplication()->openURL(url.get());
}

void IGDeveloperTableCell::registerMethods(objc::ClassBuilder<IGDeveloperTableCell>& b)
{
    b.method<&IGDeveloperTableCell::initWithStyleReuseIdentifierSpecifier>("initWithStyle:reuseIdentifier:specifier:")
        .method<&IGDeveloperTableCell::initWithDevName>("initWithDevName:realName:jobSubtitle:devImage:twitterName:websiteURLString:")
        .method<&IGDeveloperTableCell::devImageView>("devImageView")
        .method<&IGDeveloperTableCell::devNameLabel>("devNameLabel")
        .method<&IGDeveloperTableCell::realNameLabel>("realNameLabel")
        .method<&IGDeveloperTableCell::jobLabel>("jobLabel")
        .method<&IGDeveloperTableCell::followButton>("followButton")
        .method<&IGDeveloperTableCell::twitterHandle>("twitterHandle")
        .method<&IGDeveloperTableCell::createLayoutConstraintsForFollowButton>("createLayoutConstraintsForFollowButton")
        .method<&IGDeveloperTableCell::layoutSubviews>("layoutSubviews")
        .method<&IGDeveloperTableCell::followMe>("followMe:")
        .method<&IGDeveloperTableCell::canOpenURL>("canOpenURL:")
        .method<&IGDeveloperTableCell::openURL>("openURL:")
        .method<&IGDeveloperTableCell::buttonImageFromColor>("buttonImageFromColor:");
}

} // namespace igtarvo::panel
