#include "feed/actions/TarvoRepost.h"
#include "core/InstagramFeedSurface.h"
#include "core/InstagramSurface.h"
#include "core/Notifications.h"
#include "feed/actions/FeedItemActionsHooks.h"
#include "feed/actions/TarvoCaptionManger.h"
#include "feed/actions/TarvoImageTools.h"
#include "feed/actions/TarvoVideoSaver.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/NSPathUtilities.h"
#include "platform/foundation/NSURL.h"
#include "platform/net/URLLoading.h"
#include "platform/uikit/UIImage.h"

#include <memory>
#include <optional>

namespace igtarvo {

using namespace platform;

namespace {

// How long the background part waits for the main thread's watermark step
// at most; the step always answers, so this only matters when the main
// thread is stuck.
constexpr auto kWatermarkWaitLimit = std::chrono::seconds(120);

long chosenPosition(id menu)
{
    if (!objc::respondsTo(menu, "collectionView"))
        return 0;
    auto strip = objc::send<RefPtr<Object>>(menu, "collectionView");
    return objc::respondsTo(strip, "repostIndex") ? objc::send<long>(strip, "repostIndex") : 0;
}

std::optional<std::string> textOf(const RefPtr<Object>& value)
{
    return isString(value.get()) ? std::optional<std::string>(str(value.get())) : std::nullopt;
}

void showError(const char* text)
{
    dispatch_async(dispatch_get_main_queue(), [text] {
        instagram::showAlertBar(text, 1);
        instagram::setAlertBarHidesAutomatically(true);
    });
}

void repostPhoto(Ref<Object> cell, RefPtr<Object> menu)
{
    instagram::showAlertBar("Downloading Image...", 1);
    instagram::setAlertBarHidesAutomatically(false);
    // Everything the background part needs is read here, on the main thread.
    auto url = resolvePhotoURL(cell.get());
    auto item = instagram::feedItem(cell.get());
    auto poster = instagram::user(item.get());
    auto caption = textOf(instagram::captionText(instagram::caption(item.get()).get()));
    auto username = textOf(instagram::username(poster.get()));
    dispatch_async(dispatch_get_global_queue(), [cell, menu, url, poster, caption, username] {
        RefPtr<NSData> data = url ? NSDataWithContentsOfURL(url.get()) : nullptr;
        if (!data || data->length() == 0)
            return showError(kRepostImageErrorText);
        auto semaphore = DispatchSemaphore::create(0);
        auto picture = std::make_shared<RefPtr<NSData>>();
        dispatch_async(dispatch_get_main_queue(), [menu, poster, data, semaphore, picture] {
            instagram::setAlertBarText("Adding Watermark...");
            long position = chosenPosition(menu.get());
            if (auto image = UIImage::imageWithData(data.get())) {
                if (position != 0)
                    *picture = TarvoImageTools::dataByAddingWatermarkForUser(poster.get(), image.get(), position);
                else
                    *picture = UIImagePNGRepresentation(TarvoImageTools::sharedTools()->squareImageFromImage(image.get()).get());
            }
            // Signalled on every path, so the wait below always ends.
            semaphore->signal();
        });
        if (semaphore->wait(kWatermarkWaitLimit) != 0 || !*picture)
            return showError(kRepostImageErrorText);
        auto* address = objc::dynamicCast<NSURL>(url.get());
        auto path = NSTemporaryDirectory() + handOffFileName(address && address->path() ? address->path()->str() : std::string());
        if (!writeBytesToHostFile((*picture)->bytes(), path, true))
            return showError(kRepostWriteErrorText);
        // The caption waits before Instagram gets the file: its share screen
        // may ask for it at once.
        TarvoCaptionManger::sharedManager()->setPending(caption && !caption->empty() ? *caption : std::string(), username);
        dispatch_async(dispatch_get_main_queue(), [cell, path] {
            auto fileURL = NSURL::fileURLWithPath(ns(path).get());
            bool handed = openDocumentInInstagram(fileURL.get(), cell.get(), cell.get());
            instagram::hideAlertBar();
            if (!handed) {
                instagram::showAlertBar(kRepostWriteErrorText, 1);
                instagram::setAlertBarHidesAutomatically(true);
            }
        });
    });
}

void repostVideo(Ref<Object> cell, RefPtr<Object> menu)
{
    auto saver = TarvoVideoSaver::sharedVideoSaver();
    if (auto* view = objc::dynamicCast<UIView>(cell.get()))
        view->addSubview(saver.get());
    auto item = instagram::feedItem(cell.get());
    auto poster = instagram::user(item.get());
    auto caption = textOf(instagram::captionText(instagram::caption(item.get()).get()));
    auto username = textOf(instagram::username(poster.get()));
    auto done = [saver, caption, username] {
        saver->removeFromSuperview();
        postLocalNotification(kShowLibraryNotification);
        if (caption && !caption->empty())
            TarvoCaptionManger::sharedManager()->setPending(caption, username);
    };
    long position = chosenPosition(menu.get());
    if (position != 0)
        TarvoVideoSaver::saveVideoByAddingWatermark(instagram::video(item.get()).get(), poster.get(), position, done);
    else
        TarvoVideoSaver::saveVideoWithCompletionHandler(instagram::video(item.get()).get(), done);
}

} // namespace

std::string handOffFileName(const std::string& addressPath)
{
    std::string name = lastPathComponent(addressPath);
    auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.erase(dot);
    if (name.empty() || name == "." || name == "..")
        name = "repost";
    return name + ".igo";
}

bool openDocumentInInstagram(id fileURL, id keeper, id delegate)
{
    Class controllerClass = objc::objc_getClass("UIDocumentInteractionController");
    if (!fileURL || !objc::respondsTo(controllerClass, "interactionControllerWithURL:"))
        return false;
    auto controller = objc::send<RefPtr<Object>(id)>(controllerClass, "interactionControllerWithURL:", fileURL);
    if (!controller)
        return false;
    if (objc::respondsTo(keeper, "tarvo_setShareController:"))
        objc::send<void(id)>(keeper, "tarvo_setShareController:", controller.get());
    if (delegate && objc::respondsTo(controller, "setDelegate:"))
        objc::send<void(id)>(controller, "setDelegate:", delegate);
    // Looked up once per process.
    static const Class proxyClass = objc::objc_getClass("LSApplicationProxy");
    RefPtr<Object> proxy;
    if (objc::respondsTo(proxyClass, "applicationProxyForIdentifier:"))
        proxy = objc::send<RefPtr<Object>(id)>(proxyClass, "applicationProxyForIdentifier:", ns(kInstagramBundleIdentifier).get());
    if (!objc::respondsTo(controller, "_openDocumentWithApplication:"))
        return false;
    return objc::send<bool(id)>(controller, "_openDocumentWithApplication:", proxy.get());
}

void repostFeedItem(id actionCell, id menu)
{
    if (!actionCell)
        return;
    Ref<Object> cell(*actionCell);
    switch (instagram::mediaType(instagram::feedItem(actionCell).get())) {
    case 1: repostPhoto(cell, RefPtr<Object>(menu)); break;
    case 2: repostVideo(cell, RefPtr<Object>(menu)); break;
    default: break;
    }
}

} // namespace igtarvo
