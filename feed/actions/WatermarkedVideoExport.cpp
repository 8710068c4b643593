#include "feed/actions/WatermarkedVideoExport.h"

#include "feed/actions/TarvoImageTools.h"
#include "feed/actions/TarvoWatermarkView.h"
#include "platform/graphics/CGContext.h"
#include "platform/media/AVComposition.h"
#include "platform/media/AVVideoComposition.h"
#include "platform/uikit/CALayer.h"
#include "platform/uikit/UIImage.h"

#include <numbers>

namespace igtarvo {

using namespace platform;

RefPtr<Object> videoWatermarkTab(id poster, CGSize videoSize, long position)
{
    auto icon = objc::send<RefPtr<UIImage>(NSString*)>(TarvoImageTools::staticClass(), "imageNamed:", ns("repost-icon").get());
    auto view = TarvoWatermarkView::make(icon.get(), poster, videoSize, position);
    if (!view)
        return nullptr;
    CGSize size = view->frame().size;
    if (!(size.width > 0) || !(size.height > 0))
        return nullptr;
    UIGraphicsBeginImageContextWithOptions(size, false, 0);
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (!context) {
        UIGraphicsEndImageContext();
        return nullptr;
    }
    objc::send<void(CGContext*)>(view->layer(), "renderInContext:", context);
    RefPtr<UIImage> tab = UIGraphicsGetImageFromCurrentImageContext();
    UIGraphicsEndImageContext();
    if (tab && (position == 2 || position == 4))
        tab = objc::send<RefPtr<UIImage>(UIImage*, double)>(TarvoImageTools::staticClass(), "rotateImage:byRadians:", tab.get(), std::numbers::pi / 2);
    return tab;
}

RefPtr<AVAssetExportSession> watermarkedExportSession(const std::string& input, id poster, long position, const std::string& output)
{
    auto asset = AVURLAsset::URLAssetWithURL(NSURL::fileURLWithPath(ns(input).get()).get());
    auto videoTracks = asset ? RefPtr<NSArray>(asset->tracksWithMediaType(ns(AVMediaTypeVideo).get())) : nullptr;
    if (!asset || !videoTracks || !videoTracks->count())
        return nullptr;
    auto* source = static_cast<AVAssetTrack*>(videoTracks->firstObject().get());
    CGSize size = source->naturalSize();
    double W = size.width, H = size.height;

    // The composition: the sound (when there is any) and the picture, whole.
    auto composition = AVMutableComposition::composition();
    CMTimeRange range = CMTimeRangeMake(kCMTimeZero, asset->duration());
    auto audioTracks = asset->tracksWithMediaType(ns(AVMediaTypeAudio).get());
    if (audioTracks->count()) {
        auto audio = composition->addMutableTrackWithMediaType(ns(AVMediaTypeAudio).get(), kCMPersistentTrackID_Invalid);
        audio->insertTimeRange(range, static_cast<AVAssetTrack*>(audioTracks->firstObject().get()), kCMTimeZero, nullptr);
    }
    auto video = composition->addMutableTrackWithMediaType(ns(AVMediaTypeVideo).get(), kCMPersistentTrackID_Invalid);
    video->insertTimeRange(range, source, kCMTimeZero, nullptr);
    video->setPreferredTransform(source->preferredTransform());

    // The tab's layer, its bitmap as contents, placed by position in the
    // video's coordinates (origin bottom-left).
    auto watermark = CALayer::layer();
    if (auto tab = videoWatermarkTab(poster, size, position)) {
        auto* picture = static_cast<UIImage*>(tab.get());
        CGSize t = picture->size();
        watermark->setContents(picture->CGImage().get());
        switch (position) {
        case 1: watermark->setFrame(CGRectMake(0, 0, t.width, t.height)); break;
        case 2: watermark->setFrame(CGRectMake(0, H - t.height, t.width, t.height)); break;
        case 3: watermark->setFrame(CGRectMake(0, H - t.height, t.width, t.height)); break;
        case 4: watermark->setFrame(CGRectMake(W - t.width, H - t.height, t.width, t.height)); break;
        default: break;
        }
    }
    auto parentLayer = CALayer::layer();
    auto videoLayer = CALayer::layer();
    parentLayer->setFrame(CGRectMake(0, 0, W, H));
    videoLayer->setFrame(CGRectMake(0, 0, W, H));
    objc::send<void(CALayer*)>(parentLayer, "addSublayer:", videoLayer.get());
    objc::send<void(CALayer*)>(parentLayer, "addSublayer:", watermark.get());

    auto videoComposition = AVMutableVideoComposition::videoComposition();
    videoComposition->setRenderSize(size);
    videoComposition->setFrameDuration(CMTimeMake(1, 30));
    videoComposition->setAnimationTool(AVVideoCompositionCoreAnimationTool::videoCompositionCoreAnimationToolWithPostProcessingAsVideoLayer(videoLayer.get(), parentLayer.get()).get());
    auto instruction = AVMutableVideoCompositionInstruction::videoCompositionInstruction();
    instruction->setTimeRange(CMTimeRangeMake(kCMTimeZero, composition->duration()));
    instruction->setLayerInstructions(NSArray::create({ AVMutableVideoCompositionLayerInstruction::videoCompositionLayerInstructionWithAssetTrack(video.get()) }).get());
    videoComposition->setInstructions(NSArray::create({ instruction }).get());

    auto session = AVAssetExportSession::exportSessionWithAsset(composition.get(), ns(AVAssetExportPresetMediumQuality).get());
    if (!session)
        return nullptr;
    session->setVideoComposition(videoComposition.get());
    session->setOutputFileType(ns(AVFileTypeQuickTimeMovie).get());
    session->setOutputURL(NSURL::fileURLWithPath(ns(output).get()).get());
    session->setShouldOptimizeForNetworkUse(true);
    return session;
}

} // namespace igtarvo
