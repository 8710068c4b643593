#include "settings/panel/IGDeveloperTableCell.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSURL.h"
#include "platform/preferences/PSSpecifier.h"
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
    m_twitterHandle = twitterName ? ns(twitterName->str()) : nullptr;
    setSelectionStyle(UITableViewCellSelectionStyleNone);

    auto picture = UIImageView::create(devImage);
    picture->setFrame(CGRectMake(10, 15, 70, 70));
    picture->setClipsToBounds(false);
    addSubview(picture.get());
    m_devImageView = picture;

    auto name = label(devName, UIColor::darkGrayColor().get(), isPad() ? 30 : 23);
    auto second = label(realName, UIColor::grayColor().get(), 15);
    auto third = label(jobSubtitle, UIColor::grayColor().get(), 12);
    for (auto* made : { name.get(), second.get(), third.get() })
        addSubview(made);
    m_devNameLabel = name;
    m_realNameLabel = second;
    m_jobLabel = third;

    auto button = UIButton::buttonWithType(UIButtonTypeCustom);
    button->setTitle(ns("Follow").get(), UIControlStateNormal);
    button->setTitleColor(UIColor::whiteColor().get(), UIControlStateNormal);
    button->setBackgroundColor(UIColor::colorWithRed(66 / 255.0, 139 / 255.0, 202 / 255.0, 1).get());
    button->setClipsToBounds(true);
    button->addTarget(this, objc::sel_registerName("followMe:"), UIControlEventTouchUpInside);
    addSubview(button.get());
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
    CGRect cell = bounds();
    double width = isPad() ? 100 : 80;
    double height = 30;
    CGRect screen = UIScreen::mainScreen()->bounds();
    bool landscape = screen.size.width > screen.size.height;
    if (landscape)
        button->setFrame(CGRectMake(cell.size.width - 200, (cell.size.height - height) / 2, width, height));
    else
        button->setFrame(CGRectMake(cell.size.width - 5 - width, cell.size.height - 5 - height, width, height));
}

void IGDeveloperTableCell::layoutSubviews()
{
    UITableViewCell::layoutSubviews();
    CGRect cell = bounds();
    double left = 10 + 70 + 30;
    double width = std::max(0.0, cell.size.width - left - 10);
    auto name = devNameLabel();
    auto second = realNameLabel();
    auto third = jobLabel();
    if (name && second && third) {
        CGSize nameSize = name->sizeThatFits(CGSize { width, 1000 });
        name->setFrame(CGRectMake(left, cell.size.height / 2 - 20 - nameSize.height / 2, nameSize.width, nameSize.height));
        CGSize secondSize = second->sizeThatFits(CGSize { width, 1000 });
        second->setFrame(CGRectMake(left, name->frame().origin.y + nameSize.height, secondSize.width, secondSize.height));
        CGSize thirdSize = third->sizeThatFits(CGSize { width, 1000 });
        third->setFrame(CGRectMake(left, second->frame().origin.y + secondSize.height + 5, thirdSize.width, thirdSize.height));
    }
    createLayoutConstraintsForFollowButton();
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
        .method<&IGDeveloperTableCell::openURL>("openURL:");
}

} // namespace igtarvo::panel
