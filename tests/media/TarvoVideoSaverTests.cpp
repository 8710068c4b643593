// The video saver inside a stand-in Instagram: real downloads from a local
// server, the alert bar's texts, "Saved Video!" in the saver's superview, the
// library save, nothing left in Documents — and the failure paths, which
// still end every save with its caller's completion.

#include "feed/actions/TarvoDownloader.h"
#include "feed/actions/TarvoVideoSaver.h"
#include "hosts/instagram/IGAlertBar.h"
#include "hosts/instagram/IGAlertHUD.h"
#include "hosts/instagram/IGUser.h"
#include "hosts/instagram/IGVideo.h"
#include "hosts/instagram/InstagramClasses.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSPathUtilities.h"
#include "platform/photos/PhotoLibrary.h"
#include "platform/uikit/UIWindow.h"
#include "tests/support/FileServer.h"
#include "tests/support/Files.h"
#include "tests/support/MediaClips.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace platform;
using namespace std::chrono_literals;
using hosts::instagram::IGAlertBar;
using hosts::instagram::IGAlertHUD;
using hosts::instagram::IGVideo;
using igtarvo::TarvoVideoSaver;
using testsupport::FileServer;

namespace {

class VideoSaverTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        hosts::instagram::registerInstagramClasses();
        s_clips = new std::string("/tmp/igtarvo-saver-clips-" + std::to_string(::getpid()));
        std::filesystem::create_directories(*s_clips);
        ASSERT_TRUE(testsupport::makeClip(*s_clips + "/clip.mp4", 320, 240, 1));
        ASSERT_TRUE(testsupport::makeClip(*s_clips + "/small.mp4", 160, 120, 1));
        ASSERT_TRUE(testsupport::makeClip(*s_clips + "/silent.mp4", 160, 120, 1, false));
        ASSERT_TRUE(testsupport::makeClip(*s_clips + "/blue.mp4", 320, 240, 1, true, "blue"));
    }
    static void TearDownTestSuite()
    {
        std::filesystem::remove_all(*s_clips);
        delete s_clips;
    }
    void SetUp() override
    {
        char pattern[] = "/tmp/igtarvo-saver-XXXXXX";
        m_root = ::mkdtemp(pattern);
        Device::setRoot(m_root);
        setHomeDirectory(m_root + "/container");
        for (std::string name : { "clip.mp4", "small.mp4", "silent.mp4", "blue.mp4" })
            server.route("/v/" + name, { .body = std::make_shared<std::string>(testsupport::readText(*s_clips + "/" + name)) });
        m_window = UIWindow::create();
        m_window->makeKeyAndVisible();
        m_cell = UIView::create(CGRectMake(0, 0, 375, 400));
        m_window->addSubview(m_cell.get());
        m_cell->addSubview(TarvoVideoSaver::sharedVideoSaver().get());
    }
    void TearDown() override
    {
        RunLoop::runUntil([] { return !TarvoVideoSaver::sharedVideoSaver()->isSaving(); }, 60s);
        TarvoVideoSaver::sharedVideoSaver()->removeFromSuperview();
        IGAlertBar::sharedAlertBar()->hide();
        RunLoop::runUntilIdle(5s);
        setHomeDirectory("");
        std::filesystem::remove_all(m_root);
    }

    Ref<IGVideo> video(const std::string& path) { return IGVideo::create({ { 0, server.url("/low" + path) }, { 1, server.url(path) } }); }

    // Saves and runs the main loop until the caller's completion ran.
    int save(id video, bool watermark = false, long position = 1, id poster = nullptr)
    {
        int calls = 0;
        if (watermark)
            TarvoVideoSaver::saveVideoByAddingWatermark(video, poster, position, [&] { ++calls; });
        else
            TarvoVideoSaver::saveVideoWithCompletionHandler(video, [&] { ++calls; });
        RunLoop::runUntil([&] { return calls > 0; }, 90s);
        RunLoop::runUntil([] { return !TarvoVideoSaver::sharedVideoSaver()->isSaving(); }, 10s);
        return calls;
    }

    std::vector<std::string> documents() const { return testsupport::entries(m_root + "/container/Documents"); }
    std::string barText() const { return IGAlertBar::sharedAlertBar()->text(); }

    static std::string* s_clips;
    FileServer server;
    std::string m_root;
    RefPtr<UIWindow> m_window;
    RefPtr<UIView> m_cell;
};
std::string* VideoSaverTest::s_clips = nullptr;

} // namespace

TEST_F(VideoSaverTest, APlainSaveEndsWithSavedVideoInTheSaversSuperviewTheVideoInTheLibraryAndDocumentsEmpty)
{
    auto* hud = IGAlertHUD::sharedHUD().get();
    size_t shownBefore = hud->shownTexts().size();
    EXPECT_EQ(save(video("/v/clip.mp4").get()), 1);

    ASSERT_EQ(hud->shownTexts().size(), shownBefore + 1);
    EXPECT_EQ(hud->shownTexts().back(), "Saved Video!");
    EXPECT_EQ(hud->superview().get(), m_cell.get());
    EXPECT_FALSE(IGAlertBar::sharedAlertBar()->isShown());
    EXPECT_TRUE(documents().empty());
    auto assets = PhotoLibrary::assets();
    ASSERT_EQ(assets.size(), 1u);
    EXPECT_EQ(assets[0].kind, "video");
    EXPECT_EQ(assets[0].width, 320);
    EXPECT_EQ(std::string(str(TarvoVideoSaver::sharedVideoSaver()->lastVideoPath().get())), "");
}

TEST_F(VideoSaverTest, TheBarShowsTheDownloadsPercentageAndJustSavingWhenTheLengthIsUnknown)
{
    server.route("/v/half.mp4", { .body = FileServer::pattern(1024), .pauseAfter = 512, .pause = 1500ms });
    int calls = 0;
    TarvoVideoSaver::saveVideoWithCompletionHandler(video("/v/half.mp4").get(), [&] { ++calls; });
    EXPECT_TRUE(IGAlertBar::sharedAlertBar()->isShown());
    EXPECT_FALSE(IGAlertBar::sharedAlertBar()->hideAutomatically());
    EXPECT_TRUE(RunLoop::runUntil([&] { return barText() == "Saving... 50.00%"; }, 10s)) << barText();
    RunLoop::runUntil([&] { return calls > 0; }, 30s);
    EXPECT_EQ(calls, 1);

    server.route("/v/unknown.mp4", { .body = FileServer::pattern(1024), .sendLength = false, .pauseAfter = 512, .pause = 1500ms });
    calls = 0;
    TarvoVideoSaver::saveVideoWithCompletionHandler(video("/v/unknown.mp4").get(), [&] { ++calls; });
    RunLoop::runFor(600ms);
    EXPECT_EQ(barText(), "Saving...");
    RunLoop::runUntil([&] { return calls > 0; }, 30s);
}

TEST_F(VideoSaverTest, AFailedDownloadReportsAnErrorThatHidesByItselfLeavesNothingAndStillCompletes)
{
    server.route("/v/dropped.mp4", { .body = FileServer::pattern(1 << 20), .dropAfter = 1 << 19 });
    server.route("/v/notes.mp4", { .body = std::make_shared<std::string>("not a movie") });
    for (std::string path : { "/v/missing.mp4", "/v/dropped.mp4", "/v/notes.mp4" }) {
        SCOPED_TRACE(path);
        EXPECT_EQ(save(video(path).get()), 1);
        EXPECT_EQ(barText(), TarvoVideoSaver::kFailureText);
        EXPECT_TRUE(IGAlertBar::sharedAlertBar()->hideAutomatically());
        EXPECT_TRUE(documents().empty());
    }
    EXPECT_TRUE(RunLoop::runUntil([] { return !IGAlertBar::sharedAlertBar()->isShown(); }, 10s));
    EXPECT_TRUE(PhotoLibrary::assets().empty());
    EXPECT_EQ(save(IGVideo::create({}).get()), 1) << "a video without an address";
}

TEST_F(VideoSaverTest, ASecondSaveWaitsForTheFirstAndEachSavesItsOwnVideo)
{
    server.route("/v/slow.mp4", { .body = std::make_shared<std::string>(testsupport::readText(*s_clips + "/clip.mp4")), .pauseAfter = 1000, .pause = 500ms });
    std::vector<std::string> order;
    TarvoVideoSaver::saveVideoWithCompletionHandler(video("/v/slow.mp4").get(), [&] { order.push_back("first"); });
    TarvoVideoSaver::saveVideoWithCompletionHandler(video("/v/small.mp4").get(), [&] { order.push_back("second"); });
    EXPECT_EQ(TarvoVideoSaver::sharedVideoSaver()->pendingSaves(), 1u);
    RunLoop::runUntil([&] { return order.size() == 2; }, 60s);
    EXPECT_EQ(order, (std::vector<std::string> { "first", "second" }));
    auto assets = PhotoLibrary::assets();
    ASSERT_EQ(assets.size(), 2u);
    EXPECT_EQ(assets[0].width, 320);
    EXPECT_EQ(assets[1].width, 160);
    EXPECT_TRUE(documents().empty());
}

TEST_F(VideoSaverTest, AWatermarkedSaveExportsAQuickTimeMovieOfTheSameLengthAndRemovesBothFiles)
{
    // What an interrupted save left behind does not stop this one.
    testsupport::writeText(m_root + "/container/Documents/igtarvowatermarkedvideo.mov", "left over");
    EXPECT_EQ(save(video("/v/clip.mp4").get(), true), 1);
    EXPECT_EQ(IGAlertHUD::sharedHUD()->shownTexts().back(), "Saved Video!");
    EXPECT_TRUE(documents().empty());
    auto assets = PhotoLibrary::assets();
    ASSERT_EQ(assets.size(), 1u);
    std::string saved = PhotoLibrary::folderPath() + "/" + assets[0].fileName;
    EXPECT_EQ(testsupport::probeStream(saved, "v:0", "codec_name,width,height"), "h264,320,240");
    EXPECT_EQ(testsupport::probeStream(saved, "a:0", "codec_name"), "aac");
    EXPECT_NEAR(testsupport::probeDuration(saved), 1.0, 0.1);

    EXPECT_EQ(save(video("/v/silent.mp4").get(), true), 1) << "a video without sound";
    assets = PhotoLibrary::assets();
    ASSERT_EQ(assets.size(), 2u);
    EXPECT_EQ(testsupport::probeStream(PhotoLibrary::folderPath() + "/" + assets[1].fileName, "a", "codec_name"), "");
    EXPECT_TRUE(documents().empty());
}

TEST_F(VideoSaverTest, AWatermarkedSaveOfSomethingThatIsNoVideoFailsAndStillCompletes)
{
    server.route("/v/notes.mp4", { .body = std::make_shared<std::string>("not a movie") });
    EXPECT_EQ(save(video("/v/notes.mp4").get(), true), 1);
    EXPECT_EQ(barText(), TarvoVideoSaver::kFailureText);
    EXPECT_TRUE(documents().empty());
    EXPECT_TRUE(PhotoLibrary::assets().empty());
}

TEST_F(VideoSaverTest, TheSavedVideoCarriesTheWhiteTabAlongTheBottomFromTheLeftOrDownTheRightEdgeFromTheTop)
{
    auto poster = hosts::instagram::IGUser::create("some_user", "");
    // A 320 x 240 video on the 375 x 667 screen: the tab is about 16 pixels
    // deep and its white reaches about 90 pixels from its start.
    EXPECT_EQ(save(video("/v/blue.mp4").get(), true, 1, poster.get()), 1);
    EXPECT_EQ(save(video("/v/blue.mp4").get(), true, 4, poster.get()), 1);
    auto assets = PhotoLibrary::assets();
    ASSERT_EQ(assets.size(), 2u);

    auto bottom = testsupport::frameAt(PhotoLibrary::folderPath() + "/" + assets[0].fileName, 0.5, 320, 240);
    ASSERT_EQ(bottom.pixels.size(), 320u * 240 * 3);
    EXPECT_TRUE(bottom.isWhite(2, 236));
    EXPECT_TRUE(bottom.isWhite(26, 232));
    EXPECT_FALSE(bottom.isWhite(2, 215)) << "the tab is no deeper than its height";
    EXPECT_FALSE(bottom.isWhite(200, 236)) << "the white ends after the user name";
    EXPECT_FALSE(bottom.isWhite(317, 2));

    auto right = testsupport::frameAt(PhotoLibrary::folderPath() + "/" + assets[1].fileName, 0.5, 320, 240);
    ASSERT_EQ(right.pixels.size(), 320u * 240 * 3);
    EXPECT_TRUE(right.isWhite(317, 2));
    EXPECT_TRUE(right.isWhite(312, 26));
    EXPECT_FALSE(right.isWhite(295, 2)) << "the tab is no wider than its height";
    EXPECT_FALSE(right.isWhite(317, 200)) << "the white ends after the user name";
    EXPECT_FALSE(right.isWhite(2, 236));
    EXPECT_TRUE(documents().empty());
}
