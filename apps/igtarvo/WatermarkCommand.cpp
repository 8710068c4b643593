// igtarvo watermark IMAGE --user NAME [--profile-picture FILE_OR_URL] --position 0..4 [-o OUT.png]
//
// Runs what a repost runs on a picture — the watermark tab along the
// position's edge, then the square — and writes the squared PNG. The
// picture's pixels count at the device's screen scale, so the output keeps
// the picture's own resolution. Where the device does not exist yet, the
// default layout is made first (the tab's icon is one of its pictures).

#include "apps/igtarvo/Command.h"
#include "apps/igtarvo/RepostPoster.h"
#include "apps/simulator/DeviceLayout.h"
#include "feed/actions/TarvoImageTools.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSPathUtilities.h"
#include "platform/graphics/CGImage.h"
#include "platform/foundation/NSURL.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIScreen.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

using namespace igtarvo::cli;
using namespace platform;
namespace fs = std::filesystem;

namespace {

struct Options {
    std::string image;
    std::string user;
    std::string profilePicture;
    std::string output;
    long position { -1 };
};

bool parsePosition(const std::string& text, long& out)
{
    if (text.size() != 1 || text[0] < '0' || text[0] > '4')
        return false;
    out = text[0] - '0';
    return true;
}

bool readAll(const std::string& path, std::vector<uint8_t>& bytes)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::string defaultOutput(const std::string& image)
{
    fs::path p(image);
    return (p.parent_path() / (p.stem().string() + "-repost.png")).string();
}

int run(const Invocation& inv)
{
    Options o;
    const auto& a = inv.args;
    for (size_t i = 0; i < a.size(); ++i) {
        auto value = [&](const char* flag) -> const std::string* {
            if (i + 1 >= a.size())
                return nullptr;
            (void)flag;
            return &a[++i];
        };
        if (a[i] == "--user") {
            auto v = value("--user");
            if (!v) return fail("--user needs a name");
            o.user = *v;
        } else if (a[i] == "--profile-picture") {
            auto v = value("--profile-picture");
            if (!v) return fail("--profile-picture needs a file or an address");
            o.profilePicture = *v;
        } else if (a[i] == "--position") {
            auto v = value("--position");
            if (!v || !parsePosition(*v, o.position))
                return fail("--position takes 0 (none), 1 (bottom), 2 (left), 3 (top) or 4 (right)");
        } else if (a[i] == "-o" || a[i] == "--output") {
            auto v = value("-o");
            if (!v) return fail("-o needs a file name");
            o.output = *v;
        } else if (!a[i].empty() && a[i][0] == '-') {
            return fail("unknown option '" + a[i] + "'");
        } else if (o.image.empty()) {
            o.image = a[i];
        } else {
            return fail("one picture at a time ('" + a[i] + "' is extra)");
        }
    }
    if (o.image.empty())
        return fail("watermark needs a picture: watermark IMAGE --user NAME --position 0..4 [-o OUT.png]");
    if (o.user.empty())
        return fail("watermark needs the poster's name (--user NAME)");
    if (o.position < 0)
        return fail("watermark needs a position (--position 0..4)");
    if (o.output.empty())
        o.output = defaultOutput(o.image);

    std::vector<uint8_t> bytes;
    if (!readAll(o.image, bytes))
        return fail("cannot read " + o.image);
    std::vector<uint8_t> profileBytes;
    if (!o.profilePicture.empty() && !looksLikeURL(o.profilePicture) && !readAll(o.profilePicture, profileBytes))
        return fail("cannot read the profile picture " + o.profilePicture);

    if (!igtarvo::simulator::deviceExists(inv.root)) {
        auto made = igtarvo::simulator::createDevice(inv.root);
        if (!made.ok)
            return fail(made.error);
    }
    // Pixels count at the screen's scale, as the app's own pictures do.
    double scale = UIScreen::mainScreen()->scale();
    auto image = UIImage::imageWithDataScale(NSData::create(std::move(bytes)).get(), scale);
    if (!image)
        return fail(o.image + " is not a PNG or JPEG picture (or its size is beyond " + std::to_string(kMaxImageSide) + " pixels a side)");

    // The app's Documents folder receives "result.png" and "squared.png", as in a repost.
    std::string container = igtarvo::simulator::instagramDataContainer();
    if (!container.empty())
        setHomeDirectory(container);

    // A local profile picture is handed over as the app would see it: a file of the device.
    RepostPoster poster;
    std::string error;
    if (!poster.make(o.user, o.profilePicture, error))
        return fail(error);
    auto squared = objc::send<RefPtr<UIImage>(UIImage*, id, long)>(igtarvo::TarvoImageTools::sharedTools(),
        "generateWatermarkForImage:withUser:position:", image.get(), poster.object(), o.position);
    if (!squared || !squared->CGImage())
        return fail("could not draw the watermarked picture");
    auto png = squared->CGImage()->encodePNG();
    if (png.empty() || !writeBytesToHostFile(png, o.output, true))
        return fail("cannot write " + o.output);
    std::printf("%s %ldx%ld\n", o.output.c_str(), squared->CGImage()->width(), squared->CGImage()->height());
    return 0;
}

} // namespace

IGTARVO_COMMAND("watermark",
    "  watermark IMAGE --user NAME [--profile-picture FILE_OR_URL] --position 0..4 [-o OUT.png]\n"
    "                                               the repost's watermark and square on a PNG or JPEG;\n"
    "                                               prints the output (default IMAGE-repost.png) and its size",
    run);
