// The device's photo library: numbered files in DCIM, one database row per
// asset, completion on the main queue, nothing left by a refused save, and
// numbering that holds when two processes save at once.

#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/Device.h"
#include "platform/photos/PhotoLibrary.h"
#include "platform/photos/SavedPhotosAlbum.h"
#include "tests/support/Files.h"
#include "tests/support/MediaClips.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sys/wait.h>

using namespace platform;
using namespace std::chrono_literals;

namespace {

class SaveRecorder : public NSObject {
    OBJC_CLASS(SaveRecorder, NSObject)
public:
    static void registerMethods(objc::ClassBuilder<SaveRecorder>& b)
    {
        b.method<&SaveRecorder::videoSaved>("video:didFinishSavingWithError:contextInfo:");
    }
    int calls = 0;
    bool onMain = false;
    std::string path;
    RefPtr<NSError> error;
    void* context = nullptr;

private:
    void videoSaved(NSString* p, NSError* e, void* c)
    {
        ++calls;
        onMain = RunLoop::isMainThread();
        path = p ? p->str() : "";
        error = e;
        context = c;
    }
};
OBJC_CLASS_DEFINE(SaveRecorder)

class PhotoLibraryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_clips = new std::string(std::filesystem::temp_directory_path() / ("igtarvo-clips-" + std::to_string(::getpid())));
        std::filesystem::create_directories(*s_clips);
        ASSERT_TRUE(testsupport::makeClip(*s_clips + "/clip.mp4", 320, 240, 1));
        ASSERT_TRUE(testsupport::makePicture(*s_clips + "/picture.png", 64, 48, "red"));
    }
    static void TearDownTestSuite()
    {
        std::filesystem::remove_all(*s_clips);
        delete s_clips;
    }
    void SetUp() override
    {
        char pattern[] = "/tmp/igtarvo-photos-XXXXXX";
        m_root = ::mkdtemp(pattern);
        Device::setRoot(m_root);
    }
    void TearDown() override { std::filesystem::remove_all(m_root); }

    static std::string clip() { return *s_clips + "/clip.mp4"; }
    static std::string picture() { return *s_clips + "/picture.png"; }
    std::vector<std::string> dcim() const { return testsupport::entries(PhotoLibrary::folderPath()); }

    static std::string* s_clips;
    std::string m_root;
};
std::string* PhotoLibraryTest::s_clips = nullptr;

} // namespace

TEST_F(PhotoLibraryTest, SavesAreNumberedInDCIMWithOneRowEach)
{
    std::string error;
    auto photo = PhotoLibrary::saveImageFile(picture(), &error);
    ASSERT_TRUE(photo) << error;
    auto video = PhotoLibrary::saveVideo(clip(), &error);
    ASSERT_TRUE(video) << error;

    EXPECT_EQ(photo->fileName, "IMG_0001.JPG");
    EXPECT_EQ(video->fileName, "IMG_0002.MOV");
    EXPECT_EQ(dcim(), (std::vector<std::string> { "IMG_0001.JPG", "IMG_0002.MOV" }));
    EXPECT_EQ(PhotoLibrary::databasePath(), m_root + "/var/mobile/Media/PhotoData/Photos.sqlite");
    EXPECT_EQ(PhotoLibrary::folderPath(), m_root + "/var/mobile/Media/DCIM/100APPLE");

    auto rows = PhotoLibrary::assets();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].kind, "photo");
    EXPECT_EQ(rows[0].width, 64);
    EXPECT_EQ(rows[0].height, 48);
    EXPECT_EQ(rows[0].duration, 0);
    EXPECT_EQ(rows[1].kind, "video");
    EXPECT_EQ(rows[1].fileName, "IMG_0002.MOV");
    EXPECT_EQ(rows[1].width, 320);
    EXPECT_EQ(rows[1].height, 240);
    EXPECT_NEAR(rows[1].duration, 1.0, 0.1);
    EXPECT_GT(rows[1].creationDate, 1.6e9);

    // The stored files are what they claim: a JPEG and the same movie.
    EXPECT_EQ(testsupport::probeStream(PhotoLibrary::folderPath() + "/IMG_0001.JPG", "v:0", "codec_name"), "mjpeg");
    EXPECT_EQ(testsupport::readText(PhotoLibrary::folderPath() + "/IMG_0002.MOV"), testsupport::readText(clip()));
}

TEST_F(PhotoLibraryTest, AFileThatIsNotAPlayableVideoIsRefusedAndLeavesNothing)
{
    testsupport::writeText(m_root + "/notes.mov", "this is not a movie");
    std::string error;
    EXPECT_FALSE(PhotoLibrary::saveVideo(m_root + "/notes.mov", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(PhotoLibrary::saveVideo(picture(), &error)) << "a still picture is not a video";
    EXPECT_FALSE(UIVideoAtPathIsCompatibleWithSavedPhotosAlbum(ns(m_root + "/notes.mov").get()));
    EXPECT_FALSE(UIVideoAtPathIsCompatibleWithSavedPhotosAlbum(ns(m_root + "/missing.mov").get()));
    EXPECT_TRUE(UIVideoAtPathIsCompatibleWithSavedPhotosAlbum(ns(clip()).get()));
    EXPECT_TRUE(dcim().empty());
    EXPECT_TRUE(PhotoLibrary::assets().empty());
}

TEST_F(PhotoLibraryTest, ANameAlreadyTakenIsPassedOverNotReplaced)
{
    testsupport::writeText(PhotoLibrary::folderPath() + "/IMG_0001.MOV", "someone else's");
    auto video = PhotoLibrary::saveVideo(clip());
    ASSERT_TRUE(video);
    EXPECT_EQ(video->fileName, "IMG_0002.MOV");
    EXPECT_EQ(testsupport::readText(PhotoLibrary::folderPath() + "/IMG_0001.MOV"), "someone else's");
}

TEST_F(PhotoLibraryTest, TheKitsSaveCallsTheTargetOnTheMainQueueWithNilOrTheError)
{
    auto target = objc::make<SaveRecorder>();
    int context = 7;
    auto selector = objc::sel_registerName("video:didFinishSavingWithError:contextInfo:");
    UISaveVideoAtPathToSavedPhotosAlbum(ns(clip()).get(), target.get(), selector, &context);
    EXPECT_EQ(target->calls, 0) << "the save finishes later, on the main queue";
    RunLoop::runUntil([&] { return target->calls > 0; }, 20s);
    EXPECT_EQ(target->calls, 1);
    EXPECT_TRUE(target->onMain);
    EXPECT_EQ(target->path, clip());
    EXPECT_FALSE(target->error);
    EXPECT_EQ(target->context, &context);

    testsupport::writeText(m_root + "/notes.mov", "no");
    UISaveVideoAtPathToSavedPhotosAlbum(ns(m_root + "/notes.mov").get(), target.get(), selector, nullptr);
    RunLoop::runUntil([&] { return target->calls > 1; }, 20s);
    ASSERT_TRUE(target->error);
    EXPECT_EQ(PhotoLibrary::assets().size(), 1u);
}

TEST_F(PhotoLibraryTest, TwoProcessesSavingAtOnceGetDistinctNumbersAndOneRowPerSave)
{
    constexpr int kPerProcess = 12;
    std::vector<pid_t> children;
    for (int p = 0; p < 2; ++p) {
        pid_t pid = ::fork();
        if (pid == 0) {
            int failures = 0;
            for (int i = 0; i < kPerProcess; ++i)
                failures += (i % 3 == 0 ? PhotoLibrary::saveImageFile(picture()).has_value() : PhotoLibrary::saveVideo(clip()).has_value()) ? 0 : 1;
            ::_exit(failures);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    auto rows = PhotoLibrary::assets();
    ASSERT_EQ(rows.size(), size_t(2 * kPerProcess));
    std::set<std::string> names;
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].number, long(i + 1));
        names.insert(rows[i].fileName);
        EXPECT_TRUE(std::filesystem::exists(PhotoLibrary::folderPath() + "/" + rows[i].fileName)) << rows[i].fileName;
    }
    EXPECT_EQ(names.size(), rows.size());
    EXPECT_EQ(dcim().size(), rows.size()) << "no stray files";
}
