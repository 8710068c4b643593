// The repost's image tools and watermark tab, checked on decoded pixels.

#include "feed/actions/TarvoImageTools.h"
#include "feed/actions/TarvoWatermarkView.h"
#include "hosts/instagram/IGUser.h"
#include "platform/foundation/NSPathUtilities.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/TextLayout.h"
#include "platform/uikit/CALayer.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIScreen.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/HttpServer.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

using namespace platform;
using igtarvo::TarvoImageTools;
using igtarvo::TarvoWatermarkView;
using hosts::instagram::IGUser;

namespace {

RefPtr<UIImage> solid(CGSize points, double scale, UIColor* colour)
{
    UIGraphicsBeginImageContextWithOptions(points, false, scale);
    CGContextSetFillColorWithColor(UIGraphicsGetCurrentContext(), colour);
    CGContextFillRect(UIGraphicsGetCurrentContext(), CGRect { CGPointZero, points });
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

// A pixel at a position in points.
CGImage::RGBA at(UIImage* image, double x, double y)
{
    return image->CGImage()->pixelAt(long(std::floor(x * image->scale())), long(std::floor(y * image->scale())));
}

bool white(CGImage::RGBA p) { return p.a == 255 && p.r > 250 && p.g > 250 && p.b > 250; }
bool navy(CGImage::RGBA p) { return p.a == 255 && p.r < 5 && p.g < 5 && p.b > 120 && p.b < 135; }
bool red(CGImage::RGBA p) { return p.a == 255 && p.r > 250 && p.g < 5 && p.b < 5; }

long whitePixels(UIImage* image)
{
    long count = 0;
    for (long y = 0; y < image->CGImage()->height(); ++y)
        for (long x = 0; x < image->CGImage()->width(); ++x)
            count += white(image->CGImage()->pixelAt(x, y));
    return count;
}

class ImageTools : public ::testing::Test {
protected:
    // One device for the suite; each test runs in a child process, because the
    // tools open their bundle once per process and the feed's tests, later in
    // this process, lay out devices of their own.
    static void SetUpTestSuite() { s_device = new testsupport::TemporaryDevice(); }
    static void TearDownTestSuite() { delete s_device; }
    void SetUp() override
    {
        Device::setRoot(s_device->root());
        // The app's Documents folder: Instagram's data container.
        setHomeDirectory(igtarvo::simulator::instagramDataContainer());
    }
    // A length drawn at screen scale: whole pixels, rounded up.
    static double pixels(double points)
    {
        double s = UIScreen::mainScreen()->scale();
        return std::ceil(points * s - 1e-9) / s;
    }

    TarvoImageTools* tools() { return TarvoImageTools::sharedTools(); }
    RefPtr<UIImage> square(UIImage* image) { return objc::send<RefPtr<UIImage>(UIImage*)>(tools(), "squareImageFromImage:", image); }
    RefPtr<UIImage> generate(UIImage* image, id user, long position)
    {
        return objc::send<RefPtr<UIImage>(UIImage*, id, long)>(tools(), "generateWatermarkForImage:withUser:position:", image, user, position);
    }
    // The tab of a picture as tall and wide as the screen, rendered at scale 2.
    RefPtr<UIImage> renderTab(TarvoWatermarkView* view)
    {
        UIGraphicsBeginImageContextWithOptions(view->bounds().size, false, 0);
        view->layer()->renderInContext(UIGraphicsGetCurrentContext());
        auto image = UIGraphicsGetImageFromCurrentImageContext();
        UIGraphicsEndImageContext();
        return image;
    }
    std::string documents(const std::string& name) { return NSDocumentsDirectoryPath() + "/" + name; }

    static testsupport::TemporaryDevice* s_device;
};

testsupport::TemporaryDevice* ImageTools::s_device = nullptr;

} // namespace

TEST_F(ImageTools, SquaringKeepsTheWholePictureCentredInTransparentMargins)
{
    EXPECT_TRUE(testsupport::inChildProcess([&] {
        // Landscape 200 x 100: a 100 x 100 square, the picture at half size, 25 points above and below.
        auto wide = square(solid(CGSizeMake(200, 100), 1, UIColor::redColor().get()).get());
        ASSERT_TRUE(wide);
        EXPECT_EQ(wide->size(), CGSizeMake(100, 100));
        EXPECT_EQ(wide->scale(), UIScreen::mainScreen()->scale());
        EXPECT_EQ(at(wide.get(), 50, 24.5).a, 0);
        EXPECT_TRUE(red(at(wide.get(), 50, 25.2)));
        EXPECT_TRUE(red(at(wide.get(), 0, 50)));
        EXPECT_TRUE(red(at(wide.get(), 99.5, 74.5)));
        EXPECT_EQ(at(wide.get(), 50, 75.5).a, 0);

        // Portrait 100 x 200: a 400 x 400 square, the picture at double size (200 x 400) in the middle.
        auto tall = square(solid(CGSizeMake(100, 200), 1, UIColor::redColor().get()).get());
        ASSERT_TRUE(tall);
        EXPECT_EQ(tall->size(), CGSizeMake(400, 400));
        EXPECT_EQ(at(tall.get(), 99.5, 200).a, 0);
        EXPECT_TRUE(red(at(tall.get(), 100.2, 0)));
        EXPECT_TRUE(red(at(tall.get(), 299.5, 399.5)));
        EXPECT_EQ(at(tall.get(), 300.5, 200).a, 0);

        // A square stays itself.
        auto same = square(solid(CGSizeMake(100, 100), 2, UIColor::redColor().get()).get());
        EXPECT_EQ(same->size(), CGSizeMake(100, 100));
        EXPECT_TRUE(red(at(same.get(), 0, 0)));
        EXPECT_TRUE(red(at(same.get(), 99.5, 99.5)));
    }));
}

TEST_F(ImageTools, RotatingAQuarterTurnPutsTheLeftEndOnTop)
{
    EXPECT_TRUE(testsupport::inChildProcess([&] {
        // 300 x 44: a red left end and a green top edge on blue.
        UIGraphicsBeginImageContextWithOptions(CGSizeMake(300, 44), false, 2);
        CGContextRef c = UIGraphicsGetCurrentContext();
        CGContextSetFillColorWithColor(c, UIColor::blueColor().get());
        CGContextFillRect(c, CGRectMake(0, 0, 300, 44));
        CGContextSetFillColorWithColor(c, UIColor::greenColor().get());
        CGContextFillRect(c, CGRectMake(0, 0, 300, 4));
        CGContextSetFillColorWithColor(c, UIColor::redColor().get());
        CGContextFillRect(c, CGRectMake(0, 0, 20, 44));
        auto tab = UIGraphicsGetImageFromCurrentImageContext();
        UIGraphicsEndImageContext();

        auto turned = objc::send<RefPtr<UIImage>(UIImage*, double)>(TarvoImageTools::staticClass(), "rotateImage:byRadians:", tab.get(), M_PI / 2);
        ASSERT_TRUE(turned);
        EXPECT_EQ(turned->size(), CGSizeMake(44, 300));
        EXPECT_EQ(turned->scale(), 1);
        EXPECT_TRUE(red(at(turned.get(), 20, 5)));                 // the left end, now on top
        auto topEdge = at(turned.get(), 42, 150);                  // the top edge, now on the right
        EXPECT_TRUE(topEdge.g > 250 && topEdge.r < 5 && topEdge.b < 5);
        auto body = at(turned.get(), 10, 200);
        EXPECT_TRUE(body.b > 250 && body.r < 5 && body.g < 5);
    }));
}

TEST_F(ImageTools, TheTabEndsAtTheNameAndRoundsTheCornerThePositionChooses)
{
    EXPECT_TRUE(testsupport::inChildProcess([&] {
        auto user = IGUser::create("some_user", "");
        auto icon = TarvoImageTools::imageNamed(ns("repost-icon").get());
        ASSERT_TRUE(icon) << "the device's bundle holds the repost icon";
        CGSize screen = UIScreen::mainScreen()->bounds().size;
        struct Case { long position; bool topRightRound, bottomRightRound; };
        for (Case k : { Case { 1, true, false }, Case { 2, true, false }, Case { 3, false, true }, Case { 4, false, true }, Case { 0, true, true } }) {
            auto view = TarvoWatermarkView::make(icon.get(), user.get(), screen, k.position);
            ASSERT_TRUE(view);
            EXPECT_EQ(view->frame(), CGRectMake(0, 0, screen.width, 44));
            // 5, icon 30.8 x 19.096, 5, picture 30.8, 5, name (its width plus 10);
            // the pictures are drawn in whole pixels.
            double H = 44, iw = pixels(0.7 * H), ih = pixels(0.7 * H * 0.62), d = pixels(0.7 * H);
            EXPECT_EQ(view->repostImageView()->frame(), CGRectMake(5, (H - ih) / 2, iw, ih));
            EXPECT_EQ(view->profilePicImageView()->frame(), CGRectMake(10 + iw, (H - d) / 2, d, d));
            double tw = TextWidth("some_user", "Helvetica Neue", 12);
            CGRect name = view->repostUsernameLabel()->frame();
            EXPECT_NEAR(name.origin.x, 15 + iw + d, 1e-9);
            EXPECT_NEAR(name.size.width, tw + 10, 1e-9);
            EXPECT_EQ(name.size.height, H);

            auto tab = renderTab(view.get());
            double L = CGRectGetMaxX(name);
            EXPECT_TRUE(white(at(tab.get(), 2, 22))) << k.position;
            EXPECT_TRUE(white(at(tab.get(), L - 1, 22))) << k.position;
            EXPECT_EQ(at(tab.get(), L + 1, 22).a, 0) << k.position;
            EXPECT_EQ(at(tab.get(), L - 0.5, 0.5).a == 0, k.topRightRound) << k.position;
            EXPECT_EQ(at(tab.get(), L - 0.5, 43.5).a == 0, k.bottomRightRound) << k.position;
            EXPECT_EQ(at(tab.get(), 0.5, 0.5).a == 0, k.position == 0) << k.position;
        }
    }));
}

TEST_F(ImageTools, TheTabRunsAlongTheEdgeOfItsPosition)
{
    EXPECT_TRUE(testsupport::inChildProcess([&] {
        auto user = IGUser::create("some_user", "");
        auto navyColour = UIColor::colorWithRed(0, 0, 0.5, 1);
        auto picture = solid(CGSizeMake(200, 200), 2, navyColour.get());
        struct Case { long position; CGPoint tabbed, plain; };
        for (Case k : { Case { 1, { 3, 197 }, { 3, 3 } }, Case { 2, { 3, 5 }, { 197, 5 } }, Case { 3, { 3, 3 }, { 3, 197 } },
                 Case { 4, { 197, 5 }, { 3, 5 } } }) {
            auto result = generate(picture.get(), user.get(), k.position);
            ASSERT_TRUE(result);
            EXPECT_EQ(result->size(), CGSizeMake(200, 200));
            EXPECT_TRUE(white(at(result.get(), k.tabbed.x, k.tabbed.y))) << k.position;
            EXPECT_TRUE(navy(at(result.get(), k.plain.x, k.plain.y))) << k.position;
            // Along the edge only as far as the name reaches.
            bool across = k.position == 1 || k.position == 3;
            CGPoint far = across ? CGPointMake(190, k.tabbed.y) : CGPointMake(k.tabbed.x, 190);
            EXPECT_TRUE(navy(at(result.get(), far.x, far.y))) << k.position;
            // What was written: the composite and the square.
            auto written = UIImage::imageWithContentsOfHostFile(documents("result.png"));
            ASSERT_TRUE(written);
            EXPECT_EQ(written->CGImage()->width(), 400);
            EXPECT_TRUE(white(written->CGImage()->pixelAt(long(k.tabbed.x * 2), long(k.tabbed.y * 2))));
            EXPECT_TRUE(std::filesystem::exists(documents("squared.png")));
        }
        auto turned = TarvoImageTools::lastTabImage();
        ASSERT_TRUE(turned);
        EXPECT_GT(turned->size().height, turned->size().width); // position 4's tab, turned
    }));
}

TEST_F(ImageTools, NoTabForPositionZeroOrOutOfRangeOnlyTheSquare)
{
    EXPECT_TRUE(testsupport::inChildProcess([&] {
        auto user = IGUser::create("some_user", "");
        auto picture = solid(CGSizeMake(200, 100), 1, UIColor::redColor().get());
        for (long position : { 0L, 5L, -1L }) {
            auto result = generate(picture.get(), user.get(), position);
            ASSERT_TRUE(result);
            EXPECT_EQ(result->size(), CGSizeMake(100, 100));
            EXPECT_EQ(whitePixels(result.get()), 0) << position;
            EXPECT_TRUE(red(at(result.get(), 50, 50)));
            EXPECT_EQ(at(result.get(), 50, 10).a, 0);
        }
        auto data = TarvoImageTools::dataByAddingWatermarkForUser(user.get(), picture.get(), 0);
        ASSERT_TRUE(data);
        auto decoded = UIImage::imageWithData(data.get());
        ASSERT_TRUE(decoded);
        EXPECT_EQ(decoded->CGImage()->width(), 200);
    }));
}

TEST_F(ImageTools, TheProfilePictureIsReadFromAFileOrOverHTTPAndMadeRound)
{
    EXPECT_TRUE(testsupport::inChildProcess([&] {
        auto png = UIImagePNGRepresentation(solid(CGSizeMake(40, 40), 1, UIColor::redColor().get()).get());
        std::filesystem::create_directories(Device::path("/tmp"));
        ASSERT_TRUE(NSDataWriteToFile(png->bytes(), "/tmp/poster.png", true));
        testsupport::HttpServer server;
        server.respond(200, std::string(png->bytes().begin(), png->bytes().end()), "image/png");
        CGSize screen = UIScreen::mainScreen()->bounds().size;
        for (std::string url : { std::string("file:///tmp/poster.png"), server.url("/poster.png") }) {
            auto user = IGUser::create("some_user", url);
            auto view = TarvoWatermarkView::make(nullptr, user.get(), screen, 1);
            auto picture = view->profilePicImageView()->image();
            ASSERT_TRUE(picture) << url;
            EXPECT_EQ(picture->size(), CGSizeMake(pixels(0.7 * 44), pixels(0.7 * 44)));
            EXPECT_TRUE(red(at(picture.get(), 15.4, 15.4))) << url;
            EXPECT_EQ(at(picture.get(), 0.5, 0.5).a, 0) << url; // outside the circle
            EXPECT_EQ(TarvoImageTools::lastProfilePicture().get(), picture.get());
        }
        // An address that gives no picture leaves the picture empty; the tab is still drawn.
        server.respond(404, "gone", "text/plain");
        auto user = IGUser::create("some_user", server.url("/missing.png"));
        auto view = TarvoWatermarkView::make(nullptr, user.get(), screen, 1);
        auto empty = view->profilePicImageView()->image();
        ASSERT_TRUE(empty);
        EXPECT_EQ(at(empty.get(), 15.4, 15.4).a, 0);
        EXPECT_TRUE(white(at(renderTab(view.get()).get(), 2, 22)));
    }));
}
