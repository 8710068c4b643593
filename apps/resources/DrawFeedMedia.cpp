// Draws the pictures of the device's sample feed into a folder, at build
// time: the posts' photos (each in a full and a small version, JPEG) and the
// posters' profile pictures. Usage: PROGRAM FOLDER. The sample feed's videos
// are made beside them by the build with the ffmpeg program.

#include "platform/graphics/CGContext.h"
#include "platform/graphics/CGImage.h"
#include "platform/uikit/UIBezierPath.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIImage.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

using namespace platform;
namespace fs = std::filesystem;

namespace {

bool write(const fs::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}

Ref<UIColor> rgb(int r, int g, int b) { return UIColor::colorWithRed(r / 255.0, g / 255.0, b / 255.0, 1); }

void fill(CGContextRef c, UIColor* colour, CGRect rect)
{
    CGContextSetFillColorWithColor(c, colour);
    CGContextFillRect(c, rect);
}

void disc(CGContextRef c, UIColor* colour, double x, double y, double r)
{
    CGContextSetFillColorWithColor(c, colour);
    CGContextFillEllipseInRect(c, CGRectMake(x - r, y - r, 2 * r, 2 * r));
}

void polygon(CGContextRef c, UIColor* colour, std::initializer_list<CGPoint> points)
{
    auto path = UIBezierPath::bezierPath();
    bool first = true;
    for (CGPoint p : points) {
        if (first)
            path->moveToPoint(p);
        else
            path->addLineToPoint(p);
        first = false;
    }
    path->closePath();
    CGContextSetFillColorWithColor(c, colour);
    CGContextBeginPath(c);
    CGContextAddPath(c, path->CGPath().get());
    CGContextFillPath(c);
}

// A vertical blend from one colour to another in bands.
void gradient(CGContextRef c, CGRect rect, int r0, int g0, int b0, int r1, int g1, int b1)
{
    const int bands = 48;
    for (int i = 0; i < bands; ++i) {
        double t = double(i) / (bands - 1);
        auto colour = rgb(int(r0 + (r1 - r0) * t), int(g0 + (g1 - g0) * t), int(b0 + (b1 - b0) * t));
        double h = rect.size.height / bands;
        fill(c, colour.get(), CGRectMake(rect.origin.x, rect.origin.y + i * h, rect.size.width, h + 1));
    }
}

// Boats in a harbour at sunrise, 4:3.
void harbour(CGContextRef c, double w, double h)
{
    gradient(c, CGRectMake(0, 0, w, h * 0.62), 255, 183, 120, 250, 228, 190);
    disc(c, rgb(255, 240, 200).get(), w * 0.7, h * 0.45, h * 0.12);
    gradient(c, CGRectMake(0, h * 0.62, w, h * 0.38), 60, 120, 170, 20, 60, 110);
    for (int i = 0; i < 3; ++i) {
        double x = w * (0.15 + 0.28 * i), y = h * (0.66 + 0.05 * (i % 2));
        polygon(c, rgb(90, 50, 30).get(), { { x, y }, { x + w * 0.16, y }, { x + w * 0.13, y + h * 0.05 }, { x + w * 0.03, y + h * 0.05 } });
        polygon(c, UIColor::whiteColor().get(), { { x + w * 0.08, y - h * 0.01 }, { x + w * 0.08, y - h * 0.25 }, { x + w * 0.15, y - h * 0.01 } });
        polygon(c, rgb(230, 90, 70).get(), { { x + w * 0.07, y - h * 0.01 }, { x + w * 0.07, y - h * 0.18 }, { x + w * 0.02, y - h * 0.01 } });
    }
}

// A desk from above: a laptop, a notebook and a cup, square.
void desk(CGContextRef c, double w, double h)
{
    fill(c, rgb(196, 150, 104).get(), CGRectMake(0, 0, w, h));
    for (int i = 0; i < 8; ++i)
        fill(c, rgb(182, 136, 92).get(), CGRectMake(0, h * (0.06 + 0.125 * i), w, h * 0.012));
    fill(c, rgb(60, 62, 68).get(), CGRectMake(w * 0.18, h * 0.22, w * 0.5, h * 0.34));
    fill(c, rgb(120, 180, 230).get(), CGRectMake(w * 0.21, h * 0.25, w * 0.44, h * 0.28));
    fill(c, rgb(200, 202, 206).get(), CGRectMake(w * 0.14, h * 0.56, w * 0.58, h * 0.06));
    fill(c, rgb(250, 245, 230).get(), CGRectMake(w * 0.2, h * 0.7, w * 0.3, h * 0.2));
    disc(c, UIColor::whiteColor().get(), w * 0.8, h * 0.75, w * 0.09);
    disc(c, rgb(90, 55, 30).get(), w * 0.8, h * 0.75, w * 0.07);
}

// A cup of coffee on a dark table, square.
void roast(CGContextRef c, double w, double h)
{
    gradient(c, CGRectMake(0, 0, w, h), 70, 45, 30, 30, 18, 12);
    disc(c, rgb(235, 230, 220).get(), w * 0.5, h * 0.52, w * 0.3);
    disc(c, UIColor::whiteColor().get(), w * 0.5, h * 0.5, w * 0.24);
    disc(c, rgb(110, 65, 35).get(), w * 0.5, h * 0.5, w * 0.2);
    disc(c, rgb(200, 160, 120).get(), w * 0.5, h * 0.5, w * 0.06);
    fill(c, rgb(235, 230, 220).get(), CGRectMake(w * 0.76, h * 0.46, w * 0.12, h * 0.08));
}

// Snowy mountains under a blue sky, 4:5.
void mountains(CGContextRef c, double w, double h)
{
    gradient(c, CGRectMake(0, 0, w, h), 90, 150, 220, 200, 225, 245);
    polygon(c, rgb(80, 90, 110).get(), { { 0, h * 0.8 }, { w * 0.3, h * 0.3 }, { w * 0.6, h * 0.8 } });
    polygon(c, rgb(100, 110, 130).get(), { { w * 0.35, h * 0.8 }, { w * 0.7, h * 0.22 }, { w, h * 0.7 }, { w, h * 0.8 } });
    polygon(c, UIColor::whiteColor().get(), { { w * 0.3, h * 0.3 }, { w * 0.24, h * 0.4 }, { w * 0.36, h * 0.4 } });
    polygon(c, UIColor::whiteColor().get(), { { w * 0.7, h * 0.22 }, { w * 0.62, h * 0.34 }, { w * 0.79, h * 0.34 } });
    fill(c, rgb(60, 120, 70).get(), CGRectMake(0, h * 0.8, w, h * 0.2));
}

// A profile picture: a coloured disc with a lighter ring, square.
void profile(CGContextRef c, double side, Ref<UIColor> colour)
{
    fill(c, UIColor::whiteColor().get(), CGRectMake(0, 0, side, side));
    disc(c, colour.get(), side / 2, side / 2, side / 2);
    disc(c, UIColor::colorWithWhite(1, 0.35).get(), side / 2, side * 0.4, side * 0.18);
    disc(c, UIColor::colorWithWhite(1, 0.35).get(), side / 2, side * 0.95, side * 0.32);
}

bool draw(const fs::path& path, double w, double h, const std::function<void(CGContextRef, double, double)>& painter)
{
    UIGraphicsBeginImageContextWithOptions(CGSizeMake(w, h), true, 1);
    painter(UIGraphicsGetCurrentContext(), w, h);
    auto image = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    return image && write(path, image->CGImage()->encodeJPEG(88));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    fs::path folder = argv[1];
    fs::create_directories(folder / "media");
    fs::create_directories(folder / "profiles");
    struct Photo {
        const char* name;
        double width, height;
        void (*painter)(CGContextRef, double, double);
    };
    const Photo photos[] = {
        { "harbour", 640, 480, harbour },
        { "desk", 640, 640, desk },
        { "roast", 640, 640, roast },
        { "mountains", 640, 800, mountains },
    };
    bool ok = true;
    for (const Photo& p : photos) {
        ok = draw(folder / "media" / (std::string(p.name) + ".jpg"), p.width, p.height, p.painter) && ok;
        ok = draw(folder / "media" / (std::string(p.name) + "_small.jpg"), p.width / 2, p.height / 2, p.painter) && ok;
    }
    struct Person {
        const char* name;
        int r, g, b;
    };
    const Person people[] = {
        { "lena.sails", 64, 140, 200 }, { "tarvo.demo", 120, 80, 180 }, { "kai_rides", 230, 120, 40 },
        { "mira.makes", 60, 170, 120 }, { "brewco", 120, 70, 40 }, { "oskar.north", 200, 60, 90 },
    };
    for (const Person& p : people)
        ok = draw(folder / "profiles" / (std::string(p.name) + ".jpg"), 150, 150, [&](CGContextRef c, double w, double) { profile(c, w, rgb(p.r, p.g, p.b)); }) && ok;
    if (!ok) {
        std::fprintf(stderr, "could not draw the sample feed's pictures into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
