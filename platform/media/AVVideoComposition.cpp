#include "platform/media/AVVideoComposition.h"

#include "platform/graphics/CGImage.h"
#include "platform/uikit/UIImage.h"

#include <cmath>

namespace platform {

OBJC_CLASS_LOAD(AVMutableVideoCompositionLayerInstruction)
OBJC_CLASS_LOAD(AVMutableVideoCompositionInstruction)
OBJC_CLASS_LOAD(AVVideoCompositionCoreAnimationTool)
OBJC_CLASS_LOAD(AVMutableVideoComposition)

Ref<AVMutableVideoCompositionLayerInstruction> AVMutableVideoCompositionLayerInstruction::videoCompositionLayerInstructionWithAssetTrack(AVAssetTrack* track)
{
    auto instruction = objc::make<AVMutableVideoCompositionLayerInstruction>();
    instruction->m_track = track;
    return instruction;
}

void AVMutableVideoCompositionLayerInstruction::registerMethods(objc::ClassBuilder<AVMutableVideoCompositionLayerInstruction>& b)
{
    b.classMethod<&AVMutableVideoCompositionLayerInstruction::videoCompositionLayerInstructionWithAssetTrack>("videoCompositionLayerInstructionWithAssetTrack:")
        .method<&AVMutableVideoCompositionLayerInstruction::trackID>("trackID");
}

void AVMutableVideoCompositionInstruction::registerMethods(objc::ClassBuilder<AVMutableVideoCompositionInstruction>& b)
{
    b.classMethod<&AVMutableVideoCompositionInstruction::videoCompositionInstruction>("videoCompositionInstruction")
        .method<&AVMutableVideoCompositionInstruction::timeRange>("timeRange")
        .method<&AVMutableVideoCompositionInstruction::setTimeRange>("setTimeRange:")
        .method<&AVMutableVideoCompositionInstruction::layerInstructions>("layerInstructions")
        .method<&AVMutableVideoCompositionInstruction::setLayerInstructions>("setLayerInstructions:");
}

namespace {

// A layer's contents as the engine takes them: the bitmap's own pixels, from
// a CGImage or a UIImage (whether it was drawn or read from a file).
std::optional<media::Overlay> readBitmap(id contents)
{
    RefPtr<CGImage> bitmap;
    if (objc::object_isKindOfClass(contents, CGImage::staticClass()))
        bitmap = RefPtr<CGImage>(static_cast<CGImage*>(contents));
    else if (objc::object_isKindOfClass(contents, UIImage::staticClass()))
        bitmap = static_cast<UIImage*>(contents)->CGImage();
    if (!bitmap || bitmap->width() <= 0 || bitmap->height() <= 0)
        return std::nullopt;
    media::Overlay picture;
    picture.width = int(bitmap->width());
    picture.height = int(bitmap->height());
    picture.rgba = bitmap->straightRGBA();
    return picture;
}

} // namespace

Ref<AVVideoCompositionCoreAnimationTool> AVVideoCompositionCoreAnimationTool::videoCompositionCoreAnimationToolWithPostProcessingAsVideoLayer(id videoLayer, id parentLayer)
{
    auto tool = objc::make<AVVideoCompositionCoreAnimationTool>();
    tool->m_videoLayer = videoLayer;
    tool->m_parentLayer = parentLayer;
    return tool;
}

std::vector<media::Overlay> AVVideoCompositionCoreAnimationTool::overlays(CGSize renderSize) const
{
    std::vector<media::Overlay> list;
    if (!m_parentLayer || !objc::respondsTo(m_parentLayer.get(), "sublayers"))
        return list;
    auto sublayers = objc::send<RefPtr<Object>>(m_parentLayer.get(), "sublayers");
    if (!objc::object_isKindOfClass(sublayers.get(), NSArray::staticClass()))
        return list;
    for (auto& layer : static_cast<NSArray*>(sublayers.get())->items()) {
        if (layer.get() == m_videoLayer.get())
            continue;
        if (objc::respondsTo(layer.get(), "isHidden") && objc::send<bool>(layer.get(), "isHidden"))
            continue;
        if (!objc::respondsTo(layer.get(), "frame") || !objc::respondsTo(layer.get(), "contents"))
            continue;
        CGRect frame = objc::send<CGRect>(layer.get(), "frame");
        auto contents = objc::send<RefPtr<Object>>(layer.get(), "contents");
        if (!contents || frame.size.width <= 0 || frame.size.height <= 0)
            continue;
        auto picture = readBitmap(contents.get());
        if (!picture)
            continue;
        picture->shownWidth = int(std::lround(frame.size.width));
        picture->shownHeight = int(std::lround(frame.size.height));
        picture->x = int(std::lround(frame.origin.x));
        // The layer's origin is the video's bottom-left corner; the engine's is the top-left.
        picture->y = int(std::lround(renderSize.height - frame.origin.y - frame.size.height));
        list.push_back(std::move(*picture));
    }
    return list;
}

namespace {
Ref<AVVideoCompositionCoreAnimationTool> toolWithLayers(id videoLayer, id parentLayer)
{
    return AVVideoCompositionCoreAnimationTool::videoCompositionCoreAnimationToolWithPostProcessingAsVideoLayer(videoLayer, parentLayer);
}
}

void AVVideoCompositionCoreAnimationTool::registerMethods(objc::ClassBuilder<AVVideoCompositionCoreAnimationTool>& b)
{
    b.classMethod<&toolWithLayers>("videoCompositionCoreAnimationToolWithPostProcessingAsVideoLayer:inLayer:");
}

void AVMutableVideoComposition::registerMethods(objc::ClassBuilder<AVMutableVideoComposition>& b)
{
    b.classMethod<&AVMutableVideoComposition::videoComposition>("videoComposition")
        .method<&AVMutableVideoComposition::renderSize>("renderSize")
        .method<&AVMutableVideoComposition::setRenderSize>("setRenderSize:")
        .method<&AVMutableVideoComposition::frameDuration>("frameDuration")
        .method<&AVMutableVideoComposition::setFrameDuration>("setFrameDuration:")
        .method<&AVMutableVideoComposition::instructions>("instructions")
        .method<&AVMutableVideoComposition::setInstructions>("setInstructions:")
        .method<&AVMutableVideoComposition::animationTool>("animationTool")
        .method<&AVMutableVideoComposition::setAnimationTool>("setAnimationTool:");
}

} // namespace platform
