// `igtarvo watermark`, run as a person runs it, on a device that does not exist yet.

#include "platform/graphics/CGContext.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIImage.h"
#include "tests/support/Spawn.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

using namespace platform;
namespace fs = std::filesystem;

namespace {

using testsupport::CommandRun;

class WatermarkCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/igtarvo-watermark-XXXXXX";
        m_dir = ::mkdtemp(pattern);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }

    CommandRun igtarvo(const std::string& args)
    {
        const char* build = std::getenv("IGTARVO_BUILD");
        std::string program = std::string(build ? build : "build") + "/bin/igtarvo";
        return testsupport::runCommand("cd '" + m_dir + "' && '" + program + "' --root '" + m_dir + "/device' watermark " + args);
    }

    // A 640 x 480 JPEG of one colour (navy).
    void writeJPEG(const std::string& name)
    {
        UIGraphicsBeginImageContextWithOptions(CGSizeMake(640, 480), true, 1);
        CGContextSetFillColorWithColor(UIGraphicsGetCurrentContext(), UIColor::colorWithRed(0, 0, 0.5, 1).get());
        CGContextFillRect(UIGraphicsGetCurrentContext(), CGRectMake(0, 0, 640, 480));
        auto image = UIGraphicsGetImageFromCurrentImageContext();
        UIGraphicsEndImageContext();
        auto bytes = image->CGImage()->encodeJPEG(95);
        std::ofstream(m_dir + "/" + name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }

    RefPtr<UIImage> output(const std::string& name) { return UIImage::imageWithContentsOfHostFile(m_dir + "/" + name); }

    std::string m_dir;
};

bool white(CGImage::RGBA p) { return p.a == 255 && p.r > 250 && p.g > 250 && p.b > 250; }
bool navy(CGImage::RGBA p) { return p.a == 255 && p.r < 8 && p.g < 8 && p.b > 118 && p.b < 138; }

} // namespace

TEST_F(WatermarkCommand, SquaresThePictureWithTheTabAlongItsBottomEdge)
{
    writeJPEG("in.jpg");
    auto run = igtarvo("in.jpg --user some_user --position 1 -o out.png");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "out.png 480x480\n");
    auto out = output("out.png");
    ASSERT_TRUE(out);
    auto* bitmap = out->CGImage().get();
    ASSERT_EQ(bitmap->width(), 480);
    ASSERT_EQ(bitmap->height(), 480);
    // The whole picture, scaled to 480 x 360, centred: transparent bands above and below.
    EXPECT_EQ(bitmap->pixelAt(240, 55).a, 0);
    EXPECT_TRUE(navy(bitmap->pixelAt(240, 65)));
    EXPECT_TRUE(navy(bitmap->pixelAt(470, 414)));
    EXPECT_EQ(bitmap->pixelAt(240, 425).a, 0);
    // The white tab from the picture's bottom-left corner, not at its top.
    EXPECT_TRUE(white(bitmap->pixelAt(3, 417)));
    EXPECT_TRUE(navy(bitmap->pixelAt(3, 63)));

    auto none = igtarvo("in.jpg --user some_user --position 0");
    ASSERT_EQ(none.status, 0) << none.err;
    EXPECT_EQ(none.out, "in-repost.png 480x480\n");
    auto plain = output("in-repost.png");
    ASSERT_TRUE(plain);
    EXPECT_TRUE(navy(plain->CGImage()->pixelAt(3, 417)));
    EXPECT_EQ(plain->CGImage()->pixelAt(240, 55).a, 0);
}

TEST_F(WatermarkCommand, RefusesBadInputWithOneLineAndWritesNothing)
{
    writeJPEG("in.jpg");
    std::ofstream(m_dir + "/notes.jpg") << "not a picture\n";
    struct Case { std::string args, says; };
    for (const Case& c : { Case { "in.jpg --user u --position 5 -o out.png", "--position" },
             Case { "in.jpg --user u --position x -o out.png", "--position" },
             Case { "in.jpg --position 1 -o out.png", "--user" },
             Case { "missing.jpg --user u --position 1 -o out.png", "cannot read missing.jpg" },
             Case { "notes.jpg --user u --position 1 -o out.png", "not a PNG or JPEG" },
             Case { "in.jpg --user u --position 1 --profile-picture nowhere.png -o out.png", "profile picture" } }) {
        auto run = igtarvo(c.args);
        EXPECT_EQ(run.status, 1) << c.args;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_FALSE(fs::exists(m_dir + "/out.png")) << c.args;
    }
}
