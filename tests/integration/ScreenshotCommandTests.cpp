// `igtarvo screenshot` against running host programs: the picture a person
// gets of the simulated phone, and the refusals.

#include "platform/graphics/CGImage.h"
#include "tests/support/Files.h"
#include "tests/support/Hosts.h"
#include "tests/support/TemporaryDevice.h"
#include "tests/support/Spawn.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

testsupport::CommandRun screenshot(const std::string& root, const std::string& args)
{
    std::string program = igtarvo::simulator::buildDirectory() + "/bin/igtarvo";
    return testsupport::runCommand("'" + program + "' --root '" + root + "' screenshot " + args);
}

} // namespace

TEST(Screenshots, TheRunningHomeScreenIsAPictureOfThePhoneAtScreenScale)
{
    testsupport::TemporaryDevice device;
    auto springBoard = testsupport::startHost("SpringBoard");
    std::string file = device.root() + "/home.png";
    auto run = screenshot(device.root(), "SpringBoard -o '" + file + "'");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, file + "\n");

    std::string bytes = testsupport::readText(file);
    auto picture = platform::CGImage::decode({ reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size() });
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width(), 750);
    EXPECT_EQ(picture->height(), 1334);
    // A screen with icons and labels, not one flat colour.
    std::set<uint32_t> colours;
    for (long y = 0; y < 1334; y += 7)
        for (long x = 0; x < 750; x += 7) {
            auto p = picture->pixelAt(x, y);
            colours.insert(uint32_t(p.r) << 16 | uint32_t(p.g) << 8 | p.b);
        }
    EXPECT_GT(colours.size(), 20u);
    EXPECT_EQ(picture->pixelAt(375, 667).a, 255) << "the screen is opaque";
    testsupport::endProcess(testsupport::recordedPid("SpringBoard"));
}

TEST(Screenshots, AProcessThatIsNotRunningIsOneLineAndExitStatusOneWithNothingWritten)
{
    testsupport::TemporaryDevice device;
    for (std::string process : { "Instagram", "Safari", "../SpringBoard" }) {
        SCOPED_TRACE(process);
        auto run = screenshot(device.root(), "'" + process + "' -o '" + device.root() + "/shot.png'");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(testsupport::lines(run.err).size(), 1u) << run.err;
        EXPECT_FALSE(fs::exists(device.root() + "/shot.png"));
    }
}
