// Draws the pictures of the system's resource bundle (igTarvo.bundle) into a
// folder, at build time: the repost icon, the actions menu button and the
// five layout pictures of the repost chooser. Usage: PROGRAM FOLDER.

#include "platform/foundation/NSPathUtilities.h"
#include "platform/graphics/CGContext.h"
#include "platform/uikit/UIBezierPath.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIImage.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

using namespace platform;

namespace {

bool write(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

RefPtr<UIImage> finish()
{
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image;
}

void strokeLine(CGContextRef c, CGPoint a, CGPoint b)
{
    CGContextBeginPath(c);
    auto path = UIBezierPath::bezierPath();
    path->moveToPoint(a);
    path->addLineToPoint(b);
    CGContextAddPath(c, path->CGPath().get());
    CGContextStrokePath(c);
}

void fillTriangle(CGContextRef c, CGPoint a, CGPoint b, CGPoint d)
{
    auto path = UIBezierPath::bezierPath();
    path->moveToPoint(a);
    path->addLineToPoint(b);
    path->addLineToPoint(d);
    path->closePath();
    CGContextBeginPath(c);
    CGContextAddPath(c, path->CGPath().get());
    CGContextFillPath(c);
}

// Two arrows chasing each other round a loop, 50 x 31 points.
RefPtr<UIImage> repostIcon(double scale)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(50, 31), false, scale);
    CGContextRef c = UIGraphicsGetCurrentContext();
    auto grey = UIColor::colorWithWhite(0.22, 1);
    CGContextSetStrokeColorWithColor(c, grey.get());
    CGContextSetFillColorWithColor(c, grey.get());
    CGContextSetLineWidth(c, 3.2);
    // Upper arrow: up the left side, along the top, pointing right.
    strokeLine(c, { 8, 22 }, { 8, 9 });
    strokeLine(c, { 6.4, 7.5 }, { 36, 7.5 });
    fillTriangle(c, { 35, 1.5 }, { 44, 7.5 }, { 35, 13.5 });
    // Lower arrow: down the right side, along the bottom, pointing left.
    strokeLine(c, { 42, 9 }, { 42, 22 });
    strokeLine(c, { 43.6, 23.5 }, { 14, 23.5 });
    fillTriangle(c, { 15, 17.5 }, { 6, 23.5 }, { 15, 29.5 });
    return finish();
}

// Three dots in a row, 30 x 30 points.
RefPtr<UIImage> menuButton(double scale)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(30, 30), false, scale);
    CGContextRef c = UIGraphicsGetCurrentContext();
    CGContextSetFillColorWithColor(c, UIColor::colorWithWhite(0.6, 1).get());
    for (int i = 0; i < 3; ++i)
        CGContextFillEllipseInRect(c, CGRectMake(5.5 + i * 7.5, 12.5, 4.5, 4.5));
    return finish();
}

// A small photo (sky, sun, hill) with the watermark tab along the position's edge, 60 x 60 points.
RefPtr<UIImage> layoutPicture(long position)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(60, 60), true, 2);
    CGContextRef c = UIGraphicsGetCurrentContext();
    CGContextSetFillColorWithColor(c, UIColor::colorWithRed(0.55, 0.75, 0.93, 1).get());
    CGContextFillRect(c, CGRectMake(0, 0, 60, 60));
    CGContextSetFillColorWithColor(c, UIColor::colorWithRed(1, 0.83, 0.3, 1).get());
    CGContextFillEllipseInRect(c, CGRectMake(38, 9, 12, 12));
    CGContextSetFillColorWithColor(c, UIColor::colorWithRed(0.35, 0.62, 0.33, 1).get());
    CGContextFillEllipseInRect(c, CGRectMake(-20, 36, 100, 60));
    CGRect tab;
    unsigned long corner = UIRectCornerAllCorners;
    switch (position) {
    case 1: tab = CGRectMake(0, 50, 38, 10); corner = UIRectCornerTopRight; break;
    case 2: tab = CGRectMake(0, 0, 10, 38); corner = UIRectCornerBottomRight; break;
    case 3: tab = CGRectMake(0, 0, 38, 10); corner = UIRectCornerBottomRight; break;
    case 4: tab = CGRectMake(50, 0, 10, 38); corner = UIRectCornerBottomLeft; break;
    default: return finish();
    }
    CGContextSetFillColorWithColor(c, UIColor::whiteColor().get());
    CGContextBeginPath(c);
    CGContextAddPath(c, UIBezierPath::bezierPathWithRoundedRect(tab, corner, CGSizeMake(4, 4))->CGPath().get());
    CGContextFillPath(c);
    // The tab's content: a dot for the picture, a line for the name.
    CGContextSetFillColorWithColor(c, UIColor::colorWithWhite(0.45, 1).get());
    bool across = tab.size.width > tab.size.height;
    double x = tab.origin.x, y = tab.origin.y;
    if (across) {
        CGContextFillEllipseInRect(c, CGRectMake(x + 4, y + 2.5, 5, 5));
        CGContextFillRect(c, CGRectMake(x + 12, y + 4, 20, 2));
    } else {
        CGContextFillEllipseInRect(c, CGRectMake(x + 2.5, y + 4, 5, 5));
        CGContextFillRect(c, CGRectMake(x + 4, y + 12, 2, 20));
    }
    return finish();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 1;
    }
    std::filesystem::path folder = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    bool ok = true;
    auto png = [&](const char* name, RefPtr<UIImage> image) {
        ok = image && write((folder / name).string(), image->CGImage()->encodePNG(9)) && ok;
    };
    png("repost-icon.png", repostIcon(1));
    png("repost-icon@2x.png", repostIcon(2));
    png("repost-icon@3x.png", repostIcon(3));
    png("menu.png", menuButton(1));
    png("menu@2x.png", menuButton(2));
    png("menu@3x.png", menuButton(3));
    for (long i = 0; i <= 4; ++i) {
        auto picture = layoutPicture(i);
        std::string name = "repost" + std::to_string(i) + "@2x.jpg";
        ok = picture && write((folder / name).string(), picture->CGImage()->encodeJPEG(90)) && ok;
    }
    if (!ok) {
        std::fprintf(stderr, "could not draw the bundle's pictures into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
