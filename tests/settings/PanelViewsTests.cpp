// The panel's own views as the installed bundle builds them, laid out by the
// kit's constraints: the header's three lines, and a credits row's lines and
// follow button upright and turned to landscape.

#include "platform/foundation/Device.h"
#include "platform/foundation/NSBundle.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIView.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

class PanelViews : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto bundle = NSBundle::bundleWithPath(Device::path("/Library/PreferenceBundles/igTarvoSettings.bundle"));
        ASSERT_TRUE(bundle);
        ASSERT_TRUE(bundle->loadCode()) << bundle->loadError();
        m_portrait = UIScreen::mainScreen()->bounds().size;
    }
    void TearDown() override { UIScreen::mainScreen()->setBoundsAndScale(m_portrait, 2); }

    static RefPtr<UIView> make(const char* className)
    {
        auto view = objc::class_createInstance(objc::objc_getClass(className));
        return RefPtr<UIView>(static_cast<UIView*>(view.get()));
    }
    static CGRect frameOf(RefPtr<Object> view) { return objc::send<CGRect>(view.get(), "frame"); }

    testsupport::TemporaryDevice m_device;
    CGSize m_portrait;
};

} // namespace

TEST_F(PanelViews, TheHeadersLinesAreCentredAndStackedTenThenFivePointsApart)
{
    auto header = make("IGMainHeaderView");
    ASSERT_TRUE(header);
    objc::send<RefPtr<Object>>(header.get(), "init");
    header->setFrame(CGRectMake(0, 0, 375, 120));
    header->layoutIfNeeded();

    CGRect first = frameOf(objc::send<RefPtr<Object>>(header.get(), "headerLabel"));
    CGRect second = frameOf(objc::send<RefPtr<Object>>(header.get(), "subHeaderLabel"));
    CGRect third = frameOf(objc::send<RefPtr<Object>>(header.get(), "randomLabel"));
    for (CGRect line : { first, second, third }) {
        EXPECT_GT(line.size.width, 0);
        EXPECT_NEAR(line.origin.x + line.size.width / 2, 187.5, 0.5);
    }
    EXPECT_NEAR(first.origin.y, 10, 0.01);
    EXPECT_NEAR(second.origin.y, first.origin.y + first.size.height + 5, 0.01);
    EXPECT_NEAR(third.origin.y, second.origin.y + second.size.height + 5, 0.01);
    EXPECT_GT(third.size.height, 1.5 * second.size.height * 12 / 14) << "the third line runs over two lines";
    EXPECT_GT(first.size.height, second.size.height) << "the product name is the large line";
}

TEST_F(PanelViews, ACreditsRowPlacesItsLinesBesideThePictureAndMovesTheFollowButtonWithTheOrientation)
{
    auto cell = make("IGDeveloperTableCell");
    ASSERT_TRUE(cell);
    objc::send<RefPtr<Object>(NSString*, NSString*, NSString*, id, NSString*, NSString*)>(cell.get(),
        "initWithDevName:realName:jobSubtitle:devImage:twitterName:websiteURLString:",
        ns("Zed").get(), ns("Zed Rowe").get(), ns("Developer").get(), nullptr, ns("ZedRowe").get(), ns("http://example.org").get());
    cell->setFrame(CGRectMake(0, 0, 375, 100));
    cell->layoutIfNeeded();

    CGRect name = frameOf(objc::send<RefPtr<Object>>(cell.get(), "devNameLabel"));
    CGRect second = frameOf(objc::send<RefPtr<Object>>(cell.get(), "realNameLabel"));
    CGRect job = frameOf(objc::send<RefPtr<Object>>(cell.get(), "jobLabel"));
    CGRect picture = frameOf(objc::send<RefPtr<Object>>(cell.get(), "devImageView"));
    EXPECT_EQ(picture.origin.x, 10);
    EXPECT_EQ(picture.size.width, 70);
    for (CGRect line : { name, second, job })
        EXPECT_NEAR(line.origin.x, 110, 0.01) << "30 points right of the picture";
    EXPECT_NEAR(name.origin.y + name.size.height / 2, 30, 0.01) << "20 points above the row's middle";
    EXPECT_NEAR(second.origin.y, name.origin.y + name.size.height, 0.01);
    EXPECT_NEAR(job.origin.y, second.origin.y + second.size.height + 5, 0.01);

    auto button = objc::send<RefPtr<Object>>(cell.get(), "followButton");
    auto upright = [&] {
        CGRect b = frameOf(button);
        EXPECT_NEAR(b.size.width, 80, 0.01);
        EXPECT_NEAR(b.origin.x + b.size.width, 370, 0.01) << "5 points inside the right edge";
        EXPECT_NEAR(b.origin.y + b.size.height, 95, 0.01) << "5 points above the bottom";
    };
    upright();

    UIScreen::mainScreen()->setBoundsAndScale(CGSizeMake(m_portrait.height, m_portrait.width), 2);
    cell->setNeedsLayout();
    cell->layoutIfNeeded();
    cell->layoutIfNeeded();
    CGRect turned = frameOf(button);
    EXPECT_NEAR(turned.origin.x, 375 - 200, 0.01) << "200 points left of the right edge";
    EXPECT_NEAR(turned.origin.y + turned.size.height / 2, 50, 0.01) << "centred vertically";

    UIScreen::mainScreen()->setBoundsAndScale(m_portrait, 2);
    cell->setNeedsLayout();
    cell->layoutIfNeeded();
    cell->layoutIfNeeded();
    upright();
    int identified = 0;
    for (auto& held : cell->constraintList())
        if (held->identifier() && held->identifier()->str().rfind("followButtonConstraint", 0) == 0)
            ++identified;
    EXPECT_EQ(identified, 2) << "the button's two placing constraints are replaced, not piled up";
}
