#include "settings/panel/igTarvoImageViewController.h"
#include "platform/foundation/Device.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSURL.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UIWebView.h"
#include "settings/panel/PanelTexts.h"

#include <fstream>
#include <iterator>

namespace igtarvo::panel {

using namespace platform;

OBJC_CLASS_LOAD(igTarvoImageViewController)

RefPtr<Object> igTarvoImageViewController::initForContentSize(CGSize size)
{
    PSViewController::initForContentSize(size);
    auto web = UIWebView::create(CGRectMake(0, 0, size.width, size.height));
    web->setScalesPageToFit(true);
    web->setClipsToBounds(false);
    m_webView = web;
    // A missing picture leaves the page empty.
    auto bundle = NSBundle::bundleWithPath(Device::path(kSettingsBundlePath));
    auto path = bundle ? bundle->pathForResource(ns("help-file").get(), ns("jpg").get()) : nullptr;
    if (path) {
        std::ifstream in(path->str(), std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        web->loadData(NSData::create(std::move(bytes)).get(), ns("image/jpg").get(), ns("utf-8").get(),
            NSURL::fileURLWithPath(ns(path->str()).get()).get());
    }
    return RefPtr<Object>(this);
}

RefPtr<UIWebView> igTarvoImageViewController::imageWebView() const
{
    return RefPtr<UIWebView>(static_cast<UIWebView*>(m_webView.get()));
}

void igTarvoImageViewController::loadView()
{
    if (m_webView)
        setView(static_cast<UIView*>(m_webView.get()));
    else
        UIViewController::loadView();
}

CGSize igTarvoImageViewController::contentSize() const
{
    auto web = imageWebView();
    return web ? web->frame().size : CGSize { 0, 0 };
}

RefPtr<NSString> igTarvoImageViewController::title() const
{
    return ns(kHelpTitle);
}

void igTarvoImageViewController::viewDidLoad()
{
    UIViewController::viewDidLoad();
    auto web = imageWebView();
    if (!web)
        return;
    double top = UINavigationBar::kHeight;
    // The status bar is always shown on the platform's pages.
    top += 20;
    UIEdgeInsets inset = web->scrollView()->contentInset();
    inset.top = top;
    web->scrollView()->setContentInset(inset);
}

void igTarvoImageViewController::registerMethods(objc::ClassBuilder<igTarvoImageViewController>& b)
{
    b.method<&igTarvoImageViewController::initForContentSize>("initForContentSize:")
        .method<&igTarvoImageViewController::imageWebView>("imageWebView")
        .method<&igTarvoImageViewController::loadView>("loadView")
        .method<&igTarvoImageViewController::contentSize>("contentSize")
        .method<&igTarvoImageViewController::title>("title")
        .method<&igTarvoImageViewController::navigationTitle>("navigationTitle")
        .method<&igTarvoImageViewController::viewDidLoad>("viewDidLoad");
}

} // namespace igtarvo::panel
