// `igtarvo video save` and `igtarvo photos list` as people run them: a real
// download from a local server into a device's library, and the refusals.

#include "tests/support/FileServer.h"
#include "tests/support/Files.h"
#include "tests/support/MediaClips.h"
#include "tests/support/Spawn.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

using testsupport::FileServer;

namespace {

using testsupport::CommandRun;

CommandRun igtarvo(const std::string& args)
{
    const char* build = std::getenv("IGTARVO_BUILD");
    return testsupport::runCommand("'" + std::string(build ? build : "build") + "/bin/igtarvo' " + args);
}

class MediaCommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/igtarvo-mediacmd-XXXXXX";
        m_root = ::mkdtemp(pattern);
        ASSERT_TRUE(testsupport::makeClip(m_root + "/clip.mp4", 320, 240, 1));
        auto clip = std::make_shared<std::string>(testsupport::readText(m_root + "/clip.mp4"));
        std::filesystem::remove(m_root + "/clip.mp4");
        server.route("/v/clip.mp4", { .body = clip });
        server.route("/v/dropped.mp4", { .body = clip, .dropAfter = clip->size() / 2 });
        server.route("/v/notes.mp4", { .body = std::make_shared<std::string>("not a movie at all") });
        m_device = m_root + "/device";
        std::filesystem::create_directories(m_device);
    }
    void TearDown() override { std::filesystem::remove_all(m_root); }

    CommandRun onDevice(const std::string& args) { return igtarvo("--root '" + m_device + "' " + args); }

    FileServer server;
    std::string m_root;
    std::string m_device;
};

} // namespace

TEST_F(MediaCommandTest, ASavedVideoIsListedFromTheLibrarysDatabase)
{
    auto saved = onDevice("video save " + server.url("/v/clip.mp4"));
    EXPECT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.out, "IMG_0001.MOV\n");
    auto progress = testsupport::lines(saved.err);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), "100.00%") << "a plain percentage per line when the output is no terminal";

    auto listed = onDevice("photos list --json");
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.out, "[{\"file\": \"IMG_0001.MOV\", \"kind\": \"video\", \"width\": 320, \"height\": 240, \"duration\": 1.000}]\n");
    EXPECT_EQ(onDevice("photos list").out, "IMG_0001.MOV  video  320x240  1.00 s\n");
    EXPECT_EQ(testsupport::entries(m_device + "/var/mobile/Media/DCIM/100APPLE"), std::vector<std::string> { "IMG_0001.MOV" });
}

TEST_F(MediaCommandTest, AnAddressThatFailsIsOneLineAndExitStatusOneLeavingTheLibraryEmpty)
{
    for (std::string path : { "/v/missing.mp4", "/v/dropped.mp4", "/v/notes.mp4" }) {
        SCOPED_TRACE(path);
        auto run = onDevice("video save " + server.url(path));
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        auto errors = testsupport::lines(run.err);
        ASSERT_FALSE(errors.empty());
        EXPECT_EQ(errors.back().rfind("igtarvo: video save: ", 0), 0u) << errors.back();
    }
    for (std::string bad : { "notanaddress", "ftp://127.0.0.1/x.mp4" }) {
        auto run = onDevice("video save " + bad);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(testsupport::lines(run.err).size(), 1u);
    }
    EXPECT_EQ(onDevice("photos list --json").out, "[]\n");
    EXPECT_FALSE(std::filesystem::exists(m_device + "/var/mobile/Media/DCIM/100APPLE/IMG_0001.MOV"));
    auto noDevice = igtarvo("--root '" + m_root + "/nowhere' video save " + server.url("/v/clip.mp4"));
    EXPECT_EQ(noDevice.status, 1);
    EXPECT_FALSE(std::filesystem::exists(m_root + "/nowhere"));
}

TEST_F(MediaCommandTest, VideoWatermarkOnAFreshRootWritesAQuickTimeMovieOfTheSameLengthWithTheTabDownTheRightEdge)
{
    ASSERT_TRUE(testsupport::makeClip(m_root + "/in.mp4", 320, 240, 2, true, "blue"));
    std::string fresh = m_root + "/fresh";
    auto run = igtarvo("--root '" + fresh + "' video watermark '" + m_root + "/in.mp4' --user some_user --position 4 -o '" + m_root + "/out.mov'");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, m_root + "/out.mov 2.00 s 320x240\n");
    EXPECT_EQ(testsupport::probeStream(m_root + "/out.mov", "v:0", "codec_name,width,height"), "h264,320,240");
    EXPECT_EQ(testsupport::probeStream(m_root + "/out.mov", "a:0", "codec_name"), "aac");
    EXPECT_NEAR(testsupport::probeDuration(m_root + "/out.mov"), 2.0, 0.1);
    for (double t : { 0.2, 1.8 }) {
        auto frame = testsupport::frameAt(m_root + "/out.mov", t, 320, 240);
        ASSERT_EQ(frame.pixels.size(), 320u * 240 * 3);
        EXPECT_TRUE(frame.isWhite(317, 2)) << t;
        EXPECT_TRUE(frame.isWhite(312, 26)) << t;
        EXPECT_FALSE(frame.isWhite(317, 200)) << t;
        EXPECT_FALSE(frame.isWhite(2, 236)) << t;
    }
    EXPECT_EQ(testsupport::entries(m_root), (std::vector<std::string> { "device", "fresh", "in.mp4", "out.mov" })) << "no partial export left";

    // Without sound, with a profile picture file, to the default name.
    ASSERT_TRUE(testsupport::makeClip(m_root + "/silent.mp4", 160, 120, 1, false));
    ASSERT_TRUE(testsupport::makePicture(m_root + "/me.png", 40, 40, "red"));
    auto silent = igtarvo("--root '" + fresh + "' video watermark '" + m_root + "/silent.mp4' --user x --profile-picture '" + m_root + "/me.png' --position 1");
    ASSERT_EQ(silent.status, 0) << silent.err;
    EXPECT_EQ(silent.out, m_root + "/silent-repost.mov 1.00 s 160x120\n");
    EXPECT_EQ(testsupport::probeStream(m_root + "/silent-repost.mov", "a", "codec_name"), "");
}

TEST_F(MediaCommandTest, VideoWatermarkRefusesBadInputInOneLineAndLeavesNothing)
{
    ASSERT_TRUE(testsupport::makeClip(m_root + "/in.mp4", 160, 120, 1));
    testsupport::writeText(m_root + "/notes.mp4", "not a movie at all");
    std::string in = " '" + m_root + "/in.mp4'";
    std::string out = " -o '" + m_root + "/out.mov'";
    for (std::string args : {
             "video watermark '" + m_root + "/notes.mp4' --user u --position 1" + out,
             "video watermark '" + m_root + "/missing.mp4' --user u --position 1" + out,
             "video watermark" + in + " --user u --position 0" + out,
             "video watermark" + in + " --user u --position 5" + out,
             "video watermark" + in + " --position 1" + out,
             "video watermark" + in + " --user u --position 1 --profile-picture '" + m_root + "/nobody.png'" + out,
             "video save " + server.url("/v/clip.mp4") + " --watermark-user u --position 9",
         }) {
        SCOPED_TRACE(args);
        auto run = onDevice(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(testsupport::lines(run.err).size(), 1u) << run.err;
        EXPECT_FALSE(std::filesystem::exists(m_root + "/out.mov"));
    }
    EXPECT_EQ(testsupport::entries(m_root).size(), 3u) << "only the inputs and the device";
    EXPECT_EQ(onDevice("photos list --json").out, "[]\n");
}

TEST_F(MediaCommandTest, VideoSaveWithAWatermarkSavesTheWatermarkedMovie)
{
    ASSERT_TRUE(testsupport::makeClip(m_root + "/blue.mp4", 320, 240, 1, true, "blue"));
    server.route("/v/blue.mp4", { .body = std::make_shared<std::string>(testsupport::readText(m_root + "/blue.mp4")) });
    ASSERT_EQ(igtarvo("--root '" + m_device + "' device create").status, 0);
    auto saved = onDevice("video save " + server.url("/v/blue.mp4") + " --watermark-user some_user --position 1");
    ASSERT_EQ(saved.status, 0) << saved.err;
    EXPECT_EQ(saved.out, "IMG_0001.MOV\n");
    std::string file = m_device + "/var/mobile/Media/DCIM/100APPLE/IMG_0001.MOV";
    EXPECT_EQ(testsupport::probeStream(file, "a:0", "codec_name"), "aac");
    auto frame = testsupport::frameAt(file, 0.5, 320, 240);
    ASSERT_EQ(frame.pixels.size(), 320u * 240 * 3);
    EXPECT_TRUE(frame.isWhite(2, 236));
    EXPECT_FALSE(frame.isWhite(317, 2));
}
