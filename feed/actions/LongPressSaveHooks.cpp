#include "feed/actions/LongPressSaveHooks.h"
#include "core/InstagramFeedSurface.h"
#include "core/InstagramSurface.h"
#include "feed/actions/PhotoSaving.h"
#include "feed/actions/TarvoVideoSaver.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UILongPressGestureRecognizer.h"

namespace igtarvo {

using namespace platform;

namespace {

constexpr long kGestureBegan = 1;

// Adds the view's long-press recognizer, unless it has one already.
void addLongPressOnce(id self)
{
    auto* view = objc::dynamicCast<UIView>(self);
    const void* key = objc::sel_registerName("tarvo_handleLongPress:");
    if (!view || objc::objc_getAssociatedObject(self, key))
        return;
    auto recognizer = UILongPressGestureRecognizer::create(self, "tarvo_handleLongPress:");
    view->addGestureRecognizer(recognizer.get());
    objc::objc_setAssociatedObject(self, key, recognizer.get(), objc::AssociationPolicy::RetainNonatomic);
}

long stateOf(id recognizer)
{
    auto* gesture = objc::dynamicCast<UIGestureRecognizer>(recognizer);
    return gesture ? gesture->state() : 0;
}

Previous<void(id, id, long)> g_IGFeedPhotoView_progressImageView;

void IGFeedPhotoView_progressImageView(id self, SEL _cmd, id imageView, id image, long length)
{
    g_IGFeedPhotoView_progressImageView(self, _cmd, imageView, image, length);
    addLongPressOnce(self);
}

void IGFeedPhotoView_tarvo_handleLongPress(id self, SEL, id recognizer)
{
    if (stateOf(recognizer) != kGestureBegan)
        return;
    savePhotoToLibrary(instagram::imageURL(self), RefPtr<Object>(self), RefPtr<Object>(self));
}

void IGFeedPhotoView_tarvo_image_didFinishSavingWithError_contextInfo(id, SEL, id, id, void*)
{
    instagram::hideAlertBar();
}

Previous<void(id, id)> g_IGFeedItemVideoView_videoPlayer;

void IGFeedItemVideoView_videoPlayer(id self, SEL _cmd, id player, id view)
{
    g_IGFeedItemVideoView_videoPlayer(self, _cmd, player, view);
    addLongPressOnce(self);
}

void IGFeedItemVideoView_tarvo_handleLongPress(id self, SEL, id recognizer)
{
    if (stateOf(recognizer) != kGestureBegan)
        return;
    auto saver = TarvoVideoSaver::sharedVideoSaver();
    if (auto* view = objc::dynamicCast<UIView>(self))
        view->addSubview(saver.get());
    TarvoVideoSaver::saveVideoWithCompletionHandler(instagram::videoOfView(self).get(), [saver] { saver->removeFromSuperview(); });
}

} // namespace

HookRows longPressSaveRows()
{
    return {
        replaced<g_IGFeedPhotoView_progressImageView, &IGFeedPhotoView_progressImageView>(
            kInstagramProcess, "IGFeedPhotoView", "progressImageView:didLoadImage:withDataLength:"),
        added<&IGFeedPhotoView_tarvo_handleLongPress>(kInstagramProcess, "IGFeedPhotoView", "tarvo_handleLongPress:", "v@:@"),
        added<&IGFeedPhotoView_tarvo_image_didFinishSavingWithError_contextInfo>(kInstagramProcess, "IGFeedPhotoView",
            "tarvo_image:didFinishSavingWithError:contextInfo:", "v@:@@^v"),
        replaced<g_IGFeedItemVideoView_videoPlayer, &IGFeedItemVideoView_videoPlayer>(
            kInstagramProcess, "IGFeedItemVideoView", "videoPlayer:didLoadVideoInView:"),
        added<&IGFeedItemVideoView_tarvo_handleLongPress>(kInstagramProcess, "IGFeedItemVideoView", "tarvo_handleLongPress:", "v@:@"),
    };
}

} // namespace igtarvo
