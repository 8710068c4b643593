#pragma once
// How a composition's video is drawn: the picture size, the frame rate, the
// instructions for each time range and, optionally, a layer tree that the
// video is drawn inside (the core-animation tool). The layers are the
// platform's layers, reached by message: the parent answers `sublayers`;
// each other sublayer answers `frame` (in the video's pixels, origin at the
// bottom-left) and `contents` (a CGImage or a UIImage: its bitmap is what is
// drawn). What is drawn over the video is read when the export starts.

#include "platform/media/AVAsset.h"
#include "platform/media/MediaEngine.h"

#include <functional>
#include <optional>

namespace platform {

class AVMutableVideoCompositionLayerInstruction : public NSObject {
    OBJC_CLASS(AVMutableVideoCompositionLayerInstruction, NSObject)
public:
    AVMutableVideoCompositionLayerInstruction() = default;
    static void registerMethods(objc::ClassBuilder<AVMutableVideoCompositionLayerInstruction>&);
    static Ref<AVMutableVideoCompositionLayerInstruction> videoCompositionLayerInstructionWithAssetTrack(AVAssetTrack* track);

    RefPtr<AVAssetTrack> track() const { return m_track; }
    int32_t trackID() const { return m_track ? m_track->trackID() : 0; }

private:
    RefPtr<AVAssetTrack> m_track;
};

class AVMutableVideoCompositionInstruction : public NSObject {
    OBJC_CLASS(AVMutableVideoCompositionInstruction, NSObject)
public:
    AVMutableVideoCompositionInstruction() = default;
    static void registerMethods(objc::ClassBuilder<AVMutableVideoCompositionInstruction>&);
    static Ref<AVMutableVideoCompositionInstruction> videoCompositionInstruction() { return objc::make<AVMutableVideoCompositionInstruction>(); }

    CMTimeRange timeRange() const { return m_timeRange; }
    void setTimeRange(CMTimeRange r) { m_timeRange = r; }
    RefPtr<NSArray> layerInstructions() const { return m_layerInstructions; }
    void setLayerInstructions(NSArray* list) { m_layerInstructions = list; }

private:
    CMTimeRange m_timeRange;
    RefPtr<NSArray> m_layerInstructions;
};

class AVVideoCompositionCoreAnimationTool : public NSObject {
    OBJC_CLASS(AVVideoCompositionCoreAnimationTool, NSObject)
public:
    AVVideoCompositionCoreAnimationTool() = default;
    static void registerMethods(objc::ClassBuilder<AVVideoCompositionCoreAnimationTool>&);
    // The video is drawn into videoLayer, which sits in parentLayer's tree.
    static Ref<AVVideoCompositionCoreAnimationTool> videoCompositionCoreAnimationToolWithPostProcessingAsVideoLayer(id videoLayer, id parentLayer);

    RefPtr<Object> videoLayer() const { return m_videoLayer; }
    RefPtr<Object> parentLayer() const { return m_parentLayer; }

    // The pictures drawn over the video: every sublayer of the parent but the
    // video layer that has contents, placed in a picture of `renderSize`
    // pixels (top-left origin for the engine).
    std::vector<media::Overlay> overlays(CGSize renderSize) const;

private:
    RefPtr<Object> m_videoLayer;
    RefPtr<Object> m_parentLayer;
};

class AVMutableVideoComposition : public NSObject {
    OBJC_CLASS(AVMutableVideoComposition, NSObject)
public:
    AVMutableVideoComposition() = default;
    static void registerMethods(objc::ClassBuilder<AVMutableVideoComposition>&);
    static Ref<AVMutableVideoComposition> videoComposition() { return objc::make<AVMutableVideoComposition>(); }

    CGSize renderSize() const { return m_renderSize; }
    void setRenderSize(CGSize s) { m_renderSize = s; }
    CMTime frameDuration() const { return m_frameDuration; }
    void setFrameDuration(CMTime t) { m_frameDuration = t; }
    RefPtr<NSArray> instructions() const { return m_instructions; }
    void setInstructions(NSArray* list) { m_instructions = list; }
    RefPtr<AVVideoCompositionCoreAnimationTool> animationTool() const { return m_animationTool; }
    void setAnimationTool(AVVideoCompositionCoreAnimationTool* tool) { m_animationTool = tool; }

private:
    CGSize m_renderSize;
    CMTime m_frameDuration { 1, 30 };
    RefPtr<NSArray> m_instructions;
    RefPtr<AVVideoCompositionCoreAnimationTool> m_animationTool;
};

} // namespace platform
