#include "apps/hosts/SettingsScreen.h"
#include "apps/hosts/ScreenReport.h"
#include "platform/foundation/NSURL.h"
#include "platform/messageui/MFComposers.h"
#include "platform/preferences/PSListController.h"
#include "platform/preferences/PSSpecifier.h"
#include "platform/uikit/UITableViewCell.h"
#include "platform/social/SLComposeViewController.h"
#include "platform/uikit/UIAlertController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/foundation/NSIndexPath.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIWebView.h"
#include "platform/uikit/UserInput.h"

#include <stdexcept>

namespace hosts {

using namespace platform;
using objc::RefPtr;
using Args = std::vector<std::string>;

namespace {

RefPtr<UIViewController> presentedTop(UIWindow* window)
{
    RefPtr<UIViewController> top = window ? window->rootViewController() : nullptr;
    while (top && top->presentedViewController())
        top = top->presentedViewController();
    return top;
}

// The page on top: the top of the navigation stack shown on top.
RefPtr<UIViewController> topPage(UIWindow* window)
{
    auto top = presentedTop(window);
    if (objc::object_isKindOfClass(top, UINavigationController::staticClass()))
        return static_cast<UINavigationController*>(top.get())->topViewController();
    return top;
}

RefPtr<PSListController> topList(UIWindow* window)
{
    auto page = topPage(window);
    if (!objc::object_isKindOfClass(page, PSListController::staticClass()))
        throw std::runtime_error("no settings page on screen");
    return RefPtr<PSListController>(static_cast<PSListController*>(page.get()));
}

std::string titleOf(UIViewController* page)
{
    auto title = objc::send<RefPtr<NSString>>(page, "title");
    return title ? title->str() : "";
}

std::string describeComposer(UIViewController* top)
{
    if (objc::object_isKindOfClass(top, SLComposeViewController::staticClass())) {
        auto* composer = static_cast<SLComposeViewController*>(top);
        std::string out = "composer: " + str(composer->serviceType().get()) + "\ntext: " + str(composer->initialText().get()) + "\n";
        for (auto& url : composer->urls())
            out += "link: " + str(static_cast<NSURL*>(url.get())->absoluteString().get()) + "\n";
        out += "pictures: " + std::to_string(composer->images().size()) + "\n";
        return out;
    }
    if (objc::object_isKindOfClass(top, MFMailComposeViewController::staticClass())) {
        auto* mail = static_cast<MFMailComposeViewController*>(top);
        return "composer: mail\nsubject: " + str(mail->subject().get()) + "\nbody: " + str(mail->messageBody().get()) + "\n";
    }
    if (objc::object_isKindOfClass(top, MFMessageComposeViewController::staticClass())) {
        auto* message = static_cast<MFMessageComposeViewController*>(top);
        return "composer: message\nsubject: " + str(message->subject().get()) + "\nbody: " + str(message->body().get())
            + "\nattachments: " + (message->userAttachmentsDisabled() ? "off" : "on") + "\n";
    }
    return {};
}

long number(const Args& args, size_t i)
{
    if (i >= args.size())
        throw std::runtime_error("say the section and the row");
    return std::stol(args[i]);
}

} // namespace

std::string describeSettingsScreen(UIWindow* window)
{
    auto top = presentedTop(window);
    if (objc::object_isKindOfClass(top, UIAlertController::staticClass()))
        return describeScreen(window);
    if (std::string composer = describeComposer(top.get()); !composer.empty())
        return composer;
    auto page = topPage(window);
    if (!page)
        return "nothing on screen\n";
    std::string out = "page: " + titleOf(page.get()) + "\n";
    if (objc::object_isKindOfClass(page, PSListController::staticClass()))
        return out + static_cast<PSListController*>(page.get())->describe();
    if (objc::respondsTo(page.get(), "imageWebView")) {
        auto web = objc::send<RefPtr<UIWebView>>(page, "imageWebView");
        auto image = web ? web->shownImage() : nullptr;
        return out + (image ? "picture: " + std::to_string(long(image->size().width)) + "x" + std::to_string(long(image->size().height)) + "\n" : "picture: none\n");
    }
    // Any other page: the texts of its labels.
    std::vector<RefPtr<UIView>> views { page->view() };
    while (!views.empty()) {
        auto view = views.back();
        views.pop_back();
        if (!view)
            continue;
        if (objc::object_isKindOfClass(view, UILabel::staticClass()))
            out += "text: " + str(static_cast<UILabel*>(view.get())->text().get()) + "\n";
        auto& subviews = view->subviewList();
        for (auto it = subviews.rbegin(); it != subviews.rend(); ++it)
            views.push_back(*it);
    }
    return out;
}

std::map<std::string, ControlCommand> settingsCommands(std::function<RefPtr<UIWindow>()> window)
{
    auto commands = screenCommands(window);
    commands["screen"] = [window](const Args&) { return describeSettingsScreen(window().get()); };
    commands["tap-row"] = [window](const Args& args) {
        if (!topList(window().get())->userTapRow(number(args, 0), number(args, 1)))
            return std::string("error: no such row\n");
        settle();
        return describeSettingsScreen(window().get());
    };
    commands["flip"] = [window](const Args& args) {
        if (!topList(window().get())->userFlipSwitch(number(args, 0), number(args, 1)))
            return std::string("error: no switch there\n");
        settle();
        return describeSettingsScreen(window().get());
    };
    commands["follow"] = [window](const Args& args) {
        auto list = topList(window().get());
        auto table = list->table();
        auto path = NSIndexPath::indexPathForRow(number(args, 1), number(args, 0));
        if (!list->specifierAt(path->section(), path->row()))
            return std::string("error: no such row\n");
        table->scrollToRowAtIndexPath(path.get(), UITableViewScrollPositionNone, false);
        table->layoutIfNeeded();
        auto cell = table->cellForRowAtIndexPath(path.get());
        if (!cell || !objc::respondsTo(cell.get(), "followButton"))
            return std::string("error: the row has no follow button\n");
        auto button = objc::send<RefPtr<UIButton>>(cell, "followButton");
        if (!button)
            return std::string("error: the row has no follow button\n");
        button->sendActionsForControlEvents(UIControlEventTouchUpInside);
        settle();
        auto opened = UIApplication::sharedApplication()->openedURLs();
        return opened.empty() ? std::string("opened nothing\n") : "opened " + str(opened.back()->absoluteString().get()) + "\n";
    };
    commands["tap-bar-button"] = [window](const Args& args) {
        auto page = topPage(window().get());
        if (!page)
            return std::string("error: no page on screen\n");
        auto item = page->navigationItem();
        auto button = !args.empty() && args[0] == "left" ? item->leftBarButtonItem() : item->rightBarButtonItem();
        if (!button || !UserInput::tapBarButtonItem(button.get()))
            return std::string("error: no such button\n");
        settle();
        return describeSettingsScreen(window().get());
    };
    auto choose = commands["choose"];
    commands["choose"] = [window, choose](const Args& args) {
        std::string answer = choose(args);
        if (answer.rfind("error:", 0) == 0)
            return answer;
        return describeSettingsScreen(window().get());
    };
    commands["back"] = [window](const Args&) {
        auto top = presentedTop(window().get());
        // A composer is left by cancelling it; its owner dismisses it.
        bool cancelled = true;
        if (objc::object_isKindOfClass(top, SLComposeViewController::staticClass()))
            static_cast<SLComposeViewController*>(top.get())->userFinish(SLComposeViewControllerResultCancelled);
        else if (objc::object_isKindOfClass(top, MFMailComposeViewController::staticClass()))
            static_cast<MFMailComposeViewController*>(top.get())->userFinish(MFMailComposeResultCancelled);
        else if (objc::object_isKindOfClass(top, MFMessageComposeViewController::staticClass()))
            static_cast<MFMessageComposeViewController*>(top.get())->userFinish(MessageComposeResultCancelled);
        else
            cancelled = false;
        if (cancelled) {
            settle();
            return describeSettingsScreen(window().get());
        }
        if (!objc::object_isKindOfClass(top, UINavigationController::staticClass())
            || !static_cast<UINavigationController*>(top.get())->popViewControllerAnimated(true))
            return std::string("error: nothing to go back from\n");
        settle();
        return describeSettingsScreen(window().get());
    };
    commands["opened"] = [](const Args&) {
        std::string out;
        for (auto& url : UIApplication::sharedApplication()->openedURLs())
            out += str(url->absoluteString().get()) + "\n";
        return out;
    };
    return commands;
}

} // namespace hosts
