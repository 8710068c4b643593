// Pictures, drawing, layers and text, checked on decoded pixels.

#include "platform/foundation/Device.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/TextLayout.h"
#include "platform/uikit/CALayer.h"
#include "platform/foundation/NSAttributedString.h"
#include "platform/uikit/UIBezierPath.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScreen.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <zlib.h>

using namespace platform;

namespace {

// A picture of one colour, w x h pixels at a scale.
RefPtr<UIImage> solid(double w, double h, double scale, UIColor* colour)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(w / scale, h / scale), false, scale);
    CGContextSetFillColorWithColor(UIGraphicsGetCurrentContext(), colour);
    CGContextFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, w / scale, h / scale));
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

CGImage::RGBA at(UIImage* image, long x, long y) { return image->CGImage()->pixelAt(x, y); }

bool isColour(CGImage::RGBA p, int r, int g, int b, int tolerance = 3)
{
    return p.a == 255 && std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance && std::abs(p.b - b) <= tolerance;
}

// A PNG whose header chunk declares width x height, with a valid checksum and nothing after.
std::vector<uint8_t> pngHeaderOnly(uint32_t width, uint32_t height)
{
    std::vector<uint8_t> out = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13 };
    std::vector<uint8_t> chunk = { 'I', 'H', 'D', 'R' };
    for (uint32_t v : { width, height })
        for (int shift = 24; shift >= 0; shift -= 8)
            chunk.push_back(uint8_t(v >> shift));
    for (uint8_t b : { 8, 6, 0, 0, 0 })
        chunk.push_back(b);
    uint32_t crc = uint32_t(crc32(0, chunk.data(), uInt(chunk.size())));
    out.insert(out.end(), chunk.begin(), chunk.end());
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(crc >> shift));
    return out;
}

} // namespace

TEST(UIImage, PNGAndJPEGRoundTripsKeepThePixels)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(4, 2), false, 1);
    CGContextRef c = UIGraphicsGetCurrentContext();
    CGContextSetFillColorWithColor(c, UIColor::redColor().get());
    CGContextFillRect(c, CGRectMake(0, 0, 2, 2));
    CGContextSetFillColorWithColor(c, UIColor::colorWithRed(0, 0, 1, 0.5).get());
    CGContextFillRect(c, CGRectMake(2, 0, 1, 2));
    auto drawn = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();

    auto png = UIImagePNGRepresentation(drawn.get());
    ASSERT_TRUE(png);
    auto back = UIImage::imageWithData(png.get());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->size(), CGSizeMake(4, 2));
    EXPECT_TRUE(isColour(at(back.get(), 1, 1), 255, 0, 0));
    auto half = at(back.get(), 2, 0);
    EXPECT_NEAR(half.a, 128, 1);
    EXPECT_NEAR(half.b, 255, 2);
    EXPECT_EQ(at(back.get(), 3, 1).a, 0);

    auto jpeg = UIImageJPEGRepresentation(solid(16, 16, 1, UIColor::colorWithRed(0.2, 0.6, 0.4, 1).get()).get(), 0.95);
    ASSERT_TRUE(jpeg);
    auto decoded = UIImage::imageWithData(jpeg.get());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->size(), CGSizeMake(16, 16));
    EXPECT_TRUE(isColour(at(decoded.get(), 8, 8), 51, 153, 102, 4));
}

TEST(UIImage, RefusesCorruptAndHostileFilesWithNil)
{
    auto decode = [](std::vector<uint8_t> bytes) { return UIImage::imageWithData(NSData::create(std::move(bytes)).get()); };
    // Headers that declare absurd sizes are refused before any allocation.
    auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(decode(pngHeaderOnly(30000, 30000)));
    EXPECT_FALSE(decode(pngHeaderOnly(0, 100)));
    EXPECT_FALSE(decode(pngHeaderOnly(100, 0)));
    EXPECT_FALSE(decode(pngHeaderOnly(16385, 1)));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    // A sane header with no pixel data after it.
    EXPECT_FALSE(decode(pngHeaderOnly(10, 10)));

    auto good = UIImagePNGRepresentation(solid(8, 8, 1, UIColor::greenColor().get()).get())->bytes();
    std::vector<uint8_t> cut(good.begin(), good.begin() + long(good.size() / 2));
    EXPECT_FALSE(decode(cut));
    std::vector<uint8_t> flipped = good;
    flipped[good.size() / 2] ^= 0xFF; // breaks a chunk's checksum
    EXPECT_FALSE(decode(flipped));

    auto jpeg = UIImageJPEGRepresentation(solid(64, 64, 1, UIColor::blueColor().get()).get(), 0.9)->bytes();
    EXPECT_TRUE(decode(jpeg));
    EXPECT_FALSE(decode(std::vector<uint8_t>(jpeg.begin(), jpeg.begin() + long(jpeg.size() / 2))));
    std::vector<uint8_t> garbage = { 0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x02, 0x13, 0x37, 0xAB, 0xCD };
    EXPECT_FALSE(decode(garbage));
    // A frame header declaring 65000 x 65000 pixels.
    std::vector<uint8_t> huge = { 0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0xFD, 0xE8, 0xFD, 0xE8, 0x03,
        0x01, 0x22, 0x00, 0x02, 0x11, 0x01, 0x03, 0x11, 0x01, 0xFF, 0xD9 };
    EXPECT_FALSE(decode(huge));
    EXPECT_FALSE(decode({}));
    EXPECT_FALSE(decode({ 'h', 'e', 'l', 'l', 'o' }));
    EXPECT_FALSE(UIImage::imageWithContentsOfFile(ns("/no/such/picture.png").get()));
}

TEST(UIGraphics, ImageContextsAreInPointsAtTheScaleAsked)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(10, 5), false, 0);
    auto screenScaled = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    ASSERT_TRUE(screenScaled);
    EXPECT_EQ(screenScaled->scale(), UIScreen::mainScreen()->scale());
    EXPECT_EQ(screenScaled->size(), CGSizeMake(10, 5));
    EXPECT_EQ(screenScaled->CGImage()->width(), long(10 * UIScreen::mainScreen()->scale()));

    // Fractional sizes round up to whole pixels; an empty size opens nothing.
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(10.2, 3), false, 1);
    EXPECT_EQ(UIGraphicsGetImageFromCurrentImageContext()->CGImage()->width(), 11);
    UIGraphicsEndImageContext();
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(0, 3), false, 1);
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    EXPECT_FALSE(UIGraphicsGetImageFromCurrentImageContext());
    UIGraphicsEndImageContext();
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(1e9, 1e9), false, 2);
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
}

TEST(UIGraphics, DrawImageIsFlippedWhereDrawInRectIsUpright)
{
    // Red on top, blue below.
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(2, 2), false, 1);
    CGContextRef c = UIGraphicsGetCurrentContext();
    CGContextSetFillColorWithColor(c, UIColor::redColor().get());
    CGContextFillRect(c, CGRectMake(0, 0, 2, 1));
    CGContextSetFillColorWithColor(c, UIColor::blueColor().get());
    CGContextFillRect(c, CGRectMake(0, 1, 2, 1));
    auto picture = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();

    UIGraphicsBeginImageContextWithOptions(CGSizeMake(4, 2), false, 1);
    picture->drawInRect(CGRectMake(0, 0, 2, 2));
    CGContextDrawImage(UIGraphicsGetCurrentContext(), CGRectMake(2, 0, 2, 2), picture->CGImage().get());
    auto both = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    EXPECT_TRUE(isColour(at(both.get(), 0, 0), 255, 0, 0));
    EXPECT_TRUE(isColour(at(both.get(), 0, 1), 0, 0, 255));
    EXPECT_TRUE(isColour(at(both.get(), 3, 0), 0, 0, 255));
    EXPECT_TRUE(isColour(at(both.get(), 3, 1), 255, 0, 0));
}

TEST(UIBezierPath, RoundsOnlyTheChosenCornersAndClips)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(40, 20), false, 1);
    CGContextRef c = UIGraphicsGetCurrentContext();
    UIBezierPath::bezierPathWithRoundedRect(CGRectMake(0, 0, 40, 20), UIRectCornerTopRight, CGSizeMake(10, 10))->addClip();
    CGContextSetFillColorWithColor(c, UIColor::whiteColor().get());
    CGContextFillRect(c, CGRectMake(0, 0, 40, 20));
    auto tab = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    EXPECT_EQ(at(tab.get(), 39, 0).a, 0);    // the rounded corner
    EXPECT_EQ(at(tab.get(), 0, 0).a, 255);   // the square ones
    EXPECT_EQ(at(tab.get(), 39, 19).a, 255);
    EXPECT_EQ(at(tab.get(), 0, 19).a, 255);
    EXPECT_EQ(at(tab.get(), 35, 5).a, 255);  // inside the arc

    UIGraphicsBeginImageContextWithOptions(CGSizeMake(20, 20), false, 1);
    CGContextSetFillColorWithColor(UIGraphicsGetCurrentContext(), UIColor::blackColor().get());
    UIBezierPath::bezierPathWithOvalInRect(CGRectMake(0, 0, 20, 20))->fill();
    auto oval = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    EXPECT_EQ(at(oval.get(), 0, 0).a, 0);
    EXPECT_EQ(at(oval.get(), 10, 10).a, 255);
    EXPECT_EQ(at(oval.get(), 1, 10).a, 255);
}

TEST(CALayer, RendersBackgroundsCornersSubviewsAndOpacity)
{
    auto card = UIView::create(CGRectMake(0, 0, 40, 30));
    card->setBackgroundColor(UIColor::redColor().get());
    card->layer()->setCornerRadius(8);
    card->setClipsToBounds(true);
    auto inner = UIView::create(CGRectMake(30, 20, 20, 20)); // sticks out: clipped
    inner->setBackgroundColor(UIColor::blueColor().get());
    card->addSubview(inner.get());
    auto hidden = UIView::create(CGRectMake(0, 0, 10, 10));
    hidden->setBackgroundColor(UIColor::greenColor().get());
    hidden->setHidden(true);
    card->addSubview(hidden.get());
    auto faded = UIView::create(CGRectMake(10, 10, 5, 5));
    faded->setBackgroundColor(UIColor::whiteColor().get());
    faded->setAlpha(0.5);
    card->addSubview(faded.get());

    UIGraphicsBeginImageContextWithOptions(CGSizeMake(60, 50), false, 2);
    card->layer()->renderInContext(UIGraphicsGetCurrentContext());
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    EXPECT_EQ(at(image.get(), 0, 0).a, 0);                      // the rounded corner
    EXPECT_TRUE(isColour(at(image.get(), 4, 20), 255, 0, 0));   // hidden green is not drawn
    EXPECT_TRUE(isColour(at(image.get(), 40, 40), 255, 0, 0));
    EXPECT_TRUE(isColour(at(image.get(), 65, 45), 0, 0, 255));
    EXPECT_EQ(at(image.get(), 90, 50).a, 0);                    // beyond the card: clipped
    EXPECT_TRUE(isColour(at(image.get(), 25, 25), 255, 128, 128, 2)); // half white over red
}

TEST(CALayer, AppliesAViewsTransformAboutItsCentre)
{
    auto holder = UIView::create(CGRectMake(0, 0, 20, 20));
    auto bar = UIView::create(CGRectMake(0, 8, 20, 4));
    bar->setBackgroundColor(UIColor::blackColor().get());
    holder->addSubview(bar.get());
    bar->setTransform(CGAffineTransformMakeRotation(M_PI / 2));
    EXPECT_EQ(bar->frame(), CGRectMake(8, 0, 4, 20));
    EXPECT_EQ(bar->bounds().size, CGSizeMake(20, 4));
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(20, 20), false, 1);
    holder->layer()->renderInContext(UIGraphicsGetCurrentContext());
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    EXPECT_EQ(at(image.get(), 10, 1).a, 255);
    EXPECT_EQ(at(image.get(), 1, 10).a, 0);
}

TEST(TextLayout, HelveticaNamesResolveToHelveticaMetricFacesAndMeasureFractionally)
{
    EXPECT_EQ(TextResolvedFamily("Helvetica Neue"), "TeX Gyre Heros");
    EXPECT_EQ(TextResolvedFamily("HelveticaNeue"), "TeX Gyre Heros");
    EXPECT_EQ(TextResolvedFamily("HelveticaNeue-Bold"), "TeX Gyre Heros Bold");
    EXPECT_EQ(TextResolvedFamily("HelveticaNeue-Light"), "Roboto Light");
    EXPECT_EQ(TextResolvedFamily("Helvetica Light"), "Roboto Light");
    // Helvetica's advance widths: "some_user" at 14 points is 69.244 points wide.
    double width = TextWidth("some_user", "Helvetica Neue", 14);
    EXPECT_NEAR(width, 69.244, 0.01);
    auto font = UIFont::fontWithName(ns("Helvetica Neue").get(), 14);
    auto attributes = NSDictionary::create({ { NSFontAttributeName, Ref<Object>(*font) } });
    CGSize measured = objc::send<CGSize(id)>(ns("some_user"), "sizeWithAttributes:", attributes.get());
    EXPECT_NEAR(measured.width, 69.244, 0.01);
    EXPECT_GT(measured.height, 14);
    EXPECT_GT(TextWidth("some_user", "HelveticaNeue-Bold", 14), width);
}

TEST(UILabel, DrawsItsTextInsideItsBoundsAndShrinksToFit)
{
    auto label = UILabel::create(CGRectMake(0, 0, 120, 30));
    label->setText(ns("Hello").get());
    label->setFont(UIFont::fontWithName(ns("Helvetica Neue").get(), 20).get());
    label->setTextColor(UIColor::blackColor().get());
    label->setTextAlignment(NSTextAlignmentRight);
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(120, 30), false, 1);
    label->layer()->renderInContext(UIGraphicsGetCurrentContext());
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    long inkLeft = 120, inkRight = -1;
    for (long x = 0; x < 120; ++x)
        for (long y = 0; y < 30; ++y)
            if (at(image.get(), x, y).a > 128) {
                inkLeft = std::min(inkLeft, x);
                inkRight = std::max(inkRight, x);
            }
    double textWidth = label->font()->widthOfText("Hello");
    EXPECT_GE(inkRight, 115);                    // right aligned
    EXPECT_NEAR(double(inkLeft), 120 - textWidth, 3);

    label->setAdjustsFontSizeToFitWidth(true);
    label->setMinimumScaleFactor(0.5);
    label->setText(ns("A much longer line of text").get());
    double natural = label->font()->widthOfText("A much longer line of text");
    EXPECT_NEAR(label->drawnFontSize(120), 20 * 120 / natural, 0.01);
    label->setText(ns("A much much much much much longer line of text").get());
    EXPECT_DOUBLE_EQ(label->drawnFontSize(120), 10); // not below half
}
