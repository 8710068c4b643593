// `igtarvo video save` and `igtarvo photos list` as people run them: a real
// download from a local server into a device's library, and the refusals.

#include "tests/support/FileServer.h"
#include "tests/support/Files.h"
#include "tests/support/MediaClips.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>

using testsupport::FileServer;

namespace {

struct CommandRun {
    int status = -1;
    std::string out;
    std::string err;
};

CommandRun igtarvo(const std::string& args)
{
    const char* build = std::getenv("IGTARVO_BUILD");
    std::string program = std::string(build ? build : "build") + "/bin/igtarvo";
    char errPath[] = "/tmp/igtarvo-media-err-XXXXXX";
    ::close(::mkstemp(errPath));
    CommandRun run;
    FILE* pipe = ::popen(("'" + program + "' " + args + " 2>" + errPath).c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, n);
    int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = testsupport::readText(errPath);
    ::unlink(errPath);
    return run;
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
