#include "platform/media/AVAssetExportSession.h"

#include <cmath>

namespace platform {

OBJC_CLASS_LOAD(AVAssetExportSession)

RefPtr<AVAssetExportSession> AVAssetExportSession::exportSessionWithAsset(AVAsset* asset, NSString* presetName)
{
    std::string preset = presetName ? presetName->str() : std::string();
    if (!asset || (preset != AVAssetExportPresetLowQuality && preset != AVAssetExportPresetMediumQuality && preset != AVAssetExportPresetHighestQuality))
        return nullptr;
    auto session = objc::make<AVAssetExportSession>();
    session->m_asset = asset;
    session->m_preset = preset;
    return session;
}

DispatchQueue* AVAssetExportSession::exportQueue()
{
    static DispatchQueue* queue = DispatchQueue::create("com.apple.avfoundation.export").leak();
    return queue;
}

RefPtr<NSError> AVAssetExportSession::error() const
{
    std::lock_guard guard(m_lock);
    return m_error;
}

std::string AVAssetExportSession::settings(media::ExportSettings& out) const
{
    if (m_outputFileType != AVFileTypeQuickTimeMovie)
        return "unsupported output file type \"" + m_outputFileType + "\"";
    if (!m_outputURL || !m_outputURL->isFileURL())
        return "the output address is not a file address";
    out.output = str(m_outputURL->path().get());

    if (m_preset == AVAssetExportPresetLowQuality) {
        out.x264Preset = "veryfast";
        out.crf = 28;
        out.audioBitRate = 64000;
    } else if (m_preset == AVAssetExportPresetHighestQuality) {
        out.crf = 18;
        out.audioBitRate = 192000;
    }
    out.optimizeForNetworkUse = m_optimizeForNetworkUse;

    if (objc::object_isKindOfClass(m_asset.get(), AVURLAsset::staticClass())) {
        out.input = static_cast<AVURLAsset*>(m_asset.get())->path();
    } else if (objc::object_isKindOfClass(m_asset.get(), AVMutableComposition::staticClass())) {
        // The engine reads one file: the composition may take one range of it,
        // placed at the start, for its picture and its sound.
        auto* composition = static_cast<AVMutableComposition*>(m_asset.get());
        bool anyVideo = false, anyAudio = false;
        for (auto& track : composition->compositionTracks()) {
            auto& segments = track->segments();
            if (segments.empty())
                continue;
            if (segments.size() > 1 || CMTimeGetSeconds(segments[0].at) != 0)
                return "a composition of more than one piece per track cannot be exported";
            auto& s = segments[0];
            if (!out.input.empty() && out.input != s.source->sourcePath())
                return "a composition of more than one file cannot be exported";
            out.input = s.source->sourcePath();
            out.start = CMTimeGetSeconds(s.sourceRange.start);
            out.duration = std::max(out.duration, CMTimeGetSeconds(s.sourceRange.duration));
            (track->type() == AVMediaTypeVideo ? anyVideo : anyAudio) = true;
        }
        if (out.input.empty())
            return "the composition is empty";
        out.includeVideo = anyVideo;
        out.includeAudio = anyAudio;
    } else {
        return "the asset cannot be exported";
    }

    if (m_videoComposition) {
        CGSize size = m_videoComposition->renderSize();
        out.renderWidth = int(std::lround(size.width));
        out.renderHeight = int(std::lround(size.height));
        CMTime frame = m_videoComposition->frameDuration();
        if (frame.value > 0 && frame.timescale > 0) {
            out.frameRateNumerator = frame.timescale;
            out.frameRateDenominator = int(frame.value);
        }
        if (auto tool = m_videoComposition->animationTool())
            out.overlays = tool->overlays(size);
    }
    return {};
}

void AVAssetExportSession::exportAsynchronouslyWithCompletionHandler(std::function<void()> handler)
{
    auto expected = AVAssetExportSessionStatus::Unknown;
    if (!m_status.compare_exchange_strong(expected, AVAssetExportSessionStatus::Waiting))
        return;
    Ref<AVAssetExportSession> self(*this);
    exportQueue()->async([self, handler = std::move(handler)] { self->run(handler); });
}

void AVAssetExportSession::run(std::function<void()> handler)
{
    m_status = AVAssetExportSessionStatus::Exporting;
    media::ExportSettings s;
    std::string problem = settings(s);
    media::ExportResult result;
    if (problem.empty()) {
        s.progress = [this](double f) { m_progress = float(f); };
        s.cancelled = [this] { return m_cancelRequested.load(); };
        result = media::exportMovie(s);
    } else {
        result.error = problem;
    }
    {
        std::lock_guard guard(m_lock);
        if (!result.ok)
            m_error = NSError::create(AVFoundationErrorDomain, result.cancelled ? -11819 : -11800, result.error);
    }
    m_status = result.ok ? AVAssetExportSessionStatus::Completed
        : result.cancelled ? AVAssetExportSessionStatus::Cancelled
                           : AVAssetExportSessionStatus::Failed;
    if (handler)
        handler();
}

namespace {
RefPtr<AVAssetExportSession> exportSessionWithAssetPresetName(AVAsset* asset, NSString* preset)
{
    return AVAssetExportSession::exportSessionWithAsset(asset, preset);
}
}

void AVAssetExportSession::registerMethods(objc::ClassBuilder<AVAssetExportSession>& b)
{
    b.classMethod<&exportSessionWithAssetPresetName>("exportSessionWithAsset:presetName:")
        .method<&AVAssetExportSession::setVideoComposition>("setVideoComposition:")
        .method<&AVAssetExportSession::setOutputFileType>("setOutputFileType:")
        .method<&AVAssetExportSession::setOutputURL>("setOutputURL:")
        .method<&AVAssetExportSession::outputURL>("outputURL")
        .method<&AVAssetExportSession::setShouldOptimizeForNetworkUse>("setShouldOptimizeForNetworkUse:")
        .method<&AVAssetExportSession::exportAsynchronouslyWithCompletionHandler>("exportAsynchronouslyWithCompletionHandler:")
        .method<&AVAssetExportSession::cancelExport>("cancelExport")
        .method<&AVAssetExportSession::status>("status")
        .method<&AVAssetExportSession::error>("error")
        .method<&AVAssetExportSession::progress>("progress");
}

} // namespace platform
