#pragma once
// The help page: the bundle's "help-file.jpg" shown in a web view, scaled to
// fit, under the navigation bar. Main thread.

#include "platform/preferences/PSViewController.h"

namespace platform {
class UIWebView;
}

namespace igtarvo::panel {

class igTarvoImageViewController : public platform::PSViewController {
    OBJC_CLASS(igTarvoImageViewController, platform::PSViewController)
public:
    static void registerMethods(objc::ClassBuilder<igTarvoImageViewController>&);

    objc::RefPtr<objc::Object> initForContentSize(platform::CGSize size);
    objc::RefPtr<platform::UIWebView> imageWebView() const;
    // The page's view is the web view.
    void loadView();
    platform::CGSize contentSize() const;
    objc::RefPtr<platform::NSString> title() const;
    objc::RefPtr<platform::NSString> navigationTitle() const { return title(); }
    void viewDidLoad();

private:
    objc::RefPtr<objc::Object> m_webView;
};

} // namespace igtarvo::panel
