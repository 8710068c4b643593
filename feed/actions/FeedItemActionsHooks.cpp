#include "feed/actions/FeedItemActionsHooks.h"
#include "core/InstagramFeedSurface.h"
#include "core/InstagramSurface.h"
#include "feed/actions/PhotoSaving.h"
#include "feed/actions/TarvoAlertController.h"
#include "feed/actions/TarvoImageTools.h"
#include "feed/actions/TarvoRepost.h"
#include "feed/actions/TarvoVideoSaver.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSBundle.h"
#include "platform/uikit/NSLayoutConstraint.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIViewController.h"

#include <memory>
#include <utility>

namespace igtarvo {

using namespace platform;

namespace {

const void* key(const char* getter) { return objc::sel_registerName(getter); }

RefPtr<UIView> asView(id object) { return RefPtr<UIView>(objc::dynamicCast<UIView>(object)); }

// The general pasteboard's string becomes `text`.
void copyToPasteboard(const std::string& text)
{
    Class pasteboardClass = objc::objc_getClass("UIPasteboard");
    if (!objc::respondsTo(pasteboardClass, "generalPasteboard"))
        return;
    auto pasteboard = objc::send<RefPtr<Object>>(pasteboardClass, "generalPasteboard");
    auto value = ns(text);
    if (objc::respondsTo(pasteboard, "setString:"))
        objc::send<bool(id)>(pasteboard, "setString:", value.get()); // the platform answers whether it was stored
}

Previous<RefPtr<Object>(CGRect)> g_IGFeedItemActionCell_initWithFrame;

RefPtr<Object> IGFeedItemActionCell_initWithFrame(id self, SEL _cmd, CGRect frame)
{
    RefPtr<Object> cell = g_IGFeedItemActionCell_initWithFrame(self, _cmd, frame);
    if (cell)
        objc::send<void>(cell, "addTarvoMoreActionsButton");
    return cell;
}

Previous<void()> g_IGFeedItemActionCell_layoutSubviews;

void IGFeedItemActionCell_layoutSubviews(id self, SEL _cmd)
{
    g_IGFeedItemActionCell_layoutSubviews(self, _cmd);
    auto button = asView(objc::send<RefPtr<Object>>(self, "actionButton").get());
    if (button)
        button->setHidden(instagram::sponsoredPostInfo(instagram::feedItem(self).get()) != nullptr);
}

void IGFeedItemActionCell_tarvo_setShareController(id self, SEL, id controller)
{
    objc::objc_setAssociatedObject(self, key("tarvo_shareController"), controller, objc::AssociationPolicy::RetainNonatomic);
}

RefPtr<Object> IGFeedItemActionCell_tarvo_shareController(id self, SEL)
{
    return objc::objc_getAssociatedObject(self, key("tarvo_shareController"));
}

void IGFeedItemActionCell_setActionButton(id self, SEL, id button)
{
    objc::objc_setAssociatedObject(self, key("actionButton"), button, objc::AssociationPolicy::RetainNonatomic);
}

RefPtr<Object> IGFeedItemActionCell_actionButton(id self, SEL)
{
    return objc::objc_getAssociatedObject(self, key("actionButton"));
}

void IGFeedItemActionCell_addTarvoMoreActionsButton(id self, SEL)
{
    auto* cell = objc::dynamicCast<UIView>(self);
    if (!cell || objc::send<RefPtr<Object>>(self, "actionButton"))
        return;
    auto button = UIButton::buttonWithType(0);
    objc::send<void(id)>(self, "setActionButton:", button.get());
    button->addTarget(self, objc::sel_registerName("tarvo_moreActions"), UIControlEventTouchUpInside);
    auto bundle = TarvoImageTools::sharedTools()->igTarvoBundle();
    auto path = bundle ? bundle->pathForResource(ns("menu").get(), ns("png").get()) : nullptr;
    // The bundle answers paths on this machine; the picture is read by its device path.
    if (auto image = path ? UIImage::imageWithContentsOfFile(ns(Device::devicePath(path->str())).get()) : nullptr)
        button->setImage(image.get(), UIControlStateNormal);
    button->setTranslatesAutoresizingMaskIntoConstraints(false);
    cell->addSubview(button.get());
    auto more = asView(instagram::moreButton(self).get());
    CGRect moreFrame = more ? more->frame() : CGRectZero;
    cell->addConstraint(NSLayoutConstraint::constraintWithItem(button.get(), NSLayoutAttributeRight, NSLayoutRelationEqual, cell, NSLayoutAttributeRight, 1, -moreFrame.size.width).get());
    cell->addConstraint(NSLayoutConstraint::constraintWithItem(button.get(), NSLayoutAttributeCenterY, NSLayoutRelationEqual, more.get(), NSLayoutAttributeCenterY, 1, 0).get());
    cell->addConstraint(NSLayoutConstraint::constraintWithItem(button.get(), NSLayoutAttributeWidth, NSLayoutRelationEqual, more.get(), NSLayoutAttributeWidth, 1, 0).get());
    cell->addConstraint(NSLayoutConstraint::constraintWithItem(button.get(), NSLayoutAttributeHeight, NSLayoutRelationEqual, more.get(), NSLayoutAttributeHeight, 1, 0).get());
    cell->setNeedsDisplay();
}

void copyCaption(const Ref<Object>& cell)
{
    auto view = instagram::feedItem(cell.get());
    auto caption = instagram::caption(view.get());
    auto superview = asView(cell.get()) ? asView(cell.get())->superview() : nullptr;
    if (!caption) {
        instagram::showHUD("No Caption to copy", superview.get());
        return;
    }
    auto text = instagram::captionText(caption.get());
    if (!isString(text.get()) || str(text.get()).empty())
        return;
    copyToPasteboard(str(text.get()));
    instagram::showHUD("Copied", superview.get());
}

void saveMedia(const Ref<Object>& cell)
{
    auto item = instagram::feedItem(cell.get());
    switch (instagram::mediaType(item.get())) {
    case 1:
        savePhotoToLibrary(resolvePhotoURL(cell.get()), cell, cell);
        break;
    case 2: {
        instagram::showAlertBar("Saving...", 1);
        instagram::setAlertBarHidesAutomatically(false);
        auto saver = TarvoVideoSaver::sharedVideoSaver();
        if (auto view = asView(cell.get()))
            view->addSubview(saver.get());
        TarvoVideoSaver::saveVideoWithCompletionHandler(instagram::video(item.get()).get(), [saver] { saver->removeFromSuperview(); });
        break;
    }
    default:
        break;
    }
}

void IGFeedItemActionCell_tarvo_moreActions(id self, SEL)
{
    Ref<Object> cell(*self);
    auto menu = TarvoAlertController::make(kActionsMenuTitle, kActionsMenuMessage, 0);
    auto copy = UIAlertAction::create("Copy Caption", UIAlertActionStyleDefault, [cell](UIAlertAction*) { copyCaption(cell); });
    // The Repost handler holds the menu, whose strip says which layout was
    // chosen, until it runs (the menu holds the handler: the hold ends there).
    auto heldMenu = std::make_shared<RefPtr<Object>>(menu);
    auto repost = UIAlertAction::create("Repost", UIAlertActionStyleDefault, [cell, heldMenu](UIAlertAction*) {
        RefPtr<Object> chooser = std::exchange(*heldMenu, nullptr);
        repostFeedItem(cell.get(), chooser.get());
    });
    auto save = UIAlertAction::create("Save Media", UIAlertActionStyleDefault, [cell](UIAlertAction*) { saveMedia(cell); });
    bool own = instagram::isSameUser(instagram::user(instagram::feedItem(self).get()).get(), instagram::currentUser().get());
    if (own)
        menu->setIsForCurrentUser(true);
    auto cancel = UIAlertAction::create("Cancel", UIAlertActionStyleDestructive);
    menu->addAction(copy.get());
    if (!own)
        menu->addAction(repost.get());
    menu->addAction(save.get());
    menu->addAction(cancel.get());
    auto navigation = objc::dynamicCast<UIViewController>(instagram::navigationController(self));
    if (navigation)
        navigation->presentViewController(menu.get(), true, nullptr);
}

void IGFeedItemActionCell_tarvo_image_didFinishSavingWithError_contextInfo(id, SEL, id, id, void*)
{
    instagram::hideAlertBar();
}

} // namespace

RefPtr<Object> resolvePhotoURL(id cell)
{
    auto view = asView(cell);
    auto collection = view ? view->superview() : nullptr;
    if (auto url = instagram::photoURLInSameSection(collection.get(), cell))
        return url;
    return instagram::lastImageVersionURL(instagram::feedItem(cell).get());
}

HookRows feedItemActionRows()
{
    return {
        replaced<g_IGFeedItemActionCell_layoutSubviews, &IGFeedItemActionCell_layoutSubviews>(
            kInstagramProcess, "IGFeedItemActionCell", "layoutSubviews"),
        replaced<g_IGFeedItemActionCell_initWithFrame, &IGFeedItemActionCell_initWithFrame>(
            kInstagramProcess, "IGFeedItemActionCell", "initWithFrame:"),
        added<&IGFeedItemActionCell_tarvo_setShareController>(kInstagramProcess, "IGFeedItemActionCell", "tarvo_setShareController:", "v@:@"),
        added<&IGFeedItemActionCell_tarvo_shareController>(kInstagramProcess, "IGFeedItemActionCell", "tarvo_shareController", "@@:"),
        added<&IGFeedItemActionCell_setActionButton>(kInstagramProcess, "IGFeedItemActionCell", "setActionButton:", "v@:@"),
        added<&IGFeedItemActionCell_actionButton>(kInstagramProcess, "IGFeedItemActionCell", "actionButton", "@@:"),
        added<&IGFeedItemActionCell_addTarvoMoreActionsButton>(kInstagramProcess, "IGFeedItemActionCell", "addTarvoMoreActionsButton", "v@:"),
        added<&IGFeedItemActionCell_tarvo_moreActions>(kInstagramProcess, "IGFeedItemActionCell", "tarvo_moreActions", "v@:"),
        added<&IGFeedItemActionCell_tarvo_image_didFinishSavingWithError_contextInfo>(kInstagramProcess, "IGFeedItemActionCell",
            "tarvo_image:didFinishSavingWithError:contextInfo:", "v@:@@^v"),
    };
}

} // namespace igtarvo
