#include "platform/media/AVVideoComposition.h"

#include "platform/foundation/Device.h"
#include "platform/uikit/UIImage.h"

#include <cmath>
#include <mutex>

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

std::mutex g_readerLock;

std::optional<media::Overlay> readFilePicture(id contents)
{
    if (!objc::object_isKindOfClass(contents, UIImage::staticClass()))
        return std::nullopt;
    auto* image = static_cast<UIImage*>(contents);
    if (image->path().empty())
        return std::nullopt;
    return media::readPicture(Device::path(image->path()));
}

AVVideoCompositionCoreAnimationTool::ContentsReader& contentsReader()
{
    static AVVideoCompositionCoreAnimationTool::ContentsReader reader = readFilePicture;
    return reader;
}

} // namespace

void AVVideoCompositionCoreAnimationTool::setContentsReader(ContentsReader reader)
{
    std::lock_guard guard(g_readerLock);
    contentsReader() = reader ? std::move(reader) : ContentsReader(readFilePicture);
}

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
    ContentsReader reader;
    {
        std::lock_guard guard(g_readerLock);
        reader = contentsReader();
    }
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
        auto picture = reader(contents.get());
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
