#include "hosts/instagram/AppDelegate.h"
#include "hosts/instagram/IGShareViewController.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIWindow.h"

namespace hosts::instagram {

using namespace platform;

OBJC_CLASS_DEFINE(AppDelegate)

void AppDelegate::registerMethods(objc::ClassBuilder<AppDelegate>& b)
{
    b.method<&AppDelegate::applicationOpenURL>("application:openURL:sourceApplication:annotation:");
}

namespace {
bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The screen that presents: the key window's root controller, or what it
// presents already, top-most.
RefPtr<UIViewController> presenter()
{
    auto window = UIApplication::sharedApplication()->keyWindow();
    RefPtr<UIViewController> top = window ? window->rootViewController() : nullptr;
    while (top && top->presentedViewController())
        top = top->presentedViewController();
    return top;
}
}

bool AppDelegate::applicationOpenURL(id, NSURL* url, NSString*, id)
{
    if (!url)
        return false;
    m_opened.push_back(url->text());
    if (url->isFileURL()) {
        auto path = url->path();
        if (!path || !endsWith(path->str(), ".igo"))
            return false;
        // The picture is read from the file as it is on this machine.
        auto image = UIImage::imageWithContentsOfHostFile(path->str());
        if (!image)
            return false;
        auto share = IGShareViewController::create(image.get());
        auto from = presenter();
        if (!from)
            return false;
        from->presentViewController(share.get(), true, nullptr);
        m_lastShare = objc::WeakPtr<objc::Object>(share.get());
        return true;
    }
    auto scheme = url->scheme();
    return scheme && scheme->str() == "instagram";
}

} // namespace hosts::instagram
