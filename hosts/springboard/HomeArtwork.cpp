#include "hosts/springboard/HomeArtwork.h"
#include "platform/graphics/CGContext.h"
#include "platform/uikit/CALayer.h"
#include "platform/uikit/UIBezierPath.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UILabel.h"

namespace hosts::springboard {

using namespace platform;

namespace {

RefPtr<UIImage> finish()
{
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

// Horizontal bands from one colour to another, top to bottom.
void bands(CGContextRef c, CGRect r, const double from[3], const double to[3], int steps)
{
    for (int i = 0; i < steps; ++i) {
        double t = double(i) / (steps - 1);
        CGContextSetFillColorWithColor(c, UIColor::colorWithRed(from[0] + (to[0] - from[0]) * t, from[1] + (to[1] - from[1]) * t,
            from[2] + (to[2] - from[2]) * t, 1).get());
        CGContextFillRect(c, CGRectMake(r.origin.x, r.origin.y + r.size.height * i / steps, r.size.width, r.size.height / steps + 0.5));
    }
}

void strokePath(CGContextRef c, UIBezierPath* path, double width)
{
    CGContextSetLineWidth(c, width);
    CGContextBeginPath(c);
    CGContextAddPath(c, path->CGPath().get());
    CGContextStrokePath(c);
}

} // namespace

RefPtr<UIImage> homeIconImage(const std::string& id)
{
    CGRect r = CGRectMake(0, 0, 60, 60);
    UIGraphicsBeginImageContextWithOptions(r.size, false, 0);
    CGContextRef c = UIGraphicsGetCurrentContext();
    UIBezierPath::bezierPathWithRoundedRectCornerRadius(r, 13.5)->addClip();
    auto white = UIColor::whiteColor();
    if (id == "com.burbn.instagram") {
        const double top[3] = { 0.51, 0.2, 0.69 }, bottom[3] = { 0.99, 0.69, 0.27 };
        bands(c, r, top, bottom, 60);
        CGContextSetStrokeColorWithColor(c, white.get());
        strokePath(c, UIBezierPath::bezierPathWithRoundedRectCornerRadius(CGRectMake(13, 13, 34, 34), 9).get(), 3.5);
        strokePath(c, UIBezierPath::bezierPathWithOvalInRect(CGRectMake(22, 22, 16, 16)).get(), 3.5);
        CGContextSetFillColorWithColor(c, white.get());
        CGContextFillEllipseInRect(c, CGRectMake(38.5, 17.5, 4, 4));
    } else if (id == "com.apple.MobileSMS") {
        const double top[3] = { 0.4, 0.87, 0.4 }, bottom[3] = { 0.1, 0.72, 0.2 };
        bands(c, r, top, bottom, 30);
        CGContextSetFillColorWithColor(c, white.get());
        CGContextFillEllipseInRect(c, CGRectMake(10, 13, 40, 31));
        auto tail = UIBezierPath::bezierPath();
        tail->moveToPoint(CGPointMake(15, 36));
        tail->addLineToPoint(CGPointMake(11, 47));
        tail->addLineToPoint(CGPointMake(24, 41));
        tail->closePath();
        tail->fill();
    } else {
        const double top[3] = { 1, 1, 1 }, bottom[3] = { 0.88, 0.9, 0.93 };
        bands(c, r, top, bottom, 30);
        CGContextSetStrokeColorWithColor(c, UIColor::colorWithRed(0.1, 0.5, 0.95, 1).get());
        strokePath(c, UIBezierPath::bezierPathWithOvalInRect(CGRectMake(8, 8, 44, 44)).get(), 3);
        auto needle = UIBezierPath::bezierPath();
        needle->moveToPoint(CGPointMake(41, 19));
        needle->addLineToPoint(CGPointMake(33, 33));
        needle->addLineToPoint(CGPointMake(27, 27));
        needle->closePath();
        CGContextSetFillColorWithColor(c, UIColor::colorWithRed(0.93, 0.2, 0.2, 1).get());
        needle->fill();
        auto back = UIBezierPath::bezierPath();
        back->moveToPoint(CGPointMake(19, 41));
        back->addLineToPoint(CGPointMake(27, 27));
        back->addLineToPoint(CGPointMake(33, 33));
        back->closePath();
        CGContextSetFillColorWithColor(c, UIColor::colorWithWhite(0.75, 1).get());
        back->fill();
    }
    return finish();
}

RefPtr<UIImage> wallpaperImage(CGSize size)
{
    UIGraphicsBeginImageContextWithOptions(size, true, 0);
    const double top[3] = { 0.12, 0.24, 0.42 }, bottom[3] = { 0.36, 0.22, 0.45 };
    bands(UIGraphicsGetCurrentContext(), CGRect { CGPointZero, size }, top, bottom, 120);
    return finish();
}

Ref<UIView> statusBar(double width, bool darkText)
{
    auto bar = UIView::create(CGRectMake(0, 0, width, 20));
    bar->setUserInteractionEnabled(false);
    auto colour = darkText ? UIColor::blackColor() : UIColor::whiteColor();
    struct Part { const char* text; CGRect frame; long alignment; };
    for (const Part& p : { Part { "Carrier", CGRectMake(6, 0, 100, 20), NSTextAlignmentLeft },
             Part { "9:41 AM", CGRectMake(width / 2 - 50, 0, 100, 20), NSTextAlignmentCenter },
             Part { "100%", CGRectMake(width - 106, 0, 70, 20), NSTextAlignmentRight } }) {
        auto label = UILabel::create(p.frame);
        label->setText(ns(p.text).get());
        label->setFont(UIFont::fontWithName(ns(p.alignment == NSTextAlignmentCenter ? "HelveticaNeue-Bold" : "HelveticaNeue").get(), 12).get());
        label->setTextColor(colour.get());
        label->setTextAlignment(p.alignment);
        bar->addSubview(label.get());
    }
    // The battery: an outline and its charge.
    auto battery = UIView::create(CGRectMake(width - 31, 6, 24, 11));
    battery->layer()->setBorderWidth(1);
    battery->layer()->setBorderColor(colour.get());
    battery->layer()->setCornerRadius(2.5);
    auto charge = UIView::create(CGRectMake(2, 2, 20, 7));
    charge->setBackgroundColor(colour.get());
    battery->addSubview(charge.get());
    bar->addSubview(battery.get());
    return bar;
}

} // namespace hosts::springboard
