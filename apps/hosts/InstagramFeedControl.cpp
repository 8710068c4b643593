#include "apps/hosts/InstagramFeedControl.h"
#include "apps/hosts/ScreenReport.h"
#include "hosts/instagram/IGAlertBar.h"
#include "hosts/instagram/IGAlertHUD.h"
#include "hosts/instagram/IGFeedItem.h"
#include "hosts/instagram/IGFeedItemActionCell.h"
#include "hosts/instagram/IGFeedItemPhotoCell.h"
#include "hosts/instagram/IGFeedItemVideoView.h"
#include "hosts/instagram/IGMainFeedViewController.h"
#include "hosts/instagram/IGShareViewController.h"
#include "hosts/instagram/IGTabBarController.h"
#include "platform/dispatch/Dispatch.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/uikit/UIAlertAction.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UserInput.h"

#include <cstdlib>
#include <stdexcept>

namespace hosts {

using namespace platform;
using namespace hosts::instagram;
using objc::RefPtr;
using Args = std::vector<std::string>;

namespace {

using WindowSource = std::function<RefPtr<UIWindow>()>;

RefPtr<UIViewController> topController(UIWindow* window)
{
    RefPtr<UIViewController> top = window ? window->rootViewController() : nullptr;
    while (top && top->presentedViewController())
        top = top->presentedViewController();
    return top;
}

IGMainFeedViewController* feedOf(UIWindow* window)
{
    auto* tabs = window ? objc::dynamicCast<IGTabBarController>(window->rootViewController().get()) : nullptr;
    auto feed = tabs ? tabs->mainFeedViewController() : nullptr;
    auto* controller = objc::dynamicCast<IGMainFeedViewController>(feed.get());
    if (!controller)
        throw std::runtime_error("the feed is not on screen");
    // The feed arrives over HTTP: wait for it a moment.
    RunLoop::runUntil([controller] { return controller->isFeedLoaded(); }, std::chrono::seconds(10));
    if (!controller->isFeedLoaded())
        throw std::runtime_error("the feed has not loaded");
    if (!controller->loadError().empty())
        throw std::runtime_error(controller->loadError());
    return controller;
}

long postNumber(const Args& args, IGMainFeedViewController* feed)
{
    if (args.empty())
        throw std::runtime_error("say which post (1 for the top one)");
    char* end = nullptr;
    long n = std::strtol(args[0].c_str(), &end, 10);
    if (!end || *end || n < 1 || size_t(n) > feed->items().size())
        throw std::runtime_error("there is no post " + args[0] + " (the feed has " + std::to_string(feed->items().size()) + ")");
    return n;
}

// The cell of a post's row, brought on screen.
RefPtr<UICollectionViewCell> rowCell(IGMainFeedViewController* feed, long post, long row)
{
    auto collection = feed->collectionView();
    auto path = NSIndexPath::indexPathForItem(row, post - 1);
    collection->scrollToItemAtIndexPath(path.get(), UICollectionViewScrollPositionNone, false);
    collection->layoutIfNeeded();
    return collection->cellForItemAtIndexPath(path.get());
}

void scrollPostToTop(IGMainFeedViewController* feed, long post)
{
    auto collection = feed->collectionView();
    collection->scrollToItemAtIndexPath(NSIndexPath::indexPathForItem(0, post - 1).get(), UICollectionViewScrollPositionTop, false);
    collection->layoutIfNeeded();
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

std::string describePost(IGMainFeedViewController* feed, long post)
{
    IGFeedItem* item = feed->items().at(size_t(post - 1)).get();
    std::string kind = item->mediaType() == IGMediaTypeVideo ? (item->hasAudio() ? "video" : "video (no sound)") : "photo";
    std::string line = std::to_string(post) + " " + kind + " @" + (item->user() ? item->user()->usernameString() : std::string());
    line += item->caption() ? " caption=" + quoted(item->caption()->textString()) : std::string(" no caption");
    if (item->sponsoredPostInfo())
        line += " sponsored";
    auto media = rowCell(feed, post, IGMainFeedViewController::MediaRow);
    bool loaded = false;
    if (auto* photo = objc::dynamicCast<IGFeedItemPhotoCell>(media.get())) {
        RunLoop::runUntil([&] { return photo->photoView()->hasLoadedImage(); }, std::chrono::seconds(5));
        loaded = photo->photoView()->hasLoadedImage();
    } else if (auto* video = objc::dynamicCast<IGFeedItemVideoCell>(media.get())) {
        RunLoop::runUntil([&] { return video->videoView()->isPlaying(); }, std::chrono::seconds(5));
        loaded = video->videoView()->isPlaying();
    }
    line += loaded ? " media=loaded" : " media=loading";
    auto actions = rowCell(feed, post, IGMainFeedViewController::ActionRow);
    auto button = actions ? objc::send<RefPtr<objc::Object>>(actions, "actionButton") : nullptr;
    auto* view = objc::dynamicCast<UIView>(button.get());
    line += !view ? " more-actions=none" : view->isHidden() ? " more-actions=hidden" : " more-actions=shown";
    return line + "\n";
}

const char* styleName(long style)
{
    switch (style) {
    case UIAlertActionStyleCancel: return "cancel";
    case UIAlertActionStyleDestructive: return "destructive";
    default: return "default";
    }
}

RefPtr<UIAlertController> shownMenu(UIWindow* window)
{
    auto menu = objc::dynamicCast<UIAlertController>(topController(window));
    if (!menu)
        throw std::runtime_error("no actions menu on screen");
    return menu;
}

// The menu's layout strip (a collection view the loaded system adds), or nil.
RefPtr<UICollectionView> stripOf(UIAlertController* menu)
{
    if (!objc::respondsTo(menu, "collectionView"))
        return nullptr;
    return objc::dynamicCast<UICollectionView>(objc::send<RefPtr<objc::Object>>(menu, "collectionView"));
}

std::string describeMenu(UIAlertController* menu)
{
    std::string out = "title: " + str(menu->title().get()) + "\nmessage: " + str(menu->message().get()) + "\n";
    for (auto& action : menu->actionList())
        out += "entry: " + str(action->title().get()) + " (" + styleName(action->style()) + ")\n";
    auto strip = stripOf(menu);
    bool shown = strip && strip->window() && !strip->isHidden();
    out += shown ? "strip: shown (" + std::to_string(strip->numberOfItemsInSection(0)) + " pictures)\n" : std::string("strip: none\n");
    return out;
}

IGShareViewController* shownShareScreen(UIWindow* window)
{
    auto* share = objc::dynamicCast<IGShareViewController>(topController(window).get());
    if (!share)
        throw std::runtime_error("no share screen on screen");
    return share;
}

void pressAndHold(UIWindow* window, UIView* view)
{
    CGPoint centre = view->superview()->convertPointToView(view->center(), window);
    UserInput::pressAndHold(window, centre, std::chrono::milliseconds(700));
}

} // namespace

std::map<std::string, ControlCommand> instagramFeedCommands(WindowSource window)
{
    return {
        { "feed", [window](const Args&) {
             auto* feed = feedOf(window().get());
             std::string out;
             for (long post = 1; size_t(post) <= feed->items().size(); ++post)
                 out += describePost(feed, post);
             scrollPostToTop(feed, 1);
             return out.empty() ? std::string("no posts\n") : out;
         } },
        { "scroll-to", [window](const Args& args) {
             auto* feed = feedOf(window().get());
             scrollPostToTop(feed, postNumber(args, feed));
             settle();
             return std::string("ok\n");
         } },
        { "open-menu", [window](const Args& args) {
             RunLoop::runUntil([] { return UIViewController::transitionsInProgress() == 0; }, std::chrono::seconds(10));
             auto shownWindow = window();
             auto* feed = feedOf(shownWindow.get());
             long post = postNumber(args, feed);
             auto cell = rowCell(feed, post, IGMainFeedViewController::ActionRow);
             auto button = cell ? objc::send<RefPtr<objc::Object>>(cell, "actionButton") : nullptr;
             auto* control = objc::dynamicCast<UIControl>(button.get());
             if (!control)
                 return "error: post " + args[0] + " has no more-actions button\n";
             if (control->isHidden())
                 return "error: post " + args[0] + " shows no more-actions button\n";
             UserInput::tapControl(control);
             settle();
             return describeMenu(shownMenu(shownWindow.get()).get());
         } },
        { "menu", [window](const Args&) { return describeMenu(shownMenu(window().get()).get()); } },
        { "tap-strip", [window](const Args& args) {
             auto menu = shownMenu(window().get());
             auto strip = stripOf(menu.get());
             long n = args.empty() ? 0 : std::strtol(args[0].c_str(), nullptr, 10);
             if (!strip || !strip->window())
                 return std::string("error: the menu shows no layout strip\n");
             if (n < 1 || n > strip->numberOfItemsInSection(0))
                 return std::string("error: say which picture of the strip (1 to 5)\n");
             UserInput::tapItem(strip.get(), 0, n - 1);
             settle();
             long chosen = objc::respondsTo(strip.get(), "repostIndex") ? objc::send<long>(strip, "repostIndex") : 0;
             return "chosen " + std::to_string(chosen) + "\n";
         } },
        { "alert-bar", [](const Args&) {
             auto bar = IGAlertBar::sharedAlertBar();
             return std::string(bar->isShown() ? "shown" : "hidden") + " style=" + std::to_string(bar->style()) + " text=" + quoted(bar->text()) + "\n";
         } },
        { "hud", [](const Args&) {
             auto hud = IGAlertHUD::sharedHUD();
             std::string out = std::string(hud->isShown() ? "shown " + quoted(hud->text()) : "hidden") + "\n";
             for (auto& text : hud->shownTexts())
                 out += "shown before: " + quoted(text) + "\n";
             return out;
         } },
        { "share-caption", [window](const Args&) {
             return "caption: " + quoted(shownShareScreen(window().get())->captionText()) + "\n";
         } },
        { "share", [window](const Args&) {
             // A person taps Share once the screen has come to rest.
             RunLoop::runUntil([] { return UIViewController::transitionsInProgress() == 0; }, std::chrono::seconds(10));
             auto* share = shownShareScreen(window().get());
             objc::send<void>(share, "share");
             settle();
             return std::string("shared\n");
         } },
        { "open-url", [](const Args& args) {
             if (args.size() != 1)
                 return std::string("error: say which address to open\n");
             auto url = NSURL::create(args[0]);
             auto application = UIApplication::sharedApplicationObject();
             auto delegate = application->delegate();
             if (!url || !objc::respondsTo(delegate.get(), "application:openURL:sourceApplication:annotation:"))
                 return "error: Instagram cannot open " + args[0] + "\n";
             // As another application hands Instagram an address.
             bool opened = objc::send<bool(id, NSURL*, NSString*, id)>(delegate, "application:openURL:sourceApplication:annotation:",
                 application.get(), url.get(), ns("com.apple.mobilesafari").get(), nullptr);
             settle();
             return std::string(opened ? "opened\n" : "not opened\n");
         } },
        { "press-photo", [window](const Args& args) {
             auto shownWindow = window();
             auto* feed = feedOf(shownWindow.get());
             long post = postNumber(args, feed);
             scrollPostToTop(feed, post);
             auto* photo = objc::dynamicCast<IGFeedItemPhotoCell>(rowCell(feed, post, IGMainFeedViewController::MediaRow).get());
             if (!photo)
                 return "error: post " + args[0] + " is not a photo\n";
             RunLoop::runUntil([&] { return photo->photoView()->hasLoadedImage(); }, std::chrono::seconds(5));
             pressAndHold(shownWindow.get(), photo->photoView().get());
             settle();
             return std::string("pressed\n");
         } },
        { "press-video", [window](const Args& args) {
             auto shownWindow = window();
             auto* feed = feedOf(shownWindow.get());
             long post = postNumber(args, feed);
             scrollPostToTop(feed, post);
             auto* video = objc::dynamicCast<IGFeedItemVideoCell>(rowCell(feed, post, IGMainFeedViewController::MediaRow).get());
             if (!video)
                 return "error: post " + args[0] + " is not a video\n";
             RunLoop::runUntil([&] { return video->videoView()->isPlaying(); }, std::chrono::seconds(5));
             pressAndHold(shownWindow.get(), video->videoView().get());
             settle();
             return std::string("pressed\n");
         } },
    };
}

} // namespace hosts
