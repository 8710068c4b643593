// The watermarked export built as a caller of the media framework builds it:
// a composition of a movie's tracks, a video composition whose layer tree
// holds a picture over the video, and an export session. Checked on the
// output file with ffprobe and on decoded frames.

#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/Device.h"
#include "platform/media/AVAssetExportSession.h"
#include "platform/uikit/UIImage.h"
#include "tests/support/Files.h"
#include "tests/support/MediaClips.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace platform;
using namespace std::chrono_literals;

namespace {

// The few members of a layer the export reads: sublayers, frame, contents.
class PlainLayer : public NSObject {
    OBJC_CLASS(PlainLayer, NSObject)
public:
    static void registerMethods(objc::ClassBuilder<PlainLayer>& b)
    {
        b.method<&PlainLayer::sublayers>("sublayers")
            .method<&PlainLayer::frame>("frame")
            .method<&PlainLayer::contents>("contents");
    }
    RefPtr<NSArray> sublayers() const { return NSArray::create(m_sublayers); }
    CGRect frame() const { return m_frame; }
    RefPtr<Object> contents() const { return m_contents; }

    std::vector<Ref<Object>> m_sublayers;
    CGRect m_frame;
    RefPtr<Object> m_contents;
};
OBJC_CLASS_DEFINE(PlainLayer)

class VideoExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/igtarvo-export-XXXXXX";
        m_root = ::mkdtemp(pattern);
        Device::setRoot(m_root);
    }
    void TearDown() override { std::filesystem::remove_all(m_root); }

    std::string file(const std::string& name) const { return m_root + "/" + name; }

    // Builds the composition, the layers and the session as the video saver
    // does, and waits for the export. `tab` is a picture file in the root.
    Ref<AVAssetExportSession> exportWithTab(const std::string& input, const std::string& output, const std::string& tab, CGSize tabSize, CGRect tabFrame)
    {
        auto asset = AVURLAsset::URLAssetWithURL(NSURL::fileURLWithPath(ns(input).get()).get());
        EXPECT_TRUE(asset);
        auto videoTracks = asset->tracksWithMediaType(ns(AVMediaTypeVideo).get());
        auto* source = static_cast<AVAssetTrack*>(videoTracks->firstObject().get());
        CGSize size = source->naturalSize();

        auto composition = AVMutableComposition::composition();
        CMTimeRange range = CMTimeRangeMake(kCMTimeZero, asset->duration());
        auto audio = composition->addMutableTrackWithMediaType(ns(AVMediaTypeAudio).get(), kCMPersistentTrackID_Invalid);
        auto audioTracks = asset->tracksWithMediaType(ns(AVMediaTypeAudio).get());
        audio->insertTimeRange(range, static_cast<AVAssetTrack*>(audioTracks->firstObject().get()), kCMTimeZero, nullptr);
        auto video = composition->addMutableTrackWithMediaType(ns(AVMediaTypeVideo).get(), kCMPersistentTrackID_Invalid);
        EXPECT_TRUE(video->insertTimeRange(range, source, kCMTimeZero, nullptr));
        video->setPreferredTransform(source->preferredTransform());

        auto watermark = objc::make<PlainLayer>();
        watermark->m_contents = UIImage::imageWithContentsOfHostFile(tab);
        watermark->m_frame = tabFrame;
        auto parent = objc::make<PlainLayer>();
        auto videoLayer = objc::make<PlainLayer>();
        parent->m_frame = videoLayer->m_frame = CGRectMake(0, 0, size.width, size.height);
        parent->m_sublayers = { videoLayer, watermark };

        auto videoComposition = AVMutableVideoComposition::videoComposition();
        videoComposition->setRenderSize(size);
        videoComposition->setFrameDuration(CMTimeMake(1, 30));
        videoComposition->setAnimationTool(AVVideoCompositionCoreAnimationTool::videoCompositionCoreAnimationToolWithPostProcessingAsVideoLayer(videoLayer.get(), parent.get()).get());
        auto instruction = AVMutableVideoCompositionInstruction::videoCompositionInstruction();
        instruction->setTimeRange(CMTimeRangeMake(kCMTimeZero, composition->duration()));
        instruction->setLayerInstructions(NSArray::create({ AVMutableVideoCompositionLayerInstruction::videoCompositionLayerInstructionWithAssetTrack(video.get()) }).get());
        videoComposition->setInstructions(NSArray::create({ instruction }).get());

        auto session = AVAssetExportSession::exportSessionWithAsset(composition.get(), ns(AVAssetExportPresetMediumQuality).get());
        EXPECT_TRUE(session);
        session->setVideoComposition(videoComposition.get());
        session->setOutputFileType(ns(AVFileTypeQuickTimeMovie).get());
        session->setOutputURL(NSURL::fileURLWithPath(ns(output).get()).get());
        session->setShouldOptimizeForNetworkUse(true);
        auto done = DispatchSemaphore::create(0);
        bool onExportQueue = false;
        session->exportAsynchronouslyWithCompletionHandler([&] {
            onExportQueue = AVAssetExportSession::exportQueue()->isCurrent();
            done->signal();
        });
        EXPECT_EQ(done->wait(120s), 0);
        EXPECT_TRUE(onExportQueue);
        return session.releaseNonNull();
    }

    std::string m_root;
};

} // namespace

TEST_F(VideoExportTest, TheExportKeepsDurationSizeAndSoundAsH264AndAACInAQuickTimeFileWithItsIndexFirst)
{
    ASSERT_TRUE(testsupport::makeClip(file("in.mp4"), 640, 360, 2));
    ASSERT_TRUE(testsupport::makePicture(file("tab.png"), 200, 40));
    auto session = exportWithTab(file("in.mp4"), file("out.mov"), file("tab.png"), { 200, 40 }, CGRectMake(0, 0, 200, 40));
    ASSERT_EQ(session->status(), AVAssetExportSessionStatus::Completed) << (session->error() ? session->error()->text() : "");
    EXPECT_FALSE(session->error());
    EXPECT_EQ(testsupport::probeStream(file("out.mov"), "v:0", "codec_name,width,height"), "h264,640,360");
    EXPECT_EQ(testsupport::probeStream(file("out.mov"), "a:0", "codec_name"), "aac");
    EXPECT_NEAR(testsupport::probeDuration(file("out.mov")), 2.0, 0.1);
    EXPECT_NE(testsupport::run("ffprobe -v error -show_entries format=format_name -of csv=p=0 '" + file("out.mov") + "'").find("mov"), std::string::npos);
    std::string bytes = testsupport::readText(file("out.mov"));
    EXPECT_EQ(bytes.substr(4, 4), "ftyp");
    EXPECT_LT(bytes.find("moov"), bytes.find("mdat")) << "optimised for network use";
}

TEST_F(VideoExportTest, TheLayerFramePlacesThePictureWithItsOriginAtTheVideosBottomLeft)
{
    ASSERT_TRUE(testsupport::makeClip(file("blue.mp4"), 640, 360, 1, true, "blue"));
    ASSERT_TRUE(testsupport::makePicture(file("along.png"), 200, 40));
    ASSERT_TRUE(testsupport::makePicture(file("down.png"), 40, 200));

    // Along the bottom from the left.
    auto bottom = exportWithTab(file("blue.mp4"), file("bottom.mov"), file("along.png"), { 200, 40 }, CGRectMake(0, 0, 200, 40));
    ASSERT_EQ(bottom->status(), AVAssetExportSessionStatus::Completed);
    for (double t : { 0.1, 0.9 }) {
        auto frame = testsupport::frameAt(file("bottom.mov"), t, 640, 360);
        ASSERT_EQ(frame.pixels.size(), 640u * 360 * 3);
        EXPECT_TRUE(frame.isWhite(4, 355)) << t;
        EXPECT_TRUE(frame.isWhite(195, 324)) << t;
        EXPECT_FALSE(frame.isWhite(4, 310)) << t;
        EXPECT_FALSE(frame.isWhite(210, 355)) << t;
        EXPECT_FALSE(frame.isWhite(4, 4)) << t;
    }

    // Down the right edge from the top.
    auto right = exportWithTab(file("blue.mp4"), file("right.mov"), file("down.png"), { 40, 200 }, CGRectMake(600, 160, 40, 200));
    ASSERT_EQ(right->status(), AVAssetExportSessionStatus::Completed);
    auto frame = testsupport::frameAt(file("right.mov"), 0.5, 640, 360);
    EXPECT_TRUE(frame.isWhite(635, 4));
    EXPECT_TRUE(frame.isWhite(604, 195));
    EXPECT_FALSE(frame.isWhite(635, 210));
    EXPECT_FALSE(frame.isWhite(590, 4));
    EXPECT_FALSE(frame.isWhite(4, 355));
}

TEST_F(VideoExportTest, AVideoWithoutSoundExportsItsPictureAlone)
{
    ASSERT_TRUE(testsupport::makeClip(file("silent.mp4"), 320, 240, 1, false));
    ASSERT_TRUE(testsupport::makePicture(file("tab.png"), 100, 20));
    auto session = exportWithTab(file("silent.mp4"), file("out.mov"), file("tab.png"), { 100, 20 }, CGRectMake(0, 0, 100, 20));
    ASSERT_EQ(session->status(), AVAssetExportSessionStatus::Completed) << (session->error() ? session->error()->text() : "");
    EXPECT_EQ(testsupport::probeStream(file("out.mov"), "v:0", "codec_name"), "h264");
    EXPECT_EQ(testsupport::probeStream(file("out.mov"), "a", "codec_name"), "");
    EXPECT_NEAR(testsupport::probeDuration(file("out.mov")), 1.0, 0.1);
}

TEST_F(VideoExportTest, AFileAlreadyAtTheOutputFailsTheExportAndIsLeftAlone)
{
    ASSERT_TRUE(testsupport::makeClip(file("in.mp4"), 320, 240, 1));
    ASSERT_TRUE(testsupport::makePicture(file("tab.png"), 100, 20));
    testsupport::writeText(file("out.mov"), "an earlier export");
    auto session = exportWithTab(file("in.mp4"), file("out.mov"), file("tab.png"), { 100, 20 }, CGRectMake(0, 0, 100, 20));
    EXPECT_EQ(session->status(), AVAssetExportSessionStatus::Failed);
    ASSERT_TRUE(session->error());
    EXPECT_EQ(testsupport::readText(file("out.mov")), "an earlier export");
}

TEST_F(VideoExportTest, AFileThatIsNotAMovieOpensNoAssetAndAVanishedSourceFailsLeavingNothing)
{
    testsupport::writeText(file("notes.mov"), "not a movie");
    EXPECT_FALSE(AVURLAsset::URLAssetWithURL(NSURL::fileURLWithPath(ns(file("notes.mov")).get()).get()));
    EXPECT_FALSE(AVURLAsset::URLAssetWithURL(NSURL::fileURLWithPath(ns(file("missing.mov")).get()).get()));

    ASSERT_TRUE(testsupport::makeClip(file("in.mp4"), 320, 240, 1));
    auto asset = AVURLAsset::URLAssetWithURL(NSURL::fileURLWithPath(ns(file("in.mp4")).get()).get());
    ASSERT_TRUE(asset);
    std::filesystem::remove(file("in.mp4"));
    auto session = AVAssetExportSession::exportSessionWithAsset(asset.get(), ns(AVAssetExportPresetMediumQuality).get());
    session->setOutputFileType(ns(AVFileTypeQuickTimeMovie).get());
    session->setOutputURL(NSURL::fileURLWithPath(ns(file("out.mov")).get()).get());
    auto done = DispatchSemaphore::create(0);
    session->exportAsynchronouslyWithCompletionHandler([&] { done->signal(); });
    ASSERT_EQ(done->wait(60s), 0);
    EXPECT_EQ(session->status(), AVAssetExportSessionStatus::Failed);
    EXPECT_FALSE(std::filesystem::exists(file("out.mov")));
    EXPECT_FALSE(AVAssetExportSession::exportSessionWithAsset(asset.get(), ns("NoSuchPreset").get()));
}
