#pragma once
// A credits row: the person's picture, name, second line and job, and a
// "Follow" button that opens their Twitter profile in the first installed
// Twitter app. Main thread.

#include "platform/preferences/PSTableCell.h"

namespace platform {
class UIButton;
class UIImage;
class UIImageView;
class UILabel;
class UIColor;
}

namespace igtarvo::panel {

class IGDeveloperTableCell : public platform::PSTableCell {
    OBJC_CLASS(IGDeveloperTableCell, platform::PSTableCell)
public:
    static void registerMethods(objc::ClassBuilder<IGDeveloperTableCell>&);

    // Reads the row's "devImage", "devName", "realName", "job", "twittername"
    // and "website", then builds the content.
    objc::RefPtr<IGDeveloperTableCell> initWithStyleReuseIdentifierSpecifier(long style, platform::NSString* reuseIdentifier, platform::PSSpecifier* specifier);
    objc::RefPtr<IGDeveloperTableCell> initWithDevName(platform::NSString* devName, platform::NSString* realName, platform::NSString* jobSubtitle,
        platform::UIImage* devImage, platform::NSString* twitterName, platform::NSString* websiteURLString);

    objc::RefPtr<platform::UIImageView> devImageView() const;
    objc::RefPtr<platform::UILabel> devNameLabel() const;
    objc::RefPtr<platform::UILabel> realNameLabel() const;
    objc::RefPtr<platform::UILabel> jobLabel() const;
    objc::RefPtr<platform::UIButton> followButton() const;
    objc::RefPtr<platform::NSString> twitterHandle() const { return m_twitterHandle; }

    // Places the follow button for the current orientation: bottom right
    // (5 points in) upright; vertically centred, its left edge 200 points left
    // of the right edge, in landscape.
    void createLayoutConstraintsForFollowButton();
    void layoutSubviews();
    void followMe(objc::id sender);
    bool canOpenURL(platform::NSString* address);
    void openURL(platform::NSString* address);
    // An image the size of the cell filled with the colour.
    objc::RefPtr<platform::UIImage> buttonImageFromColor(platform::UIColor* color);

private:
    objc::RefPtr<objc::Object> m_devImageView;
    objc::RefPtr<objc::Object> m_devNameLabel;
    objc::RefPtr<objc::Object> m_realNameLabel;
    objc::RefPtr<objc::Object> m_jobLabel;
    objc::RefPtr<objc::Object> m_followButton;
    objc::RefPtr<platform::NSString> m_twitterHandle;
    bool m_followButtonLandscape { false };
};

// The profile address of a user name in the first installed Twitter app
// (Tweetbot, Twitterrific, Tweetings, Twitter), else on the mobile web site.
std::string twitterProfileAddress(const std::string& userName);

} // namespace igtarvo::panel
