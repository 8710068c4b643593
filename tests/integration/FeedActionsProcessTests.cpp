// The feed's actions across real processes: a device with its sample feed,
// the stand-in Instagram (with its feed service) driven through its control
// channel as a person would, and the igtarvo command reading what crossed
// to the device (pasteboard, photo library, Instagram's temporary folder).

#include "apps/simulator/DeviceLayout.h"
#include "platform/graphics/CGImage.h"
#include "platform/net/HTTPClient.h"
#include "platform/photos/PhotoLibrary.h"
#include "platform/uikit/UIImage.h"
#include "tests/support/Hosts.h"
#include "tests/support/TemporaryDevice.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace testsupport;
using platform::PhotoLibrary;

namespace {

size_t libraryCount(const char* kind)
{
    size_t n = 0;
    for (auto& asset : PhotoLibrary::assets())
        n += asset.kind == kind;
    return n;
}

std::string runIgtarvo(const std::vector<std::string>& args, int* status = nullptr)
{
    std::vector<std::string> all { "--root", platform::Device::root() };
    all.insert(all.end(), args.begin(), args.end());
    auto child = ChildProgram::start(igtarvo::simulator::buildDirectory() + "/bin/igtarvo", "igtarvo", all);
    std::string out;
    int code = child.finish(&out);
    if (status)
        *status = code;
    return out;
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// How many opaque, nearly white pixels a column of the bitmap has.
int whiteInColumn(const platform::CGImage& bitmap, long x)
{
    int n = 0;
    for (long y = 0; y < bitmap.height(); ++y) {
        auto p = bitmap.pixelAt(x, y);
        n += p.a > 240 && p.r > 235 && p.g > 235 && p.b > 235;
    }
    return n;
}

} // namespace

TEST(FeedActionsRoad, APersonUsesTheActionsMenuOfTheSampleFeed)
{
    TemporaryDevice device;
    auto instagram = startHost("Instagram");
    ASSERT_GT(instagram.pid(), 0);

    std::string feed = control("Instagram", "feed");
    ASSERT_TRUE(has(feed, "1 photo @lena.sails caption=\"Morning light over the harbour, ready to sail #sunrise\"")) << feed;
    EXPECT_TRUE(has(feed, "3 video @kai_rides")) << feed;
    EXPECT_TRUE(has(feed, "4 video (no sound) @mira.makes")) << feed;
    EXPECT_TRUE(has(feed, "5 photo @brewco caption=\"Try our new morning roast\" sponsored media=loaded more-actions=hidden")) << feed;
    EXPECT_TRUE(has(feed, "6 photo @oskar.north no caption")) << feed;

    // Someone else's photo: four entries, Repost second, the strip.
    std::string menu = control("Instagram", "open-menu 1");
    EXPECT_EQ(menu, "title: igTarvo Actions\nmessage: Select an action below\n"
                    "entry: Copy Caption (default)\nentry: Repost (default)\nentry: Save Media (default)\nentry: Cancel (destructive)\n"
                    "strip: shown (5 pictures)\n");
    EXPECT_EQ(control("Instagram", "tap-strip 3"), "chosen 2\n");
    std::string caption;
    EXPECT_TRUE(eventually([&] { return (caption = control("Instagram", "share-caption")) != "" && !has(caption, "error"); }, std::chrono::seconds(20))) << caption;
    EXPECT_EQ(caption, "caption: \"#Repost @lena.sails: Morning light over the harbour, ready to sail #sunrise\"\n");

    std::string handOff = igtarvo::simulator::instagramDataContainer() + "/tmp/harbour.igo";
    auto picture = platform::UIImage::imageWithContentsOfHostFile(handOff);
    ASSERT_TRUE(picture) << handOff;
    auto bitmap = picture->CGImage();
    EXPECT_EQ(bitmap->width(), bitmap->height());
    EXPECT_GT(whiteInColumn(*bitmap, 3), bitmap->height() / 8) << "the tab runs along the left edge";
    EXPECT_EQ(whiteInColumn(*bitmap, bitmap->width() - 4), 0) << "and not along the right one";

    // Leaving the share screen, then opening the picture again: no caption waits.
    EXPECT_EQ(control("Instagram", "share"), "shared\n");
    EXPECT_TRUE(has(control("Instagram", "open-url file://" + handOff), "opened"));
    EXPECT_EQ(control("Instagram", "share-caption"), "caption: \"\"\n");
    control("Instagram", "share");

    // Copy Caption reaches the device's pasteboard.
    control("Instagram", "open-menu 1");
    control("Instagram", "choose Copy Caption");
    EXPECT_EQ(runIgtarvo({ "pasteboard" }), "Morning light over the harbour, ready to sail #sunrise\n");

    // Save Media on a photo: one more photo, the served picture's pixels.
    size_t photos = libraryCount("photo");
    control("Instagram", "open-menu 1");
    control("Instagram", "choose Save Media");
    EXPECT_TRUE(eventually([&] { return libraryCount("photo") == photos + 1; }, std::chrono::seconds(20)));
    auto saved = PhotoLibrary::assets().back();
    auto served = platform::UIImage::imageWithContentsOfHostFile(platform::Device::path(std::string(igtarvo::simulator::kSampleFeedDir) + "/media/harbour.jpg"));
    auto kept = platform::UIImage::imageWithContentsOfHostFile(PhotoLibrary::folderPath() + "/" + saved.fileName);
    ASSERT_TRUE(served && kept);
    auto a = served->CGImage(), b = kept->CGImage();
    ASSERT_EQ(a->width(), b->width());
    ASSERT_EQ(a->height(), b->height());
    long difference = 0;
    for (long y = 0; y < a->height(); y += 16)
        for (long x = 0; x < a->width(); x += 16) {
            auto p = a->pixelAt(x, y), q = b->pixelAt(x, y);
            difference += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
        }
    EXPECT_LT(difference / ((a->width() / 16) * (a->height() / 16)), 12) << "the saved photo is the served picture";

    // Save Media on a video: progress in the bar, one more video.
    size_t videos = libraryCount("video");
    control("Instagram", "open-menu 3");
    control("Instagram", "choose Save Media");
    std::string bar;
    EXPECT_TRUE(eventually([&] { return has(bar = control("Instagram", "alert-bar"), "text=\"Saving..."); }, std::chrono::seconds(10))) << bar;
    EXPECT_TRUE(eventually([&] { return libraryCount("video") == videos + 1; }, std::chrono::seconds(60)));

    // Holding a photo saves exactly one.
    photos = libraryCount("photo");
    EXPECT_EQ(control("Instagram", "press-photo 6"), "pressed\n");
    EXPECT_TRUE(eventually([&] { return libraryCount("photo") == photos + 1; }, std::chrono::seconds(20)));
    EXPECT_TRUE(eventually([&] { return has(control("Instagram", "alert-bar"), "hidden"); }, std::chrono::seconds(10)));
    EXPECT_EQ(libraryCount("photo"), photos + 1);

    // One's own post: three entries, no strip. An advertisement: no button.
    EXPECT_EQ(control("Instagram", "open-menu 2"), "title: igTarvo Actions\nmessage: Select an action below\n"
                                                   "entry: Copy Caption (default)\nentry: Save Media (default)\nentry: Cancel (destructive)\n"
                                                   "strip: none\n");
    control("Instagram", "choose Cancel");
    int status = 0;
    std::string refused = runIgtarvo({ "control", "Instagram", "open-menu", "5" }, &status);
    EXPECT_NE(status, 0);
    EXPECT_EQ(refused, "error: post 5 shows no more-actions button\n");
}

TEST(FeedActionsRoad, TheFeedServiceEndsWithInstagramAndTheDeviceSaysWhereItWas)
{
    TemporaryDevice device;
    long port = 0;
    {
        auto instagram = startHost("Instagram");
        ASSERT_TRUE(eventually([&] {
            port = platform::integerValueOf(platform::Device::setting(igtarvo::simulator::kSettingFeedServicePort).get());
            return port > 0;
        }));
        EXPECT_TRUE(has(control("Instagram", "feed"), "1 photo @lena.sails"));
    }
    // Instagram has ended: nothing answers on its port any more.
    platform::HTTPRequestOptions quickly;
    quickly.timeout = std::chrono::seconds(2);
    auto answer = platform::HTTPClient::getAndWait("http://127.0.0.1:" + std::to_string(port) + "/feed.json", quickly);
    EXPECT_FALSE(answer.ok);
}
